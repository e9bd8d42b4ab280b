// The start of both programs: one instance at a time.
#pragma once

#include <windows.h>

namespace ui {

// Takes the mutex named after the application name, held until the process ends. A second
// instance brings the first one's window (titled `ownTitle`) to the front and answers false
// without a word. The other program's window is each program's start-up rule, asked next.
bool StartsAlone(const char* ownTitle);

}  // namespace ui
