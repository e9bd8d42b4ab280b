// The start of both programs: one instance at a time, and never beside the other program's
// window.
#pragma once

#include <windows.h>

namespace ui {

// Takes the mutex named after the application name, held until the process ends. A second
// instance brings the first one's window (titled `ownTitle`) to the front and answers false
// without a word; while a window titled `otherTitle` is open, `otherOpen` is shown (a message
// box of `type` with the application name as caption) and the answer is false too.
bool StartsAlone(const char* ownTitle, const char* otherTitle, const char* otherOpen, UINT type);

}  // namespace ui
