// setup's string table, defined once: the resource script builds its STRINGTABLE from these
// lists and the code (and the native tests) read the same texts through SetupText(), by the
// names of the enumeration below. Each area keeps its own list in resources/strings/;
// X(name, id, "text").
#pragma once

#include "strings/engine.h"
#include "strings/install.h"
#include "strings/usb.h"
#include "strings/wizard.h"

#define SETUP_STRINGS(X) ENGINE_STRINGS(X) INSTALL_STRINGS(X) USB_STRINGS(X) WIZARD_STRINGS(X)

// The resource compiler takes the numbers from the lists themselves.
#ifndef RC_INVOKED
#define SETUP_STRING_NAME(name, id, text) name = id,
enum SetupStringId { SETUP_STRINGS(SETUP_STRING_NAME) };
#undef SETUP_STRING_NAME
#endif
