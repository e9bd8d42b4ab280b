// The spooler's enumerations of printers, monitors and print processors, and the removal of
// printers, drivers, monitors and processors, with the refusals Windows gives.
#include "winsim/FileSystem.h"
#include "winsim/Spooler.h"

#include <winspool.h>

#include <cstring>
#include <functional>
#include <map>

namespace winsim {
namespace {

const char* const kPrintKey = "SYSTEM\\CurrentControlSet\\Control\\Print";

struct RemovalState {
  std::map<std::string, DWORD> jobs;               // by Upper(printer)
  std::map<std::string, std::string> portMonitor;  // Upper(port) -> Upper(monitor)
};
RemovalState removal;

bool IsLocal(const char* server) { return !server || !*server; }
std::string Text(const char* text) { return text ? text : ""; }

// Lays out `count` records of `recordSize` bytes followed by their texts, as the
// enumerations do: FALSE with 122 and the size needed when the buffer is too small.
// `texts(i)` gives record i's texts; `fill(record, pointers)` sets its fields.
BOOL ReturnRecords(size_t count, size_t recordSize,
                   const std::function<std::vector<std::string>(size_t)>& texts,
                   const std::function<void(BYTE*, const std::vector<char*>&)>& fill, LPBYTE buffer,
                   DWORD size, LPDWORD needed, LPDWORD returned) {
  size_t bytes = count * recordSize;
  for (size_t i = 0; i < count; ++i)
    for (const std::string& text : texts(i)) bytes += text.size() + 1;
  if (needed) *needed = static_cast<DWORD>(bytes);
  if (returned) *returned = 0;
  if (bytes > 0 && (!buffer || size < bytes)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  char* text = reinterpret_cast<char*>(buffer + count * recordSize);
  for (size_t i = 0; i < count; ++i) {
    std::vector<char*> pointers;
    for (const std::string& value : texts(i)) {
      memcpy(text, value.c_str(), value.size() + 1);
      pointers.push_back(text);
      text += value.size() + 1;
    }
    memset(buffer + i * recordSize, 0, recordSize);
    fill(buffer + i * recordSize, pointers);
  }
  if (returned) *returned = static_cast<DWORD>(count);
  return TRUE;
}

bool DriverInUse(const std::string& driver) {
  for (const SpoolerPrinter& printer : Printers())
    if (EqualNoCase(printer.driver, driver)) return true;
  return false;
}

// The driver's files that no other driver names, deleted from the driver directory.
void DeleteUnusedDriverFiles(const SpoolerDriver& driver) {
  std::vector<std::string> files = {driver.driverPath, driver.dataFile, driver.configFile,
                                    driver.helpFile};
  files.insert(files.end(), driver.dependentFiles.begin(), driver.dependentFiles.end());
  std::string dir = SpoolerDriverDirectory(driver.environment);
  std::vector<SpoolerDriver> others = DriverEntries();
  for (const std::string& file : files) {
    if (file.empty()) continue;
    bool shared = false;
    for (const SpoolerDriver& other : others) {
      std::vector<std::string> used = {other.driverPath, other.dataFile, other.configFile,
                                       other.helpFile};
      used.insert(used.end(), other.dependentFiles.begin(), other.dependentFiles.end());
      for (const std::string& name : used)
        shared = shared || (other.environment == driver.environment && EqualNoCase(name, file));
    }
    if (!shared) RemovePath(file.find('\\') == std::string::npos ? dir + "\\" + file : file);
  }
}

}  // namespace

void ResetSpoolerRemoval() { removal = RemovalState(); }

DWORD PrinterJobs(const std::string& name) {
  auto it = removal.jobs.find(Upper(name));
  return it == removal.jobs.end() ? 0 : it->second;
}

void SetPrinterJobs(const std::string& printer, DWORD jobs) {
  WINSIM_LOCK;
  removal.jobs[Upper(printer)] = jobs;
}

void AddMonitorPort(const std::string& monitor, const std::string& port) {
  WINSIM_LOCK;
  AddPort(port);
  removal.portMonitor[Upper(port)] = Upper(monitor);
}

BOOL WINAPI SimDeletePrinterDriverExA(LPSTR server, LPSTR environment, LPSTR driverName,
                                      DWORD deleteFlag, DWORD versionFlag) {
  WINSIM_LOCK;
  if (FailsNow("DeletePrinterDriverExA", driverName)) return FALSE;
  const DWORD known = DPD_DELETE_UNUSED_FILES | DPD_DELETE_SPECIFIC_VERSION | DPD_DELETE_ALL_FILES;
  if (!IsLocal(server) || !driverName || !*driverName || (deleteFlag & ~known)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string env = SpoolerEnvironment(environment);
  if (env.empty()) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  SpoolerDriver driver;
  if (!FindDriver(driverName, &driver) || !EqualNoCase(driver.environment, env) ||
      ((deleteFlag & DPD_DELETE_SPECIFIC_VERSION) && driver.version != versionFlag)) {
    SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
    return FALSE;
  }
  if (DriverInUse(driver.name)) {
    SetLastError(ERROR_PRINTER_DRIVER_IN_USE);
    return FALSE;
  }
  EraseDriver(driver.name);
  if (deleteFlag & (DPD_DELETE_UNUSED_FILES | DPD_DELETE_ALL_FILES))
    DeleteUnusedDriverFiles(driver);
  return TRUE;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

BOOL WINAPI EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size,
                          LPDWORD needed, LPDWORD returned) {
  WINSIM_LOCK;
  if (FailsNow("EnumPrintersA")) return FALSE;
  // Only the local printers at level 5 are simulated.
  if (level != 5) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  if (!(flags & PRINTER_ENUM_LOCAL) || (name && *name)) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  std::vector<SpoolerPrinter> printers = Printers();
  return ReturnRecords(
      printers.size(), sizeof(PRINTER_INFO_5A),
      [&](size_t i) {
        return std::vector<std::string>{printers[i].name, printers[i].port};
      },
      [&](BYTE* record, const std::vector<char*>& texts) {
        auto* info = reinterpret_cast<PRINTER_INFO_5A*>(record);
        info->pPrinterName = texts[0];
        info->pPortName = texts[1];
        info->Attributes = PRINTER_ATTRIBUTE_LOCAL;
        info->DeviceNotSelectedTimeout = 15000;
        info->TransmissionRetryTimeout = 45000;
      },
      buffer, size, needed, returned);
}

BOOL WINAPI EnumMonitorsA(LPSTR server, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                          LPDWORD returned) {
  WINSIM_LOCK;
  if (FailsNow("EnumMonitorsA")) return FALSE;
  if (!IsLocal(server) || (level != 1 && level != 2)) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  // The spooler's own monitor of the LPT, COM and FILE ports is always there.
  std::vector<SpoolerMonitorEntry> monitors = {
      SpoolerMonitorEntry{"Local Port", SpoolerEnvironment(nullptr), "localspl.dll"}};
  for (const SpoolerMonitorEntry& monitor : MonitorEntries()) monitors.push_back(monitor);
  size_t recordSize = level == 1 ? sizeof(MONITOR_INFO_1A) : sizeof(MONITOR_INFO_2A);
  return ReturnRecords(
      monitors.size(), recordSize,
      [&](size_t i) {
        if (level == 1) return std::vector<std::string>{monitors[i].name};
        return std::vector<std::string>{monitors[i].name, monitors[i].environment, monitors[i].dll};
      },
      [&](BYTE* record, const std::vector<char*>& texts) {
        if (level == 1) {
          reinterpret_cast<MONITOR_INFO_1A*>(record)->pName = texts[0];
          return;
        }
        auto* info = reinterpret_cast<MONITOR_INFO_2A*>(record);
        info->pName = texts[0];
        info->pEnvironment = texts[1];
        info->pDLLName = texts[2];
      },
      buffer, size, needed, returned);
}

BOOL WINAPI EnumPrintProcessorsA(LPSTR server, LPSTR environment, DWORD level, LPBYTE buffer,
                                 DWORD size, LPDWORD needed, LPDWORD returned) {
  WINSIM_LOCK;
  if (FailsNow("EnumPrintProcessorsA", environment)) return FALSE;
  std::string env = SpoolerEnvironment(environment);
  if (!IsLocal(server) || level != 1 || env.empty()) {
    SetLastError(env.empty() ? ERROR_INVALID_ENVIRONMENT : ERROR_INVALID_LEVEL);
    return FALSE;
  }
  std::vector<std::string> names = ProcessorNames(env);
  return ReturnRecords(
      names.size(), sizeof(PRINTPROCESSOR_INFO_1A),
      [&](size_t i) { return std::vector<std::string>{names[i]}; },
      [&](BYTE* record, const std::vector<char*>& texts) {
        reinterpret_cast<PRINTPROCESSOR_INFO_1A*>(record)->pName = texts[0];
      },
      buffer, size, needed, returned);
}

BOOL WINAPI DeletePrinter(HANDLE handle) {
  WINSIM_LOCK;
  if (FailsNow("DeletePrinter")) return FALSE;
  SpoolerPrinter* printer = OpenedPrinter(handle, DELETE);
  if (!printer) return FALSE;
  // The handle stays open (ClosePrinter still closes it) but names no printer any more.
  std::string name = printer->name;
  removal.jobs.erase(Upper(name));
  ErasePrinter(name);
  return TRUE;
}

BOOL WINAPI DeletePrinterDriverA(LPSTR server, LPSTR environment, LPSTR driverName) {
  WINSIM_LOCK;
  if (FailsNow("DeletePrinterDriverA", driverName)) return FALSE;
  if (!IsLocal(server) || !driverName || !*driverName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string env = SpoolerEnvironment(environment);
  SpoolerDriver driver;
  if (env.empty()) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  if (!FindDriver(driverName, &driver) || !EqualNoCase(driver.environment, env)) {
    SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
    return FALSE;
  }
  if (DriverInUse(driver.name)) {
    SetLastError(ERROR_PRINTER_DRIVER_IN_USE);
    return FALSE;
  }
  // The files stay where they are.
  EraseDriver(driver.name);
  return TRUE;
}

BOOL WINAPI DeleteMonitorA(LPSTR server, LPSTR environment, LPSTR monitorName) {
  WINSIM_LOCK;
  if (FailsNow("DeleteMonitorA", monitorName)) return FALSE;
  if (!IsLocal(server) || !monitorName || !*monitorName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string env = SpoolerEnvironment(environment);
  if (env.empty() || SpoolerCannotLoad(env)) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  if (!HasMonitor(monitorName)) {
    SetLastError(ERROR_UNKNOWN_PRINT_MONITOR);
    return FALSE;
  }
  std::string monitor = Upper(monitorName);
  for (const SpoolerPrinter& printer : Printers()) {
    auto owner = removal.portMonitor.find(Upper(printer.port));
    if (owner != removal.portMonitor.end() && owner->second == monitor) {
      SetLastError(ERROR_PRINT_MONITOR_IN_USE);
      return FALSE;
    }
  }
  for (auto it = removal.portMonitor.begin(); it != removal.portMonitor.end();) {
    if (it->second != monitor) {
      ++it;
      continue;
    }
    ErasePort(it->first);
    it = removal.portMonitor.erase(it);
  }
  EraseMonitor(monitorName);
  // The monitor's key goes with it (through the registry function itself: it counts a call).
  RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                (std::string(kPrintKey) + "\\Monitors\\" + Text(monitorName)).c_str());
  return TRUE;
}

BOOL WINAPI DeletePrintProcessorA(LPSTR server, LPSTR environment, LPSTR processorName) {
  WINSIM_LOCK;
  if (FailsNow("DeletePrintProcessorA", processorName)) return FALSE;
  if (!IsLocal(server) || !processorName || !*processorName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string env = SpoolerEnvironment(environment);
  if (env.empty()) {
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return FALSE;
  }
  if (!HasProcessor(env, processorName)) {
    SetLastError(ERROR_UNKNOWN_PRINTPROCESSOR);
    return FALSE;
  }
  // A processor that a printer prints through cannot go.
  for (const SpoolerPrinter& printer : Printers()) {
    if (EqualNoCase(printer.processor, processorName)) {
      SetLastError(ERROR_CAN_NOT_COMPLETE);
      return FALSE;
    }
  }
  EraseProcessor(env, processorName);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kPrintKey) + "\\Environments\\" + env +
                                     "\\Print Processors\\" + Text(processorName))
                                        .c_str());
  return TRUE;
}

}  // extern "C"
