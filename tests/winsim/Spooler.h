// Internal: what the spooler's other files (SpoolerRemoval.cpp) share with Spooler.cpp.
#pragma once

#include "winsim/Machine.h"
#include "winsim/SpoolerControl.h"

#include <string>
#include <vector>

namespace winsim {

// The environment a call names ("" for an unknown one), the current one for null or "".
std::string SpoolerEnvironment(const char* environment);
// On 64-bit Windows the spooler loads nothing of another environment than x64.
bool SpoolerCannotLoad(const std::string& environment);
std::string SpoolerDriverDirectory(const std::string& environment);
// Null with the last error set when the handle names no printer or lacks the right.
SpoolerPrinter* OpenedPrinter(HANDLE handle, ACCESS_MASK right);
void ErasePrinter(const std::string& name);
void EraseDriver(const std::string& name);
void EraseMonitor(const std::string& name);
void EraseProcessor(const std::string& environment, const std::string& name);
void ErasePort(const std::string& name);
struct SpoolerMonitorEntry {
  std::string name;
  std::string environment;
  std::string dll;
};
std::vector<SpoolerMonitorEntry> MonitorEntries();
std::vector<SpoolerDriver> DriverEntries();
std::vector<std::string> ProcessorNames(const std::string& environment);

// Kept by SpoolerRemoval.cpp.
DWORD PrinterJobs(const std::string& name);
void ResetSpoolerRemoval();
BOOL WINAPI SimDeletePrinterDriverExA(LPSTR server, LPSTR environment, LPSTR driverName,
                                      DWORD deleteFlag, DWORD versionFlag);

}  // namespace winsim
