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

// A silent run shows no box: while a sink is set, every box either program would show goes to
// it instead, and its answer stands for the button the user would have pressed.
typedef int (*MessageSink)(void* context, const char* text, UINT type);
void SetMessageSink(MessageSink sink, void* context);
// MessageBoxA, or the sink when one is set.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
