#pragma once

#include "SetupStrings.h"

// The text of setup's string table entry `id` (an IDS_ name of SetupStrings.h); "" for an
// unknown id.
const char* SetupText(int id);
