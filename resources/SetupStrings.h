// setup's string table, defined once: the resource script builds its STRINGTABLE from these
// lists and the code (and the native tests) read the same texts through SetupText().
// Each area keeps its own list in resources/strings/; X(id, "text").
#pragma once

#include "strings/engine.h"
#include "strings/install.h"
#include "strings/usb.h"
#include "strings/wizard.h"

#define SETUP_STRINGS(X) ENGINE_STRINGS(X) INSTALL_STRINGS(X) USB_STRINGS(X) WIZARD_STRINGS(X)
