#include "engine/InstallSequence.h"

#include "common/BoundedText.h"
#include "common/RegKey.h"
#include "common/SpoolerEnvironment.h"
#include "common/SpoolerService.h"
#include "engine/SetupText.h"
#include "engine/SpoolerOperations.h"
#include "engine/Windows98Extras.h"
#include "ports/SerialRegistration.h"

#include <cctype>
#include <cstring>

namespace {

const char* const kMonitorsKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";
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

// The key of a print processor of the system's spooler environment.
void ProcessorKeyPath(char (&path)[kKeyPathSize], TargetOs targetOs, const char* name) {
  FormatText(path, sizeof path,
             "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\%s\\Print Processors\\%s",
             EnvironmentKeyName(targetOs), name ? name : "");
}

// A registered version older than the medium's, or none that can be read, is outdated.
bool IsOutdated(RegKey& key, int configured) {
  DWORD registered = 0;
  return !key.QueryDword("DriverVersion", &registered) ||
         static_cast<DWORD>(configured) > registered;
}

// One monitor of InstallPortMonitors: checked by version when registered, else installed.
int InstallMonitor(const MONITOR_INFO_2A& monitor, const char* uiDll, int version,
                   TargetOs targetOs, int outdatedBit, bool reportCopies, StepMessage& message) {
  char path[kKeyPathSize];
  KeyPath(path, kMonitorsKey, monitor.pName);
  {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path)) return IsOutdated(key, version) ? outdatedBit : 0;
  }
  StepMessage discarded;
  StepMessage& copyMessage = reportCopies ? message : discarded;
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
                       StepMessage& message) {
  CopyText(resultName, file);
  if (!IsInUseResult(CopyPackageFile(file, kind, Win98Me, PlainCopy, message))) return 1;
  if (IsInUseResult(CopyPackageFile(file, kind, Win98Me, PrefixedCopy, message))) {
    message.Fail(SystemFailure, SetupText(IDS_FATAL_ERROR_REBOOT));
    return 0;
  }
  FormatText(resultName, sizeof resultName, "n%s", file);
  return 1;
}

int UpdateWin98(ModuleConfig& config, int installFlags, const char* processorName,
                const char* processorFile, int processorVersion, StepMessage& message) {
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
    ProcessorKeyPath(path, Win98Me, processorName);
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

// The one outdated component an NT update replaces, monitors first: the file from the medium,
// the key that records its version, and whether that key also names the file.
struct NtComponent {
  bool isProcessor;
  const char* file;
  const char* keyName;
  int version;
  bool recordsFile;
};

bool OutdatedNtComponent(int installFlags, const MonitorSet& monitors, const char* processorName,
                         const char* processorFile, int processorVersion, NtComponent& component) {
  if (installFlags & ComMonitorOutdated)
    component = {false, monitors.serialMonitor.pDLLName, monitors.serialMonitor.pName,
                 monitors.serialMonitorVersion, false};
  else if (installFlags & UsbMonitorOutdated)
    component = {false, monitors.usbMonitor.pDLLName, monitors.usbMonitor.pName,
                 monitors.usbMonitorVersion, true};
  else if (installFlags & ProcessorOutdated)
    component = {true, processorFile, processorName, processorVersion, false};
  else
    return false;
  return true;
}

// The processor goes straight into the spooler's processor directory; the copy is complete
// or the run ends with its message.
bool CopyNtProcessor(const char* processorDir, const char* processorFile, TargetOs targetOs,
                     StepMessage& message) {
  char current[256];
  DWORD length = GetCurrentDirectoryA(sizeof current, current);
  if (length == 0 || length >= sizeof current) {
    message.Fail(DriverFilesFailure, SetupText(IDS_NO_CURRENT_SYSTEM_DIRECTORY));
    return false;
  }
  char source[MAX_PATH];
  char destination[MAX_PATH];
  const char* file = processorFile ? processorFile : "";
  int fits = FormatText(source, sizeof source, "%s%s%s", current, OsSubdirectory(targetOs), file);
  fits &= FormatText(destination, sizeof destination, "%s\\%s", processorDir, file);
  // A cut path names some other file: it is reported like a failed copy.
  if (!fits || !CopyFileA(source, destination, FALSE)) {
    char text[1024];
    FormatText(text, sizeof text, "%s%s", SetupText(IDS_COPY_DRIVER_FILES_ERROR), source);
    message.Fail(DriverFilesFailure, text);
    return false;
  }
  return true;
}

// A DLL still in use or protected was not replaced. The installation goes on with the old
// one, but its version is not recorded as the new one, so that the next run sees the
// component as outdated and tries again.
bool ReplaceNtComponent(const NtComponent& component, const char* processorDir, TargetOs targetOs,
                        StepMessage& message) {
  bool copied = true;
  if (component.isProcessor) {
    if (!CopyNtProcessor(processorDir, component.file, targetOs, message)) return false;
  } else {
    copied =
        CopyPackageFile(component.file, SystemDirectory, targetOs, PlainCopy, message) == Copied;
    if (!message.text.empty()) return false;
  }
  char path[kKeyPathSize];
  if (component.isProcessor)
    ProcessorKeyPath(path, targetOs, component.keyName);
  else
    KeyPath(path, kMonitorsKey, component.keyName);
  RegKey key;
  if (copied && key.Open(HKEY_LOCAL_MACHINE, path)) {
    if (component.recordsFile) key.SetString("Driver", component.file);
    key.SetDword("DriverVersion", static_cast<DWORD>(component.version));
  }
  return true;
}

// What the spooler service says when it does not start or come up is a failure of the system.
void StartSpoolerService(StepMessage& message) {
  std::string reason;
  StartSpooler(reason);
  if (!reason.empty()) message.Fail(SystemFailure, reason.c_str());
}
int SpoolerComesUp(StepMessage& message) {
  std::string reason;
  if (WaitSpoolerRunning(reason)) return 1;
  message.Fail(SystemFailure, reason.c_str());
  return 0;
}

// The spooler is started twice, with the pause each system needs between, before it is
// waited for; 0 when it does not come up.
int RestartSpoolerAfterUpdate(TargetOs targetOs, StepMessage& message) {
  StartSpoolerService(message);
  if (targetOs == WinNt4 || targetOs == Win2000)
    Sleep(1000);
  else if (targetOs == WinXp || targetOs == WinServer2003)
    Sleep(2500);
  StartSpoolerService(message);
  Sleep(1000);
  if (!SpoolerComesUp(message)) {
    StartSpoolerService(message);
    return 0;
  }
  return 1;
}

int UpdateNt(ModuleConfig& config, TargetOs targetOs, int installFlags, const char* processorName,
             const char* processorFile, int processorVersion, StepMessage& message) {
  char processorDir[256];
  if (installFlags & ProcessorOutdated) {
    DWORD needed = 0;
    if (!GetPrintProcessorDirectoryA(nullptr, NativeSpoolerEnvironment(targetOs), 1,
                                     reinterpret_cast<LPBYTE>(processorDir), sizeof processorDir,
                                     &needed)) {
      message.Fail(ProcessorFailure, SetupText(IDS_NO_PROCESSOR_DIRECTORY));
      return 0;
    }
  }
  // A loaded monitor or processor DLL can only be replaced while the spooler is stopped.
  StopSpooler();
  Sleep(500);
  MonitorSet monitors;
  memset(&monitors, 0, sizeof monitors);
  config.ReadMonitorSet(targetOs, &monitors);
  NtComponent component;
  if (OutdatedNtComponent(installFlags, monitors, processorName, processorFile, processorVersion,
                          component) &&
      !ReplaceNtComponent(component, processorDir, targetOs, message))
    return 0;
  return RestartSpoolerAfterUpdate(targetOs, message);
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

// The steps of a run, in their order. Each answers false when the run ends with it, its
// message written.

bool InstallMonitors(SetupSelection& selection, InstallWorkingData& work, StepMessage& message) {
  selection.installFlags = 0;
  int monitors = InstallPortMonitors(work.config, selection.targetOs, selection.portName, message);
  if (monitors == InstallStepFailed) return false;
  selection.installFlags = monitors;
  return true;
}

bool InstallProcessor(SetupSelection& selection, InstallWorkingData& work, StepMessage& message) {
  int processor =
      InstallPrintProcessor(work.config, selection.targetOs, work.printer.pPrintProcessor,
                            work.files.processorDll, message);
  if (processor == InstallStepFailed) return false;
  selection.installFlags |= processor;
  return true;
}

bool UpdateComponents(const SetupSelection& selection, InstallWorkingData& work,
                      StepMessage& message) {
  int processorVersion = work.config.ReadProcessorVersion();
  return selection.installFlags == 0 ||
         UpdateOutdatedComponents(work.config, selection.targetOs, selection.installFlags,
                                  work.printer.pPrintProcessor, work.files.processorDll,
                                  processorVersion, message);
}

bool CheckUsbPorts(const SetupSelection& selection, StepMessage& message) {
  return selection.portKind != UsbPort || CheckSpoolerPorts(message);
}

bool CopyDriverFiles(TargetOs targetOs, const DriverFileSet& files, StepMessage& message) {
  const char* mandatory[] = {files.configFile, files.dataFile, files.driverPath, files.helpFile};
  for (const char* file : mandatory) {
    if (IsEmpty(file)) {
      message.Fail(DriverFilesFailure, SetupText(IDS_DRIVER_FILES_LOST));
      return false;
    }
  }
  for (const char* file : mandatory) {
    CopyPackageFile(file, DriverDirectory, targetOs, PlainCopy, message);
    if (!message.text.empty()) return false;
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
    if (!message.text.empty()) return false;
  }
  return true;
}

// What the system needs beside the driver's own files: Windows 98/Me's libraries, the driver
// kit's files, and the resource file a driver-kit model cannot do without.
bool CopySystemFiles(const SetupSelection& selection, InstallWorkingData& work,
                     StepMessage& message) {
  TargetOs targetOs = selection.targetOs;
  bool usesDdk = work.config.UsesDdkDriver(selection.module, selection.modelName, targetOs, selection.driverMode);
  InstallWindows98Extras(targetOs, usesDdk, message);
  const char* modelLibrary = Windows98ModelLibrary(selection.modelName);
  if (IsWindows98Me(targetOs) && modelLibrary) {
    CopyPackageFile(modelLibrary, DriverDirectory, targetOs, PlainCopy, message);
    if (!message.text.empty()) return false;
  }
  if (usesDdk && IsEmpty(work.files.dataFileDll)) {
    message.Fail(DriverFilesFailure, SetupText(IDS_DRIVER_FILES_LOST));
    return false;
  }
  return true;
}

bool AddDriver(InstallWorkingData& work, StepMessage& message) {
  return AddPrinterDriverChecked(&work.driver, message) != 0;
}

// The name is numbered in `printerName`, a buffer of the full printer-name size; the record
// keeps pointing at its own buffer afterwards, and the final name goes on in modelName.
bool AddNamedPrinter(SetupSelection& selection, InstallWorkingData& work,
                     char (&printerName)[kPrinterNameSize], StepMessage& message) {
  if (selection.portKind == UsbPort) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kVendorPortKey)) key.SetDword(selection.portName, 0);
  }
  CopyText(printerName, work.printer.pPrinterName);
  char* recordName = work.printer.pPrinterName;
  work.printer.pPrinterName = printerName;
  int added = AddPrinterChecked(&work.printer, 2, selection.portKind != UsbPort, message);
  work.printer.pPrinterName = recordName;
  if (!added) return false;
  CopyText(selection.modelName, printerName);
  return !IsEmpty(selection.modelName);
}

// The default printer, the serial port's settings and, on the NT spooler, the success text.
void ApplyPrinterSettings(SetupSelection& selection, const char* printerName,
                          StepMessage& message) {
  if (selection.setAsDefault) SetDefaultPrinterByName(printerName);
  if (selection.portKind == SerialPort) RegisterSerialSettings(selection);
  if (HasNtSpooler(selection.targetOs))
    message = StepMessage{
        SetupText(selection.portKind == UsbPort ? IDS_INSTALLED_REPOWER_PRINTER : IDS_INSTALLED),
        NoFailure};
}

// 1 when the run may report success.
int RunSteps(SetupSelection& selection, InstallWorkingData& work, StepMessage& message) {
  Sleep(100);
  if (!InstallMonitors(selection, work, message)) return 0;
  if (!InstallProcessor(selection, work, message)) return 0;
  if (!UpdateComponents(selection, work, message)) return 0;
  if (!CheckUsbPorts(selection, message)) return 0;
  if (!CopyDriverFiles(selection.targetOs, work.files, message)) return 0;
  if (!CopySystemFiles(selection, work, message)) return 0;
  if (!AddDriver(work, message)) return 0;
  char printerName[kPrinterNameSize];
  if (!AddNamedPrinter(selection, work, printerName, message)) return 0;
  ApplyPrinterSettings(selection, printerName, message);
  return 1;
}

}  // namespace

int InstallPortMonitors(ModuleConfig& config, TargetOs targetOs, const char* portName,
                        StepMessage& message) {
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
                          const char* processorFile, StepMessage& message) {
  int version = config.ReadProcessorVersion();
  // The system's own processor is never installed or updated.
  if (processorName && strcmp(processorName, "WinPrint") == 0) return 0;
  char path[kKeyPathSize];
  ProcessorKeyPath(path, targetOs, processorName);
  // Without a name the path is the list of all processors, whose values are no version.
  if (!IsEmpty(processorName)) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path)) return IsOutdated(key, version) ? ProcessorOutdated : 0;
  }
  if (!IsEmpty(processorFile)) {
    StepMessage discarded;
    CopyPackageFile(processorFile, ProcessorDirectory, targetOs, PlainCopy, discarded);
  }
  if (!AddPrintProcessorChecked(processorName, processorFile, targetOs)) {
    message.Fail(ProcessorFailure, SetupText(IDS_ADD_PROCESSOR_ERROR));
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
                             int processorVersion, StepMessage& message) {
  if (IsWindows98Me(targetOs))
    return UpdateWin98(config, installFlags, processorName, processorFile, processorVersion,
                       message);
  return UpdateNt(config, targetOs, installFlags, processorName, processorFile, processorVersion,
                  message);
}

int RunInstallSequence(InstallJob job) {
  // The text stays the program's outcome text; its kind goes with the result.
  StepMessage message{job.work->message, NoFailure};
  int succeeded = RunSteps(*job.selection, *job.work, message);
  job.work->message = message.text;
  job.completion->failure = message.failure;
  job.completion->result.store(succeeded ? InstallSucceeded : InstallFailed);
  return 0;
}
