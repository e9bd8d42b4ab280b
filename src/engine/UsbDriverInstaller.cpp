#include "engine/UsbDriverInstaller.h"

#include "common/BoundedText.h"
#include "common/FileVersion.h"
#include "common/NativeSystemDirectory.h"
#include "common/SystemProbes.h"
#include "common/UsbInstallerRun.h"
#include "package/PackageLayout.h"

#include <windows.h>

namespace {
// About 5 s at most, looking every 100 ms.
const UsbInstallerRun kInstallRun = {nullptr, "2", "", 500, 100, 50, {0, 0}};

// The installer replaces these files; a read-only copy of an earlier driver would stop it.
void ClearReadOnly(UINT(WINAPI* directoryOf)(LPSTR, UINT), const char* name) {
  char dir[MAX_PATH] = {};
  UINT length = directoryOf(dir, sizeof dir);
  if (length == 0 || length >= sizeof dir) return;
  char path[MAX_PATH];
  if (FormatText(path, sizeof path, "%s%s", dir, name))
    SetFileAttributesA(path, FILE_ATTRIBUTE_ARCHIVE);
}
}  // namespace

bool UsbDriverInstallNeeded() {
  if (!HasUsbDeviceDriver(GetTargetOs())) return false;
  int check = CheckUsbDeviceDriver();
  return check == -1 || check == 1;
}

void RunUsbDriverInstaller() {
  {
    NativeSystemDirectory native;
    ClearReadOnly(GetSystemDirectoryA, "\\drivers\\bulkusb.sys");
  }
  ClearReadOnly(GetWindowsDirectoryA, "\\inf\\bulkusb.inf");

  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  char installer[MAX_PATH];
  UsbInstallerRun run = kInstallRun;
  run.owner = GetDesktopWindow();
  // PackageRoot ends in its backslash already.
  bool fits = FormatText(installer, sizeof installer, "%sUSBDrv\\Install.exe", root);
  RunUsbInstaller(fits ? installer : nullptr, run);
}
