// Test control and inspection of the simulated print spooler.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winsim {

struct SpoolerPrinter {
  std::string name;
  std::string port;
  std::string driver;
  std::string processor;
  DWORD attributes;
  std::string datatype;  // "" when the record gave none
};

struct SpoolerDriver {
  std::string name;
  std::string environment;
  DWORD version;
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::vector<std::string> dependentFiles;
};

// The spooler of Windows 98/Me: current environment "Windows 4.0", driver and processor
// directories in the system directory. Set it together with winsim::SetVersion.
void SetWin9xSpooler(bool win9x);

// Makes the file at `path` (created if missing) a DLL the spooler can load as a port monitor
// or print processor: AddMonitorA and AddPrintProcessorA refuse any other file (126 or 127).
// Copies of it are such DLLs too.
void MakeMonitorDll(const std::string& path);
void MakeProcessorDll(const std::string& path);

// A port the spooler offers besides the built-in LPT1:-LPT3:, COM1:-COM4: and FILE:.
void AddPort(const std::string& name);
std::vector<std::string> Ports();

bool HasMonitor(const std::string& name);
std::string MonitorDll(const std::string& name);  // "" when not installed
bool HasProcessor(const std::string& environment, const std::string& name);
std::string ProcessorDll(const std::string& environment, const std::string& name);
bool FindDriver(const std::string& name, SpoolerDriver* driver);
std::vector<SpoolerPrinter> Printers();
bool FindPrinter(const std::string& name, SpoolerPrinter* printer);
std::string DefaultPrinter();  // "" when none

// Spooler directories as the directory queries give them for an environment (null: the
// running platform's, as for a 32-bit client).
std::string PrinterDriverDirectory(const char* environment = nullptr);
std::string PrintProcessorDirectory(const char* environment = nullptr);

// Jobs queued on a printer (GetPrinterA's cJobs); a new printer has none.
void SetPrinterJobs(const std::string& printer, DWORD jobs);
// A port that `monitor` offers: DeleteMonitorA refuses with 3008 while a printer is on it,
// and takes it away with the monitor.
void AddMonitorPort(const std::string& monitor, const std::string& port);

}  // namespace winsim
