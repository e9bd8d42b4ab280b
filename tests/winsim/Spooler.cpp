// The print spooler: monitors, print processors, drivers, printers, ports, the default
// printer and the spooler's directories, with the error codes Windows gives.
#include "winsim/FileSystem.h"
#include "winsim/Spooler.h"
#include "winsim/SpoolerControl.h"

#include <winspool.h>

#include <cstring>
#include <map>

namespace winsim {
namespace {

const char* const kNtEnvironment = "Windows NT x86";
const char* const kWin9xEnvironment = "Windows 4.0";
// The spooler's own environment on 64-bit Windows; a 32-bit client's null still means x86.
const char* const kX64Environment = "Windows x64";
const char* const kPrintKey = "SYSTEM\\CurrentControlSet\\Control\\Print";
// What the spooler looks up in a monitor or print processor DLL it loads.
const std::vector<std::string> kMonitorEntries = {
    "InitializePrintMonitor2|InitializePrintMonitor|InitializeMonitorEx"};
const std::vector<std::string> kProcessorEntries = {
    "EnumPrintProcessorDatatypesW|EnumPrintProcessorDatatypesA", "OpenPrintProcessor",
    "PrintDocumentOnPrintProcessor", "ClosePrintProcessor", "ControlPrintProcessor"};

struct Monitor {
  std::string name;
  std::string environment;
  std::string dll;
};
struct Processor {
  std::string environment;
  std::string name;
  std::string dll;
};

struct SpoolerState {
  std::vector<std::string> ports;
  std::map<std::string, Monitor> monitors;         // by Upper(name)
  std::map<std::string, Processor> processors;     // by Upper(environment + "|" + name)
  std::map<std::string, SpoolerDriver> drivers;    // by Upper(name)
  std::map<std::string, SpoolerPrinter> printers;  // by Upper(name)
  struct Opened {
    std::string name;  // Upper(name)
    ACCESS_MASK access;
  };
  std::map<uintptr_t, Opened> openPrinters;
  std::string defaultPrinter;
  bool win9x = false;
};
SpoolerState spooler;

std::string Text(const char* text) { return text ? text : ""; }

bool IsWin9x() { return spooler.win9x; }

std::string CurrentEnvironment() { return IsWin9x() ? kWin9xEnvironment : kNtEnvironment; }
// What the spooler itself loads and prints with: on 64-bit Windows only x64 monitors, drivers
// and processors, whatever a 32-bit client's null stands for.
std::string LoadingEnvironment() { return Windows64() ? kX64Environment : CurrentEnvironment(); }
bool CannotLoad(const std::string& environment) {
  return Windows64() && environment != kX64Environment;
}

// The environment a call names, or the current one for null; "" for an unknown name.
std::string Environment(const char* environment) {
  if (!environment || !*environment) return CurrentEnvironment();
  if (EqualNoCase(environment, kNtEnvironment)) return kNtEnvironment;
  if (EqualNoCase(environment, kWin9xEnvironment)) return kWin9xEnvironment;
  if (Windows64() && EqualNoCase(environment, kX64Environment)) return kX64Environment;
  return "";
}

const char* EnvironmentDirectory(const std::string& environment) {
  if (environment == kWin9xEnvironment) return "win40";
  return environment == kX64Environment ? "x64" : "w32x86";
}

std::string DriverDirectoryFor(const std::string& environment) {
  if (IsWin9x()) return SystemDirectory();
  return SystemDirectory() + "\\spool\\drivers\\" + EnvironmentDirectory(environment);
}

std::string ProcessorDirectoryFor(const std::string& environment) {
  if (IsWin9x()) return SystemDirectory();
  return SystemDirectory() + "\\spool\\prtprocs\\" + EnvironmentDirectory(environment);
}

bool IsLocal(const char* server) { return !server || !*server; }

// The query pattern shared by the directory functions: FALSE with 122 and the size needed
// when the buffer is too small.
BOOL ReturnDirectory(const std::string& dir, LPBYTE buffer, DWORD size, LPDWORD needed) {
  PutDirectory(dir);
  DWORD bytes = static_cast<DWORD>(dir.size() + 1);
  if (needed) *needed = bytes;
  if (!buffer || size < bytes) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  memcpy(buffer, dir.c_str(), bytes);
  return TRUE;
}

void SetRegistryDriver(const std::string& path, const std::string& dll) {
  SetValue(HKEY_LOCAL_MACHINE, path, "Driver", REG_SZ, dll + std::string(1, '\0'));
}

BOOL WINAPI SimSetDefaultPrinterA(LPCSTR name) {
  WINSIM_LOCK;
  if (FailsNow("SetDefaultPrinterA", name)) return FALSE;
  auto it = spooler.printers.find(Upper(Text(name)));
  if (it == spooler.printers.end()) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return FALSE;
  }
  spooler.defaultPrinter = it->second.name;
  return TRUE;
}

// Lays out a PRINTER_INFO_2A and its texts in one buffer, as GetPrinterA does.
DWORD PrinterInfoSize(const SpoolerPrinter& p) {
  return static_cast<DWORD>(sizeof(PRINTER_INFO_2A) + p.name.size() + p.port.size() +
                            p.driver.size() + p.processor.size() + strlen("RAW") + 5);
}

void FillPrinterInfo(const SpoolerPrinter& p, LPBYTE buffer) {
  auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer);
  memset(info, 0, sizeof *info);
  char* text = reinterpret_cast<char*>(buffer + sizeof *info);
  auto put = [&text](const std::string& value) {
    char* start = text;
    memcpy(text, value.c_str(), value.size() + 1);
    text += value.size() + 1;
    return start;
  };
  info->pPrinterName = put(p.name);
  info->pPortName = put(p.port);
  info->pDriverName = put(p.driver);
  info->pPrintProcessor = put(p.processor);
  info->pDatatype = put("RAW");
  info->Attributes = p.attributes;
  info->cJobs = PrinterJobs(p.name);
  if (EqualNoCase(p.name, spooler.defaultPrinter)) info->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
}

// The printer behind an open handle, or null with the last error set. Windows 98/Me knows
// no access rights; NT gives a handle only the rights it was opened with.
SpoolerPrinter* PrinterOf(HANDLE handle, ACCESS_MASK right) {
  auto it = spooler.openPrinters.find(reinterpret_cast<uintptr_t>(handle));
  auto printer = it == spooler.openPrinters.end() ? spooler.printers.end()
                                                  : spooler.printers.find(it->second.name);
  if (printer == spooler.printers.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!IsWin9x() && (it->second.access & right) != right) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return &printer->second;
}

HANDLE OpenPrinterHandle(const std::string& name, ACCESS_MASK access) {
  uintptr_t handle = NewHandle(HandleKind::Printer);
  spooler.openPrinters[handle] = SpoolerState::Opened{Upper(name), access};
  return reinterpret_cast<HANDLE>(handle);
}

// Where the spooler looks for a driver file: a bare name in the driver directory.
std::string DriverFilePath(const std::string& dir, const char* file) {
  std::string name = Text(file);
  bool bare = name.find('\\') == std::string::npos && name.find('/') == std::string::npos &&
              name.find(':') == std::string::npos;
  return FullPath(bare ? dir + "\\" + name : name);
}

bool IsFile(const std::string& fullPath) {
  FileNode* node = fullPath.empty() ? nullptr : FindNode(fullPath);
  return node && !node->directory;
}

}  // namespace

void ResetSpooler() {
  spooler = SpoolerState();
  spooler.ports = {"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "FILE:"};
  // The system's own print processor is always there.
  spooler.processors[Upper(std::string(kNtEnvironment) + "|WinPrint")] =
      Processor{kNtEnvironment, "WinPrint", "winprint.dll"};
  spooler.processors[Upper(std::string(kWin9xEnvironment) + "|WinPrint")] =
      Processor{kWin9xEnvironment, "WinPrint", "winprint.dll"};
  spooler.processors[Upper(std::string(kX64Environment) + "|WinPrint")] =
      Processor{kX64Environment, "WinPrint", "winprint.dll"};
  UpdateWinspoolExports(VER_PLATFORM_WIN32_NT, 5);
  ResetSpoolerRemoval();
}

void RebootSpooler() { spooler.openPrinters.clear(); }

void UpdateWinspoolExports(DWORD platform, DWORD major) {
  // SetDefaultPrinterA and DeletePrinterDriverExA came with Windows 2000.
  Exports exports;
  if (platform == VER_PLATFORM_WIN32_NT && major >= 5) {
    exports["SetDefaultPrinterA"] = reinterpret_cast<void*>(&SimSetDefaultPrinterA);
    exports["DeletePrinterDriverExA"] = reinterpret_cast<void*>(&SimDeletePrinterDriverExA);
  }
  RegisterSystemModule("winspool.drv", exports);
}

void MakeMonitorDll(const std::string& path) {
  static int entry;
  RegisterModuleImage(path, {{"InitializePrintMonitor2", &entry}});
}

void MakeProcessorDll(const std::string& path) {
  static int entry;
  Exports exports;
  for (const std::string& names : kProcessorEntries)
    exports[names.substr(0, names.find('|'))] = &entry;
  RegisterModuleImage(path, exports);
}

void SetWin9xSpooler(bool win9x) {
  WINSIM_LOCK;
  spooler.win9x = win9x;
}

void AddPort(const std::string& name) {
  WINSIM_LOCK;
  spooler.ports.push_back(name);
}

std::vector<std::string> Ports() {
  WINSIM_LOCK;
  return spooler.ports;
}

bool HasMonitor(const std::string& name) {
  WINSIM_LOCK;
  return spooler.monitors.count(Upper(name)) != 0;
}

std::string MonitorDll(const std::string& name) {
  WINSIM_LOCK;
  auto it = spooler.monitors.find(Upper(name));
  return it == spooler.monitors.end() ? "" : it->second.dll;
}

bool HasProcessor(const std::string& environment, const std::string& name) {
  WINSIM_LOCK;
  return spooler.processors.count(Upper(environment + "|" + name)) != 0;
}

std::string ProcessorDll(const std::string& environment, const std::string& name) {
  WINSIM_LOCK;
  auto it = spooler.processors.find(Upper(environment + "|" + name));
  return it == spooler.processors.end() ? "" : it->second.dll;
}

bool FindDriver(const std::string& name, SpoolerDriver* driver) {
  WINSIM_LOCK;
  auto it = spooler.drivers.find(Upper(name));
  if (it == spooler.drivers.end()) return false;
  if (driver) *driver = it->second;
  return true;
}

std::vector<SpoolerPrinter> Printers() {
  WINSIM_LOCK;
  std::vector<SpoolerPrinter> result;
  for (const auto& p : spooler.printers) result.push_back(p.second);
  return result;
}

bool FindPrinter(const std::string& name, SpoolerPrinter* printer) {
  WINSIM_LOCK;
  auto it = spooler.printers.find(Upper(name));
  if (it == spooler.printers.end()) return false;
  if (printer) *printer = it->second;
  return true;
}

std::string DefaultPrinter() {
  WINSIM_LOCK;
  return spooler.defaultPrinter;
}

std::string PrinterDriverDirectory(const char* environment) {
  WINSIM_LOCK;
  return DriverDirectoryFor(Environment(environment));
}

std::string PrintProcessorDirectory(const char* environment) {
  WINSIM_LOCK;
  return ProcessorDirectoryFor(Environment(environment));
}

}  // namespace winsim

using namespace winsim;

extern "C" {

BOOL WINAPI GetPrinterDriverDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE buffer,
                                       DWORD size, LPDWORD needed) {
  WINSIM_LOCK;
  if (FailsNow("GetPrinterDriverDirectoryA", environment)) return FALSE;
  std::string env = Environment(environment);
  if (!IsLocal(server) || level != 1 || env.empty()) {
    SetLastError(env.empty() ? ERROR_INVALID_ENVIRONMENT : ERROR_INVALID_LEVEL);
    return FALSE;
  }
  // The spooler keeps the files of version-3 drivers in the "3" subdirectory.
  PutDirectory(DriverDirectoryFor(env) + "\\3");
  return ReturnDirectory(DriverDirectoryFor(env), buffer, size, needed);
}

BOOL WINAPI GetPrintProcessorDirectoryA(LPSTR server, LPSTR environment, DWORD level, LPBYTE buffer,
                                        DWORD size, LPDWORD needed) {
  WINSIM_LOCK;
  if (FailsNow("GetPrintProcessorDirectoryA", environment)) return FALSE;
  std::string env = Environment(environment);
  if (!IsLocal(server) || level != 1 || env.empty()) {
    SetLastError(env.empty() ? ERROR_INVALID_ENVIRONMENT : ERROR_INVALID_LEVEL);
    return FALSE;
  }
  return ReturnDirectory(ProcessorDirectoryFor(env), buffer, size, needed);
}

BOOL WINAPI AddMonitorA(LPSTR server, DWORD level, LPBYTE data) {
  WINSIM_LOCK;
  const auto* info = reinterpret_cast<const MONITOR_INFO_2A*>(data);
  if (FailsNow("AddMonitorA", info ? info->pName : nullptr)) return FALSE;
  if (level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  std::string env = info ? Environment(info->pEnvironment) : "";
  if (!IsLocal(server) || !info || !info->pName || !*info->pName || !info->pDLLName ||
      !*info->pDLLName || env.empty()) {
    SetLastError(env.empty() && info ? ERROR_INVALID_ENVIRONMENT : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (CannotLoad(env)) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  if (spooler.monitors.count(Upper(info->pName))) {
    SetLastError(ERROR_PRINT_MONITOR_ALREADY_INSTALLED);
    return FALSE;
  }
  // The spooler loads the monitor from the system directory at once.
  if (DWORD error =
          LoadError(FullPath(SystemDirectory() + "\\" + info->pDLLName), kMonitorEntries)) {
    SetLastError(error);
    return FALSE;
  }
  spooler.monitors[Upper(info->pName)] = Monitor{info->pName, env, info->pDLLName};
  SetRegistryDriver(std::string(kPrintKey) + "\\Monitors\\" + info->pName, info->pDLLName);
  return TRUE;
}

BOOL WINAPI AddPrintProcessorA(LPSTR server, LPSTR environment, LPSTR pathName,
                               LPSTR processorName) {
  WINSIM_LOCK;
  if (FailsNow("AddPrintProcessorA", processorName)) return FALSE;
  std::string env = Environment(environment);
  if (!IsLocal(server) || !pathName || !*pathName || !processorName || !*processorName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (env.empty()) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  std::string key = Upper(env + "|" + processorName);
  if (spooler.processors.count(key)) {
    SetLastError(ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED);
    return FALSE;
  }
  if (DWORD error =
          LoadError(FullPath(ProcessorDirectoryFor(env) + "\\" + pathName), kProcessorEntries)) {
    SetLastError(error);
    return FALSE;
  }
  spooler.processors[key] = Processor{env, processorName, pathName};
  SetRegistryDriver(
      std::string(kPrintKey) + "\\Environments\\" + env + "\\Print Processors\\" + processorName,
      pathName);
  return TRUE;
}

BOOL WINAPI AddPrinterDriverA(LPSTR server, DWORD level, LPBYTE data) {
  WINSIM_LOCK;
  const auto* info = reinterpret_cast<const DRIVER_INFO_3A*>(data);
  if (FailsNow("AddPrinterDriverA", info ? info->pName : nullptr)) return FALSE;
  if (level != 2 && level != 3) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  if (!IsLocal(server) || !info || !info->pName || !*info->pName || !info->pDriverPath ||
      !info->pDataFile || !info->pConfigFile) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string env = Environment(info->pEnvironment);
  if (env.empty()) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  if (!*info->pDriverPath || !*info->pDataFile || !*info->pConfigFile) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The driver's files must already lie in the driver directory; an empty help file or
  // dependent-file list names none.
  std::string dir = DriverDirectoryFor(env);
  std::vector<const char*> files = {info->pDriverPath, info->pDataFile, info->pConfigFile};
  if (level == 3) {
    if (info->pHelpFile && *info->pHelpFile) files.push_back(info->pHelpFile);
    for (const char* p = info->pDependentFiles; p && *p; p += strlen(p) + 1) files.push_back(p);
  }
  for (const char* file : files) {
    if (!IsFile(DriverFilePath(dir, file))) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return FALSE;
    }
  }
  SpoolerDriver driver;
  driver.name = info->pName;
  driver.environment = env;
  driver.version = info->cVersion;
  driver.driverPath = info->pDriverPath;
  driver.dataFile = info->pDataFile;
  driver.configFile = info->pConfigFile;
  if (level == 3) {
    driver.helpFile = Text(info->pHelpFile);
    for (const char* p = info->pDependentFiles; p && *p; p += strlen(p) + 1)
      driver.dependentFiles.push_back(p);
  }
  spooler.drivers[Upper(driver.name)] = driver;
  return TRUE;
}

HANDLE WINAPI AddPrinterA(LPSTR server, DWORD level, LPBYTE data) {
  WINSIM_LOCK;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(data);
  if (FailsNow("AddPrinterA", info ? info->pPrinterName : nullptr)) return nullptr;
  if (level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return nullptr;
  }
  if (!IsLocal(server) || !info || !info->pPrinterName || !*info->pPrinterName ||
      !info->pPortName || !info->pDriverName || !info->pPrintProcessor) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string name = info->pPrinterName;
  // "," separates a printer name from its job or port part, "\\" a server from a printer.
  if (name.find_first_of(",\\") != std::string::npos) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return nullptr;
  }
  if (spooler.printers.count(Upper(name))) {
    SetLastError(ERROR_PRINTER_ALREADY_EXISTS);
    return nullptr;
  }
  auto driver = spooler.drivers.find(Upper(info->pDriverName));
  if (driver == spooler.drivers.end() || CannotLoad(driver->second.environment)) {
    SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
    return nullptr;
  }
  if (!spooler.processors.count(Upper(LoadingEnvironment() + "|" + info->pPrintProcessor))) {
    SetLastError(ERROR_UNKNOWN_PRINTPROCESSOR);
    return nullptr;
  }
  bool portKnown = false;
  for (const std::string& port : spooler.ports)
    portKnown = portKnown || EqualNoCase(port, info->pPortName);
  if (!portKnown) {
    SetLastError(ERROR_UNKNOWN_PORT);
    return nullptr;
  }
  spooler.printers[Upper(name)] =
      SpoolerPrinter{name, info->pPortName, info->pDriverName, info->pPrintProcessor,
                     info->Attributes & ~PRINTER_ATTRIBUTE_DEFAULT,
                     info->pDatatype ? info->pDatatype : ""};
  return OpenPrinterHandle(name, PRINTER_ALL_ACCESS);
}

BOOL WINAPI OpenPrinterA(LPSTR name, HANDLE* handle, LPPRINTER_DEFAULTSA defaults) {
  WINSIM_LOCK;
  if (FailsNow("OpenPrinterA", name)) return FALSE;
  if (!handle) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!name || !spooler.printers.count(Upper(name))) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return FALSE;
  }
  // Without defaults a handle may use the printer, not administer it.
  ACCESS_MASK access =
      defaults && defaults->DesiredAccess ? defaults->DesiredAccess : PRINTER_ACCESS_USE;
  if (access & (GENERIC_ALL | GENERIC_WRITE)) access |= PRINTER_ALL_ACCESS;
  *handle = OpenPrinterHandle(name, access);
  return TRUE;
}

BOOL WINAPI ClosePrinter(HANDLE handle) {
  WINSIM_LOCK;
  return CloseTracked("ClosePrinter", HandleKind::Printer, handle, spooler.openPrinters);
}

BOOL WINAPI GetPrinterA(HANDLE handle, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
  WINSIM_LOCK;
  if (FailsNow("GetPrinterA")) return FALSE;
  SpoolerPrinter* printer = PrinterOf(handle, 0);
  if (!printer) return FALSE;
  if (level != 2) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  DWORD bytes = PrinterInfoSize(*printer);
  if (needed) *needed = bytes;
  if (!buffer || size < bytes) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  FillPrinterInfo(*printer, buffer);
  return TRUE;
}

BOOL WINAPI SetPrinterA(HANDLE handle, DWORD level, LPBYTE data, DWORD command) {
  WINSIM_LOCK;
  if (FailsNow("SetPrinterA")) return FALSE;
  SpoolerPrinter* printer = PrinterOf(handle, PRINTER_ACCESS_ADMINISTER);
  if (!printer) return FALSE;
  if (level != 2 || !data || command != 0) {
    SetLastError(level != 2 ? ERROR_INVALID_LEVEL : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(data);
  printer->attributes = info->Attributes & ~PRINTER_ATTRIBUTE_DEFAULT;
  if (info->Attributes & PRINTER_ATTRIBUTE_DEFAULT) spooler.defaultPrinter = printer->name;
  return TRUE;
}

BOOL WINAPI EnumPortsA(LPSTR server, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                       LPDWORD returned) {
  WINSIM_LOCK;
  if (FailsNow("EnumPortsA")) return FALSE;
  if (!IsLocal(server) || level != 1) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  DWORD bytes = 0;
  for (const std::string& port : spooler.ports)
    bytes += static_cast<DWORD>(sizeof(PORT_INFO_1A) + port.size() + 1);
  if (needed) *needed = bytes;
  if (returned) *returned = 0;
  if (!buffer || size < bytes) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto* infos = reinterpret_cast<PORT_INFO_1A*>(buffer);
  char* text = reinterpret_cast<char*>(buffer + sizeof(PORT_INFO_1A) * spooler.ports.size());
  for (size_t i = 0; i < spooler.ports.size(); ++i) {
    memcpy(text, spooler.ports[i].c_str(), spooler.ports[i].size() + 1);
    infos[i].pName = text;
    text += spooler.ports[i].size() + 1;
  }
  if (returned) *returned = static_cast<DWORD>(spooler.ports.size());
  return TRUE;
}

}  // extern "C"

// For SpoolerRemoval.cpp, which adds the enumeration and removal functions.
namespace winsim {

std::string SpoolerEnvironment(const char* environment) { return Environment(environment); }

bool SpoolerCannotLoad(const std::string& environment) { return CannotLoad(environment); }

std::string SpoolerDriverDirectory(const std::string& environment) {
  return DriverDirectoryFor(environment);
}

SpoolerPrinter* OpenedPrinter(HANDLE handle, ACCESS_MASK right) {
  return PrinterOf(handle, right);
}

void ErasePrinter(const std::string& name) {
  spooler.printers.erase(Upper(name));
  if (EqualNoCase(spooler.defaultPrinter, name)) spooler.defaultPrinter.clear();
}

void EraseDriver(const std::string& name) { spooler.drivers.erase(Upper(name)); }

void EraseMonitor(const std::string& name) { spooler.monitors.erase(Upper(name)); }

void EraseProcessor(const std::string& environment, const std::string& name) {
  spooler.processors.erase(Upper(environment + "|" + name));
}

void ErasePort(const std::string& name) {
  for (auto it = spooler.ports.begin(); it != spooler.ports.end();)
    it = EqualNoCase(*it, name) ? spooler.ports.erase(it) : it + 1;
}

std::vector<SpoolerMonitorEntry> MonitorEntries() {
  std::vector<SpoolerMonitorEntry> entries;
  for (const auto& m : spooler.monitors)
    entries.push_back(SpoolerMonitorEntry{m.second.name, m.second.environment, m.second.dll});
  return entries;
}

std::vector<SpoolerDriver> DriverEntries() {
  std::vector<SpoolerDriver> drivers;
  for (const auto& d : spooler.drivers) drivers.push_back(d.second);
  return drivers;
}

std::vector<std::string> ProcessorNames(const std::string& environment) {
  std::vector<std::string> names;
  for (const auto& p : spooler.processors)
    if (p.second.environment == environment) names.push_back(p.second.name);
  return names;
}

}  // namespace winsim
