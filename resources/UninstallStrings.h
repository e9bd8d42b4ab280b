// uninstall's string table, defined once: the resource script builds its STRINGTABLE from this
// list and the code (and the native tests) read the same texts through UninstallText(), by the
// names of the enumeration below.
#pragma once

#include "strings/uninstall.h"

#define UNINSTALL_STRINGS(X) UNINSTALL_TEXT_STRINGS(X)

// The resource compiler takes the numbers from the list itself.
#ifndef RC_INVOKED
#define UNINSTALL_STRING_NAME(name, id, text) name = id,
enum UninstallStringId { UNINSTALL_STRINGS(UNINSTALL_STRING_NAME) };
#undef UNINSTALL_STRING_NAME
#endif
