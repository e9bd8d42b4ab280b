#include "uninstall/RemovalSteps.h"

#include "common/BoundedText.h"
#include "common/NativeSystemDirectory.h"
#include "common/SpoolerEnvironment.h"
#include "common/UsbInstallerRun.h"
#include "uninstall/PrinterRecords.h"
#include "uninstall/UninstallInventory.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"

#include <cstring>

namespace {

const char* const kNoDirectory = "Get system Directory error.";
const size_t kDirectorySize = 256;

// "0" is what a missing value reads as; an empty value names no file either.
bool NamesFile(const char* value) { return value[0] != '\0' && value[0] != '0'; }

// Deletes dir\file. Nothing is deleted when the directory is unknown or the path does not
// fit: either would name some other file (a directory-less path lands in the drive's root).
void DeleteNamedFile(const char* dir, const char* file) {
  if (!dir[0] || !NamesFile(file)) return;
  char path[kDirectorySize + kIniValueSize + 2];
  if (FormatText(path, sizeof path, "%s\\%s", dir, file)) DeleteFileA(path);
}

void FileSection(const UninstallSettings& settings, char (&section)[kIniValueSize],
                 const char* name) {
  FormatText(section, sizeof section, "%s%s", name, UninstallOsSuffix(settings.osCode));
}

}  // namespace

void AppendStatusText(UninstallView& view, int id, const char* name) {
  char line[kItemNameSize + 100];
  FormatText(line, sizeof line, UninstallText(id), name ? name : "");
  view.AppendStatus(line);
}

bool IsAqcomPortFree(UninstallView& view, const char* monitorName) {
  DWORD count = 0;
  PRINTER_INFO_5A* printers = EnumLocalPrinters(&count);
  bool free = true;
  for (DWORD i = 0; i < count && free; ++i) {
    const char* name = printers[i].pPrinterName ? printers[i].pPrinterName : "";
    HANDLE printer;
    if (!OpenPrinterFully(name, &printer)) {
      AppendStatusText(view, IDS_OPEN_PRINTER_ERROR, name);
      free = false;
      break;
    }
    PRINTER_INFO_2A* record;
    PrinterRecordResult read = ReadPrinterRecord(printer, &record);
    ClosePrinter(printer);
    if (read != RecordRead) {
      AppendStatusText(view,
                       read == RecordNoMemory ? IDS_ALLOCATE_MEMORY_ERROR : IDS_PRINTER_INFO_ERROR);
      Sleep(100);
      free = false;
      break;
    }
    if (record->pPortName && strstr(record->pPortName, "AQCOM")) {
      AppendStatusText(view, IDS_PRINTER_HAS_JOBS, monitorName);
      Sleep(100);
      free = false;
    }
    GlobalFree(record);
  }
  if (printers) GlobalFree(printers);
  return free;
}

int DeleteMonitorFiles(const UninstallSettings& settings, UninstallView& view,
                       const char* monitorName) {
  char compact[kItemNameSize];
  size_t used = 0;
  for (const char* c = monitorName; *c && used + 1 < sizeof compact; ++c)
    if (*c != ' ') compact[used++] = *c;
  compact[used] = '\0';
  char section[kIniValueSize];
  FileSection(settings, section, compact);
  char dll[kIniValueSize];
  char uiDll[kIniValueSize];
  ReadUninstallValue(settings, section, "MonitorPDLLName", dll);
  ReadUninstallValue(settings, section, "MonitorPUIDLLName", uiDll);
  char dir[kDirectorySize];
  // The monitors of 64-bit Windows lie in the native system32, not in WOW64's view of it.
  NativeSystemDirectory native(settings.osCode == Win7x64);
  UINT length = GetSystemDirectoryA(dir, sizeof dir);
  if (length == 0 || length >= sizeof dir) {
    view.AppendStatus(kNoDirectory);
    dir[0] = '\0';
  }
  DeleteNamedFile(dir, dll);
  DeleteNamedFile(dir, uiDll);
  return 1;
}

int DeleteProcessorFile(const UninstallSettings& settings, UninstallView& view,
                        const char* processorName) {
  char section[kIniValueSize];
  FileSection(settings, section, processorName);
  char dll[kIniValueSize];
  ReadUninstallValue(settings, section, "ProcessorDllName", dll);
  char dir[kDirectorySize];
  DWORD needed = 0;
  if (!GetPrintProcessorDirectoryA(nullptr, NativeSpoolerEnvironment(settings.osCode), 1,
                                   reinterpret_cast<LPBYTE>(dir), sizeof dir, &needed)) {
    view.AppendStatus(kNoDirectory);
    dir[0] = '\0';
  }
  dir[sizeof dir - 1] = '\0';
  DeleteNamedFile(dir, dll);
  return 1;
}

void RemoveUsbDeviceDriver(UninstallView& view) {
  view.AppendStatus("Deleting USB Device Driver");
  // Looks every second for as long as the installer's window stays open.
  static const UsbInstallerRun kRemoveRun = {nullptr, "22", nullptr, 500, 1000, 0, {500, 1000}};
  char path[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof path, path);
  // A directory that cannot be read or a path that does not fit starts nothing: the run
  // goes on as when the installer is missing.
  bool fits = length > 0 && length < sizeof path;
  if (fits) {
    const char* tail = path[length - 1] == '\\' ? "USBDrv\\Install.exe" : "\\USBDrv\\Install.exe";
    fits = AppendText(path, tail) != 0;
  }
  RunUsbInstaller(fits ? path : nullptr, kRemoveRun);
  view.AppendStatus("USB Device Driver has been deleted");
}

bool RebootNeedsShutdownPrivilege(const SystemVersion& version) {
  // Code 0 also stands for NT versions outside the table (Windows 7, say), whose reboot needs
  // the shutdown privilege like every NT system's.
  return version.known && !IsWindows9xFamily(version);
}

void RestartWindows() {
  if (!RebootNeedsShutdownPrivilege(ReadSystemVersion())) {
    ExitWindowsEx(EWX_REBOOT, 0);
    return;
  }
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return;
  TOKEN_PRIVILEGES privileges;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  BOOL adjusted =
      LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
      AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  CloseHandle(token);
  if (adjusted) ExitWindowsEx(EWX_REBOOT, 0);
}
