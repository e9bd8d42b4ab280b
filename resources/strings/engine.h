// Texts of the installation engine (spooler operations, install sequence, Windows 98 path).
#pragma once

#define ENGINE_STRINGS(X)
