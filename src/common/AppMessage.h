// Message boxes of both programs: the application name (the program's file name without its
// extension) is the caption of every box they show.
#pragma once

#include <windows.h>

#include <cstddef>

// The running program's file name without directory and extension ("setup", "uninstall").
void GetApplicationName(char* name, size_t capacity);

// MessageBoxA with the application name as caption; `type` gives the buttons, the icon and the
// modality. Returns the button pressed (0 when the box could not be shown).
int ShowAppMessage(HWND owner, const char* text, UINT type);
