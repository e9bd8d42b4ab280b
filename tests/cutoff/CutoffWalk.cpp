// The cut-off walk: an install of the sample medium loses its power at each of its simulated
// calls in turn; after the reboot the same install runs again, then the uninstaller's Select
// All and Uninstall. What each k leads to is grouped by the step the power went in and
// written as a markdown table (docs/interrupted-install.md).
#include "cutoff/CutoffWalk.h"

#include "engine/InstallCommand.h"
#include "package/PackageLayout.h"
#include "uninstall/RemovalEngine.h"
#include "uninstall/UninstallStartup.h"
#include "uninstall/UninstallState.h"
#include "unit/SampleMedium.h"
#include "unit/UninstallFixture.h"
#include "winsim/MessageBoxControl.h"
#include "winsim/Spooler.h"
#include "winsim/UsbControl.h"
#include "winsim/winsim.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

namespace {

const char kMedium[] = "D:\\QM";
const char kModel[] = "QM-A210";

// The wizard's windows as the Install command sees them; the progress window only waits.
struct WalkHost : InstallCommandHost {
  PortPageValues port{};
  HWND Window() override { return nullptr; }
  void RefreshPages() override {}
  void ReadPortPage(PortPageValues& values) override { values = port; }
  void MinimizeTopMost() override {}
  void RunProgress(InstallCompletion& completion) override {
    while (completion.result == InstallRunning && !winsim::PowerIsOff()) std::this_thread::yield();
  }
  void EndWizard() override {}
};

// " = data" of a listed value: a number for a DWORD, else its text up to the first NUL.
std::string ValueText(const std::string& listed) {
  size_t cut = listed.rfind('\\');
  DWORD type = 0;
  std::string data;
  if (cut == std::string::npos || cut + 1 == listed.size() ||
      !winsim::GetValue(HKEY_LOCAL_MACHINE, listed.substr(0, cut), listed.substr(cut + 1), &type,
                        &data))
    return "";
  if (type == REG_DWORD && data.size() == 4) {
    DWORD number = 0;
    memcpy(&number, data.data(), 4);
    return " = " + std::to_string(number);
  }
  return " = " + data.substr(0, data.find('\0'));
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string all;
  for (const std::string& text : texts) all += (all.empty() ? "" : " / ") + text;
  std::replace(all.begin(), all.end(), '\n', ' ');
  return all;
}

}  // namespace

void FreshMachine(const WalkCase& c) {
  winsim::Reset();
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, c.os == WinVista ? 6 : 5, c.os == WinVista ? 0 : 1);
  LoadSampleMedium(kMedium);
  for (const char* port : {"AQCOM1:", "USB_QM-A210_1"}) winsim::AddPort(port);
  winsim::InstallUsbLibrary(std::string(kMedium) + "\\AqUsbInt.dll");
  winsim::UsbPrinter printer;
  printer.bcdDevice = 8;  // identity 1: the check asks nothing
  winsim::AttachUsbPrinters({printer});
  // Keys every NT system has: its COM ports' settings (setup writes there only when the key
  // exists) and the spooler's own monitor and processor.
  winsim::SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
                   "COM1:", REG_SZ, std::string("9600,n,8,1") + '\0');
  const std::string print = "SYSTEM\\CurrentControlSet\\Control\\Print\\";
  winsim::SetValue(HKEY_LOCAL_MACHINE, print + "Monitors\\Local Port", "Driver", REG_SZ,
                   std::string("localspl.dll") + '\0');
  winsim::SetValue(HKEY_LOCAL_MACHINE,
                   print + "Environments\\Windows NT x86\\Print Processors\\WinPrint", "Driver",
                   REG_SZ, std::string("winprint.dll") + '\0');
}

SetupRun RunSetup(const WalkCase& c, int cutAt) {
  // A new setup.exe.
  winsim::SetModuleFileName(std::string(kMedium) + "\\setup.exe");
  winsim::SetCurrentDirectory(kMedium);
  auto work = std::make_unique<InstallWorkingData>();
  SetupSelection selection;
  ClearSelection(&selection);
  selection.module = ReceiptModule;
  selection.targetOs = c.os;
  strcpy(selection.modelName, kModel);
  ResolveIniPaths(ReceiptModule, selection.setupIniPath, selection.moduleIniPath);
  WalkHost host;
  strcpy(host.port.portName, c.port);
  host.port.serial = SerialSettings{9600, 8, 1.0, 'n', ' '};
  size_t boxesBefore = winsim::MessageBoxTexts().size();
  winsim::CutPowerAtCall(cutAt);
  int callsBefore = winsim::AllCalls();
  SetupRun run;
  run.cut = !winsim::RunUntilPowerCut([&] { InstallCommand(selection, *work, host); });
  run.calls = winsim::AllCalls() - callsBefore;
  std::vector<std::string> texts = winsim::MessageBoxTexts();
  texts.erase(texts.begin(), texts.begin() + static_cast<long>(boxesBefore));
  run.message = Joined(texts);
  return run;
}

void RunUninstall() {
  winsim::SetModuleFileName(std::string(kMedium) + "\\uninstall.exe");
  winsim::SetCurrentDirectory(kMedium);
  UninstallSettings settings;
  FakeView view;
  if (PrepareUninstall(settings, view, nullptr) && LoadDriverRemovalEntry(settings, nullptr)) {
    for (auto& item : view.items) item.checked = true;
    if (LocalPrintersAreIdle(view)) RemovalWorker(settings, view);
  }
  UnloadDriverRemovalEntry(settings);
}

std::vector<std::string> WorkingPrinters(const WalkCase& c) {
  const std::string nt = "Windows NT x86";
  std::vector<std::string> names;
  for (const winsim::SpoolerPrinter& printer : winsim::Printers()) {
    winsim::SpoolerDriver driver;
    std::vector<std::string> ports = winsim::Ports();
    bool ok = winsim::FindDriver(printer.driver, &driver) &&
              std::find(ports.begin(), ports.end(), printer.port) != ports.end() &&
              winsim::HasProcessor(nt, printer.processor);
    std::vector<std::string> files = {driver.driverPath, driver.dataFile, driver.configFile,
                                      driver.helpFile};
    files.insert(files.end(), driver.dependentFiles.begin(), driver.dependentFiles.end());
    for (const std::string& file : files)
      ok = ok &&
           (file.empty() || winsim::FileExists(winsim::PrinterDriverDirectory() + "\\" + file));
    if (printer.processor != "WinPrint")
      ok = ok && winsim::FileExists(winsim::PrintProcessorDirectory() + "\\" +
                                    winsim::ProcessorDll(nt, printer.processor));
    if (*c.monitor)
      ok = ok && winsim::HasMonitor(c.monitor) &&
           winsim::FileExists(winsim::SystemDirectory() + "\\" + winsim::MonitorDll(c.monitor));
    if (ok) names.push_back(printer.name);
  }
  return names;
}

std::set<std::string> MachineState() {
  std::set<std::string> state;
  for (const std::string& file : winsim::FilesUnder(winsim::WindowsDirectory()))
    state.insert("file " + file.substr(winsim::WindowsDirectory().size() + 1));
  for (const std::string& value : winsim::RegistryListing(HKEY_LOCAL_MACHINE))
    state.insert("HKLM\\" + value + ValueText(value));
  for (const winsim::SpoolerPrinter& printer : winsim::Printers())
    state.insert("printer " + printer.name);
  for (const std::string& port : winsim::Ports()) state.insert("port " + port);
  for (const winsim::SpoolerDriver& driver : winsim::DriverEntries())
    state.insert("driver " + driver.name);
  for (const winsim::SpoolerMonitorEntry& monitor : winsim::MonitorEntries())
    state.insert("monitor " + monitor.name);
  for (const std::string& processor : winsim::ProcessorNames("Windows NT x86"))
    state.insert("processor " + processor);
  return state;
}
