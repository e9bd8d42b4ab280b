// Registers the common control classes a program's windows use.
#pragma once

#include <windows.h>

namespace ui {

// InitCommonControlsEx with `classes` (ICC_* flags) where comctl32 has it (4.70, Internet
// Explorer 3, on), else InitCommonControls, which registers every class older systems know. The
// function is looked up at run time: imported, it would keep the program from starting on
// Windows 95 and NT 4.0 without that update.
void InitCommonControlClasses(DWORD classes);

}  // namespace ui
