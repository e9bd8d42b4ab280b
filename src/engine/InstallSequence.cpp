#include "engine/InstallSequence.h"

#include "common/BoundedText.h"
#include "common/RegKey.h"
#include "common/SpoolerService.h"
#include "engine/SetupText.h"
#include "engine/SpoolerOperations.h"
#include "engine/Windows98Extras.h"
#include "ports/SerialRegistration.h"

#include <cctype>
#include <cstring>

namespace {

const char* const kMonitorsKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";
const char* const kNtProcessorsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print Processors\\";
const char* const kWin9xProcessorsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows 4.0\\Print Processors\\";
const char* const kVendorPortKey = "SOFTWARE\\VORTELL\\PRINTERPORT\\";

const size_t kKeyPathSize = 300;
const size_t kFileNameSize = 210;  // a 200-character name and its "n" prefix

bool IsEmpty(const char* text) { return !text || !*text; }
// "0" is what a missing INI key reads as.
bool IsMissing(const char* text) { return IsEmpty(text) || text[0] == '0'; }
bool IsInUseResult(CopyResult copied) {
  return copied == CopySharingViolation || copied == CopyAccessDenied;
}

void KeyPath(char (&path)[kKeyPathSize], const char* base, const char* name) {
  FormatText(path, sizeof path, "%s%s", base, name ? name : "");
}

// A registered version older than the medium's, or none that can be read, is outdated.
bool IsOutdated(RegKey& key, int configured) {
  DWORD registered = 0;
  return !key.QueryDword("DriverVersion", &registered) ||
         static_cast<DWORD>(configured) > registered;
}

// One monitor of InstallPortMonitors: checked by version when registered, else installed.
int InstallMonitor(const MONITOR_INFO_2A& monitor, const char* uiDll, int version,
                   TargetOs targetOs, int outdatedBit, bool reportCopies, std::string& message) {
  char path[kKeyPathSize];
  KeyPath(path, kMonitorsKey, monitor.pName);
  {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path)) return IsOutdated(key, version) ? outdatedBit : 0;
  }
  std::string discarded;
  std::string& copyMessage = reportCopies ? message : discarded;
  char dll[kFileNameSize];
  CopyText(dll, monitor.pDLLName);
  if (IsInUseResult(CopyPackageFile(dll, SystemDirectory, targetOs, PlainCopy, copyMessage))) {
    // The old DLL is loaded: the new one goes beside it and the monitor is registered with it.
    CopyPackageFile(dll, SystemDirectory, targetOs, PrefixedCopy, copyMessage);
    char prefixed[kFileNameSize];
    FormatText(prefixed, sizeof prefixed, "n%s", monitor.pDLLName);
    CopyText(dll, prefixed);
  }
  if (!IsEmpty(uiDll)) CopyPackageFile(uiDll, SystemDirectory, targetOs, PlainCopy, copyMessage);
  MONITOR_INFO_2A info = monitor;
  info.pDLLName = dll;
  if (!AddMonitorChecked(&info, message)) return InstallStepFailed;
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path))
    key.SetDword("DriverVersion", static_cast<DWORD>(version));
  return 0;
}

// Copies a component for the Windows 98/Me update, beside the old one when that is in use.
// Writes the resulting file name; 0 when the prefixed copy is in use too.
int CopyWin98Component(const char* file, DestinationKind kind, char (&resultName)[kFileNameSize],
                       std::string& message) {
  CopyText(resultName, file);
  if (!IsInUseResult(CopyPackageFile(file, kind, Win98Me, PlainCopy, message))) return 1;
  if (IsInUseResult(CopyPackageFile(file, kind, Win98Me, PrefixedCopy, message))) {
    message = SetupText(IDS_FATAL_ERROR_REBOOT);
    return 0;
  }
  FormatText(resultName, sizeof resultName, "n%s", file);
  return 1;
}

int UpdateWin98(ModuleConfig& config, int installFlags, const char* processorName,
                const char* processorFile, int processorVersion, std::string& message) {
  char path[kKeyPathSize];
  const char* file = nullptr;
  int version = 0;
  DestinationKind kind = SystemDirectory;
  MonitorSet monitors;
  memset(&monitors, 0, sizeof monitors);
  if (installFlags & UsbMonitorOutdated) {
    config.ReadMonitorSet(Win98Me, &monitors);
    KeyPath(path, kMonitorsKey, monitors.usbMonitor.pName);
    file = monitors.usbMonitor.pDLLName;
    version = monitors.usbMonitorVersion;
    kind = SystemDirectory;
  } else if (installFlags & ProcessorOutdated) {
    KeyPath(path, kWin9xProcessorsKey, processorName);
    file = processorFile;
    version = processorVersion;
    kind = ProcessorDirectory;
  } else {
    return 1;
  }
  RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, path)) {
    RegKey::CreateKey(HKEY_LOCAL_MACHINE, path);
    key.Open(HKEY_LOCAL_MACHINE, path);
  }
  char driver[kFileNameSize];
  if (!CopyWin98Component(file ? file : "", kind, driver, message)) return 0;
  key.SetString("Driver", driver);
  key.SetDword("DriverVersion", static_cast<DWORD>(version));
  return 1;
}

int UpdateNt(ModuleConfig& config, TargetOs targetOs, int installFlags, const char* processorName,
             const char* processorFile, int processorVersion, std::string& message) {
  char processorDir[256];
  if (installFlags & ProcessorOutdated) {
    DWORD needed = 0;
    if (!GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(processorDir),
                                     sizeof processorDir, &needed)) {
      message = SetupText(IDS_NO_PROCESSOR_DIRECTORY);
      return 0;
    }
  }
  // A loaded monitor or processor DLL can only be replaced while the spooler is stopped.
  StopSpooler();
  Sleep(500);
  MonitorSet monitors;
  memset(&monitors, 0, sizeof monitors);
  config.ReadMonitorSet(targetOs, &monitors);
  char path[kKeyPathSize];
  // A DLL still in use or protected was not replaced. The installation goes on with the old
  // one, but its version is not recorded as the new one, so that the next run sees the
  // monitor as outdated and tries again.
  if (installFlags & ComMonitorOutdated) {
    CopyResult copied = CopyPackageFile(monitors.serialMonitor.pDLLName, SystemDirectory, targetOs,
                                        PlainCopy, message);
    if (!message.empty()) return 0;
    KeyPath(path, kMonitorsKey, monitors.serialMonitor.pName);
    RegKey key;
    if (copied == Copied && key.Open(HKEY_LOCAL_MACHINE, path))
      key.SetDword("DriverVersion", static_cast<DWORD>(monitors.serialMonitorVersion));
  } else if (installFlags & UsbMonitorOutdated) {
    CopyResult copied = CopyPackageFile(monitors.usbMonitor.pDLLName, SystemDirectory, targetOs,
                                        PlainCopy, message);
    if (!message.empty()) return 0;
    KeyPath(path, kMonitorsKey, monitors.usbMonitor.pName);
    RegKey key;
    if (copied == Copied && key.Open(HKEY_LOCAL_MACHINE, path)) {
      key.SetString("Driver", monitors.usbMonitor.pDLLName);
      key.SetDword("DriverVersion", static_cast<DWORD>(monitors.usbMonitorVersion));
    }
  } else if (installFlags & ProcessorOutdated) {
    char current[256];
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current) {
      message = SetupText(IDS_NO_CURRENT_SYSTEM_DIRECTORY);
      return 0;
    }
    char source[MAX_PATH];
    char destination[MAX_PATH];
    int fits = FormatText(source, sizeof source, "%s%s%s", current, OsSubdirectory(targetOs),
                          processorFile ? processorFile : "");
    fits &= FormatText(destination, sizeof destination, "%s\\%s", processorDir,
                       processorFile ? processorFile : "");
    // A cut path names some other file: it is reported like a failed copy.
    if (!fits || !CopyFileA(source, destination, FALSE)) {
      char text[1024];
      FormatText(text, sizeof text, "%s%s", SetupText(IDS_COPY_DRIVER_FILES_ERROR), source);
      message = text;
      return 0;
    }
    KeyPath(path, kNtProcessorsKey, processorName);
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path))
      key.SetDword("DriverVersion", static_cast<DWORD>(processorVersion));
  }
  StartSpooler(message);
  if (targetOs == WinNt4 || targetOs == Win2000)
    Sleep(1000);
  else if (targetOs == WinXp || targetOs == WinServer2003)
    Sleep(2500);
  StartSpooler(message);
  Sleep(1000);
  if (!WaitSpoolerRunning(message)) {
    StartSpooler(message);
    return 0;
  }
  return 1;
}

// Serial settings go where the system keeps its COM ports' settings: "AQCOM2:" is "COM2:".
void RegisterSerialSettings(const SetupSelection& selection) {
  const char* com = strstr(selection.portName, "COM");
  if (!com) return;
  int portNumber = isdigit(static_cast<unsigned char>(com[3])) ? com[3] - '0' : -1;
  SerialSettings serial = selection.serial;
  serial.parity = static_cast<char>(tolower(static_cast<unsigned char>(serial.parity)));
  if (IsWindows98Me(selection.targetOs))
    RegisterSerialPortWin98(portNumber, com, serial);
  else
    RegisterSerialPortNt(com, serial);
}

// Steps of the run up to the printer's registration; 1 when the run may report success.
int RunSteps(SetupSelection& selection, InstallWorkingData& work, std::string& message) {
  Sleep(100);
  selection.installFlags = 0;
  TargetOs targetOs = selection.targetOs;
  int monitors = InstallPortMonitors(work.config, targetOs, selection.portName, message);
  if (monitors == InstallStepFailed) return 0;
  selection.installFlags = monitors;
  int processor = InstallPrintProcessor(work.config, targetOs, work.printer.pPrintProcessor,
                                        work.files.processorDll, message);
  if (processor == InstallStepFailed) return 0;
  selection.installFlags |= processor;
  int processorVersion = work.config.ReadProcessorVersion();
  if (selection.installFlags != 0 &&
      !UpdateOutdatedComponents(work.config, targetOs, selection.installFlags,
                                work.printer.pPrintProcessor, work.files.processorDll,
                                processorVersion, message))
    return 0;
  if (selection.portKind == UsbPort && !CheckSpoolerPorts(message)) return 0;

  const DriverFileSet& files = work.files;
  const char* mandatory[] = {files.configFile, files.dataFile, files.driverPath, files.helpFile};
  for (const char* file : mandatory) {
    if (IsEmpty(file)) {
      message = SetupText(IDS_DRIVER_FILES_LOST);
      return 0;
    }
  }
  for (const char* file : mandatory) {
    CopyPackageFile(file, DriverDirectory, targetOs, PlainCopy, message);
    if (!message.empty()) return 0;
  }
  struct Optional {
    const char* file;
    DestinationKind kind;
  } optional[] = {{files.dataFileDll, DriverDirectory},
                  {files.oemUiDll, DriverDirectory},
                  {files.oemRenderingDll, DriverDirectory},
                  {files.oemPluginIni, DriverDirectory},
                  {files.controlFontFile, DriverDirectory3}};
  for (const Optional& entry : optional) {
    if (IsMissing(entry.file)) continue;
    CopyPackageFile(entry.file, entry.kind, targetOs, PlainCopy, message);
    if (!message.empty()) return 0;
  }

  bool usesDdk = work.config.UsesDdkDriver(selection.modelName, targetOs, selection.driverMode);
  InstallWindows98Extras(targetOs, usesDdk, message);
  if (IsWindows98Me(targetOs) &&
      (strstr(selection.modelName, "QM-B220") || strstr(selection.modelName, "QM-A210"))) {
    CopyPackageFile("DMCOLOR.DLL", DriverDirectory, targetOs, PlainCopy, message);
    if (!message.empty()) return 0;
  }
  if (usesDdk && IsEmpty(files.dataFileDll)) {
    message = SetupText(IDS_DRIVER_FILES_LOST);
    return 0;
  }
  if (!AddPrinterDriverChecked(&work.driver, message)) return 0;

  if (selection.portKind == UsbPort) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kVendorPortKey)) key.SetDword(selection.portName, 0);
  }
  // The name is numbered in a buffer of the full printer-name size; the record keeps
  // pointing at its own buffer afterwards, and the final name goes on in modelName.
  char printerName[kPrinterNameSize];
  CopyText(printerName, work.printer.pPrinterName);
  char* recordName = work.printer.pPrinterName;
  work.printer.pPrinterName = printerName;
  int added = AddPrinterChecked(&work.printer, 2, selection.portKind != UsbPort, message);
  work.printer.pPrinterName = recordName;
  if (!added) return 0;
  CopyText(selection.modelName, printerName);
  if (IsEmpty(selection.modelName)) return 0;
  if (selection.setAsDefault) SetDefaultPrinterByName(printerName);
  if (selection.portKind == SerialPort) RegisterSerialSettings(selection);
  if (HasNtSpooler(targetOs))
    message =
        SetupText(selection.portKind == UsbPort ? IDS_INSTALLED_REPOWER_PRINTER : IDS_INSTALLED);
  return 1;
}

}  // namespace

int InstallPortMonitors(ModuleConfig& config, TargetOs targetOs, const char* portName,
                        std::string& message) {
  if (!portName || strstr(portName, "LPT")) return 0;
  MonitorSet monitors;
  memset(&monitors, 0, sizeof monitors);
  config.ReadMonitorSet(targetOs, &monitors);
  int result = 0;
  if (strstr(portName, "COM") && !IsEmpty(monitors.serialMonitor.pDLLName) &&
      HasNtSpooler(targetOs)) {
    int outcome =
        InstallMonitor(monitors.serialMonitor, monitors.serialMonitorUiDll,
                       monitors.serialMonitorVersion, targetOs, ComMonitorOutdated, true, message);
    if (outcome == InstallStepFailed) return InstallStepFailed;
    result |= outcome;
  }
  if (strstr(portName, "USB_") && !IsEmpty(monitors.usbMonitor.pDLLName) && SupportsUsb(targetOs)) {
    int outcome =
        InstallMonitor(monitors.usbMonitor, monitors.usbMonitorUiDll, monitors.usbMonitorVersion,
                       targetOs, UsbMonitorOutdated, false, message);
    if (outcome == InstallStepFailed) return InstallStepFailed;
    result |= outcome;
  }
  return result;
}

int InstallPrintProcessor(ModuleConfig& config, TargetOs targetOs, const char* processorName,
                          const char* processorFile, std::string& message) {
  int version = config.ReadProcessorVersion();
  // The system's own processor is never installed or updated.
  if (processorName && strcmp(processorName, "WinPrint") == 0) return 0;
  char path[kKeyPathSize];
  KeyPath(path, HasNtSpooler(targetOs) ? kNtProcessorsKey : kWin9xProcessorsKey, processorName);
  // Without a name the path is the list of all processors, whose values are no version.
  if (!IsEmpty(processorName)) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path)) return IsOutdated(key, version) ? ProcessorOutdated : 0;
  }
  if (!IsEmpty(processorFile)) {
    std::string discarded;
    CopyPackageFile(processorFile, ProcessorDirectory, targetOs, PlainCopy, discarded);
  }
  if (!AddPrintProcessorChecked(processorName, processorFile, targetOs)) {
    message = SetupText(IDS_ADD_PROCESSOR_ERROR);
    return InstallStepFailed;
  }
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path))
    key.SetDword("DriverVersion", static_cast<DWORD>(version));
  Sleep(200);
  return 0;
}

int UpdateOutdatedComponents(ModuleConfig& config, TargetOs targetOs, int installFlags,
                             const char* processorName, const char* processorFile,
                             int processorVersion, std::string& message) {
  if (IsWindows98Me(targetOs))
    return UpdateWin98(config, installFlags, processorName, processorFile, processorVersion,
                       message);
  return UpdateNt(config, targetOs, installFlags, processorName, processorFile, processorVersion,
                  message);
}

int RunInstallSequence(InstallJob job) {
  int succeeded = RunSteps(*job.selection, *job.work, InstallMessage);
  job.completion->result.store(succeeded ? InstallSucceeded : InstallFailed);
  return 0;
}
