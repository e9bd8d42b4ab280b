#pragma once

#include "UninstallStrings.h"

// The text of uninstall's string table entry `id` (an IDS_ name of UninstallStrings.h); "" for
// an unknown id.
const char* UninstallText(int id);
