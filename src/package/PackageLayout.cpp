#include "package/PackageLayout.h"

#include "common/BoundedText.h"
#include "common/FileVersion.h"
#include "common/NativeSystemDirectory.h"
#include "common/RegKey.h"

#include <windows.h>

#include <cstring>

void GetPackageRoot(char* root, size_t capacity) {
  char name[kPathCapacity] = {};
  DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
  // A program path that does not fit would give a cut, wrong directory. Fall back to
  // paths relative to the working directory, which is the medium's root when the
  // program is started from there.
  if (length == 0 || length >= sizeof name) name[0] = '\0';
  char* slash = strrchr(name, '\\');
  if (slash)
    slash[1] = '\0';
  else
    name[0] = '\0';
  CopyText(root, capacity, name);
}

namespace {
// By module: the pages' spelling, then the driver records'.
const char* const kModuleIniNames[][2] = {
    {"DRVCONFIG\\setup_receipt.ini", "DRVCONFIG\\setup_receipt.ini"},
    {"DRVCONFIG\\setup_Ticket.ini", "DRVCONFIG\\setup_ticket.ini"},
    {"DRVCONFIG\\setup_Lable.ini", "DRVCONFIG\\setup_lable.ini"},
    {"DRVCONFIG\\setup_Embedded.ini", "DRVCONFIG\\setup_embedded.ini"},
};
}  // namespace

const char* ModuleIniName(PrinterModule module) {
  return IsKnownModule(module) ? kModuleIniNames[module][0] : nullptr;
}

const char* ModuleRecordsIniName(PrinterModule module) {
  return IsKnownModule(module) ? kModuleIniNames[module][1] : nullptr;
}

void ResolveIniPaths(PrinterModule module, char* setupIniPath, char* moduleIniPath) {
  memset(setupIniPath, 0, kPathCapacity);
  memset(moduleIniPath, 0, kPathCapacity);
  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  FormatText(setupIniPath, kPathCapacity, "%sDRVCONFIG\\setup.ini", root);
  CopyText(moduleIniPath, kPathCapacity, root);
  if (const char* name = ModuleIniName(module)) AppendText(moduleIniPath, kPathCapacity, name);
}

namespace {
// Opens a vendor key, creating it when it is missing.
void OpenOrCreate(RegKey& key, const char* path) {
  if (!key.Open(HKEY_LOCAL_MACHINE, path)) {
    RegKey::CreateKey(HKEY_LOCAL_MACHINE, path);
    key.Open(HKEY_LOCAL_MACHINE, path);
  }
}
}  // namespace

void RecordUsbPortDevice(const char* usbPortName) {
  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  char setupIni[kPathCapacity];
  FormatText(setupIni, sizeof setupIni, "%sDRVCONFIG\\setup.ini", root);
  UINT value = GetPrivateProfileIntA("SUPPORTED-USB-DEVICE", usbPortName, 0, setupIni);

  RegKey key;
  OpenOrCreate(key, "SOFTWARE\\VORTELL\\PORTNAME\\");
  key.SetDword(usbPortName, value);
  key.Close();

  OpenOrCreate(key, "SOFTWARE\\VORTELL\\PRINTERPORT\\");
  static const char* const slots[] = {"D1", "D2", "D3", "D4", "D5", "D6", "D7", "D8"};
  for (const char* slot : slots) key.SetDword(slot, 0);
  key.Close();
}

int CheckUsbDeviceDriver() {
  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  char packageDriver[kPathCapacity];
  // A path that does not fit would name another file: it reads as a missing driver.
  if (!FormatText(packageDriver, sizeof packageDriver, "%sUSBDRV\\bulkusb.sys", root))
    packageDriver[0] = '\0';

  char windows[200] = {};
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) windows[0] = '\0';
  char installedDriver[260];
  if (windows[0] == '\0' || !FormatText(installedDriver, sizeof installedDriver,
                                        "%s\\system32\\drivers\\bulkusb.sys", windows))
    installedDriver[0] = '\0';

  std::string packageText = GetFileVersionText(packageDriver);
  std::string installedText;
  {
    // The system's own drivers directory, not WOW64's view of it.
    NativeSystemDirectory native;
    installedText = GetFileVersionText(installedDriver);
  }
  if (packageText == installedText) return 0;
  int installed = VersionNumber(installedText);
  if (installed == 0) return -1;
  return VersionNumber(packageText) > installed ? 1 : 0;
}
