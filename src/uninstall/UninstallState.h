// The values every part of the uninstaller reads: each program (the window, the silent run)
// owns one, sets it at its start and hands it to the inventory and the removal worker.
#pragma once

#include "common/TargetOs.h"

#include <windows.h>

#include <cstddef>

const size_t kUninstallIniPathSize = 256;

typedef BOOL(WINAPI* DeletePrinterDriverExFunction)(LPSTR server, LPSTR environment,
                                                    LPSTR driverName, DWORD deleteFlag,
                                                    DWORD versionFlag);

struct UninstallSettings {
  TargetOs osCode = Win98Me;                 // UnsupportedPlatform for neither family
  char iniPath[kUninstallIniPathSize] = {};  // the Uninstall.ini that was found
  DeletePrinterDriverExFunction deletePrinterDriverEx = nullptr;  // null: DeletePrinterDriverA
};

// Loads "Winspool.drv" for the life of the process and keeps DeletePrinterDriverExA in
// `settings`. Without the library the user is told "no Winspool lib  " and 0 is returned;
// without the entry point the answer is 1 and drivers are removed with DeletePrinterDriverA.
int LoadDriverRemovalEntry(UninstallSettings& settings, HWND owner);
// Lets the library go again and forgets its entry point (the process's end; tests).
void UnloadDriverRemovalEntry(UninstallSettings& settings);

// A fatal start-up failure: the text in a box with caption "Error" and an OK button.
void ShowUninstallError(HWND owner, const char* text);
