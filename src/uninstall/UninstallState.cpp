#include "uninstall/UninstallState.h"

#include "common/AppMessage.h"

namespace {
// One load for the process, whichever program's settings keep its entry point.
HMODULE winspool = nullptr;
}  // namespace

int LoadDriverRemovalEntry(UninstallSettings& settings, HWND owner) {
  settings.deletePrinterDriverEx = nullptr;
  if (!winspool) winspool = LoadLibraryA("Winspool.drv");
  if (!winspool) {
    ShowAppMessage(owner, "no Winspool lib  ", MB_OK);
    return 0;
  }
  settings.deletePrinterDriverEx = reinterpret_cast<DeletePrinterDriverExFunction>(
      reinterpret_cast<void*>(GetProcAddress(winspool, "DeletePrinterDriverExA")));
  return 1;
}

void UnloadDriverRemovalEntry(UninstallSettings& settings) {
  settings.deletePrinterDriverEx = nullptr;
  if (winspool) FreeLibrary(winspool);
  winspool = nullptr;
}

void ShowUninstallError(HWND owner, const char* text) {
  ShowMessageBox(owner, text, "Error", MB_OK);
}
