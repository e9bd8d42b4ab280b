#pragma once

// The text of setup's string table entry `id`; "" for an unknown id.
const char* SetupText(int id);
