#include "engine/UsbDriverInstaller.h"

#include "common/BoundedText.h"
#include "common/FileVersion.h"
#include "common/SystemProbes.h"
#include "package/PackageLayout.h"

#include <windows.h>
#include <shellapi.h>

const char kUsbInstallerWindow[] = "QELD print system setup";

namespace {
const DWORD kStartWait = 500;
const DWORD kPollInterval = 100;
const int kMaxPolls = 50;

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
  ClearReadOnly(GetSystemDirectoryA, "\\drivers\\bulkusb.sys");
  ClearReadOnly(GetWindowsDirectoryA, "\\inf\\bulkusb.inf");

  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  char installer[MAX_PATH];
  // PackageRoot ends in its backslash already.
  if (FormatText(installer, sizeof installer, "%sUSBDrv\\Install.exe", root))
    ShellExecuteA(GetDesktopWindow(), "open", installer, "2", "", SW_SHOWNORMAL);

  Sleep(kStartWait);
  for (int poll = 0; poll < kMaxPolls; ++poll) {
    if (!FindWindowA(nullptr, kUsbInstallerWindow)) break;
    Sleep(kPollInterval);
  }
}
