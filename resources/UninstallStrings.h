// uninstall's string table, defined once: the resource script builds its STRINGTABLE from this
// list and the code (and the native tests) read the same texts through UninstallText().
#pragma once

#include "strings/uninstall.h"

#define UNINSTALL_STRINGS(X) UNINSTALL_TEXT_STRINGS(X)
