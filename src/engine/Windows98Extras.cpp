#include "engine/Windows98Extras.h"

#include "common/BoundedText.h"
#include "engine/SetupText.h"
#include "engine/SpoolerOperations.h"

#include <windows.h>

namespace {

void DirectoryError(int textId, StepMessage& message) {
  char text[128];
  FormatText(text, sizeof text, "%s er= %d", SetupText(textId), static_cast<int>(GetLastError()));
  message.Fail(DriverFilesFailure, text);
}

void InstallWin98Files(StepMessage& message) {
  CopyPackageFile("ICONLIB.DLL", DriverDirectory, Win98Me, PlainCopy, message);
  char system[256];
  UINT length = GetSystemDirectoryA(system, sizeof system);
  if (length == 0 || length >= sizeof system) {
    DirectoryError(IDS_NO_SYSTEM_DIRECTORY, message);
    return;
  }
  char windows[260];
  length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) {
    DirectoryError(IDS_NO_WINDOWS_DIRECTORY, message);
    return;
  }
  char target[MAX_PATH + 16];
  char backup[MAX_PATH + 32];
  FormatText(target, sizeof target, "%s\\UNIDRV.DLL", system);
  FormatText(backup, sizeof backup, "%s\\Sysbckup\\UNIDRV.DLL", windows);
  HANDLE existing = CreateFileA(target, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (existing != INVALID_HANDLE_VALUE) {
    CloseHandle(existing);
    return;
  }
  // The system keeps a backup of its universal driver; the medium's copy is the last resort.
  if (!CopyFileA(backup, target, TRUE))
    CopyPackageFile("UNIDRV.DLL", DriverDirectory, Win98Me, PlainCopy, message);
}

}  // namespace

void InstallWindows98Extras(TargetOs targetOs, int usesDdkDriver, StepMessage& message) {
  if (IsWindows98Me(targetOs)) {
    InstallWin98Files(message);
    return;
  }
  if (IsWindows2000OrLater(targetOs) && usesDdkDriver) {
    for (const char* file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"}) {
      StepMessage discarded;
      CopyPackageFile(file, DriverDirectory, targetOs, PlainCopy, discarded);
    }
  }
}
