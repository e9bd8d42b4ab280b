#include "uninstall/RemovalEngine.h"

#include "uninstall/UninstallInventory.h"
#include "unit/UninstallFixture.h"
#include "winsim/MessageBoxControl.h"
#include "winsim/ShellControl.h"

#include <algorithm>

namespace {

using Strings = std::vector<std::string>;
using Waits = std::vector<DWORD>;
using Failures = std::vector<RemovalFailure>;

class Removal : public UninstallTest {
 protected:
  // A USB printer of the family on its monitor's port, the monitor, the processor and the
  // vendor keys the installer wrote.
  void SetUp() override {
    UninstallTest::SetUp();
    Arrange();
  }
  void Arrange() {
    PutMonitor("AQ USB Monitor", "aqusbmon.dll", "USB_QM100_1");
    winsim::WriteFile(System("aqusbui.dll"), "MZ");
    PutProcessor("AQ Print Processor", "aqproc.dll");
    PutPrinter("QM-100", "QM-100 STD", "USB_QM100_1");
    for (const char* key : {"PORTNAME", "INSTALLPRINTER", "PRINTERPORT"})
      winsim::SetValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\VORTELL\\") + key, "USB_QM100_1",
                       REG_SZ, "1");
    FillInventory(settings, view);
  }
  void TickAll() {
    for (auto& item : view.items) item.checked = true;
  }
  Strings Run() {
    view.status.clear();
    view.states.clear();
    view.failures.clear();
    EXPECT_EQ(RemovalWorker(settings, view), 1);
    return view.status;
  }
  static bool VendorKey(const char* key) {
    return winsim::KeyExists(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\VORTELL\\") + key);
  }
};

TEST_F(Removal, ARunRemovesTheTickedEntriesTopDownWithItsLinesAndWaits) {
  ASSERT_EQ(view.Texts(), (Strings{"QM-100", "AQ USB Monitor", "AQ Print Processor"}));
  TickAll();
  EXPECT_EQ(
      Run(),
      (Strings{"Deleting printer QM-100,please wait...", "QM-100 has been deleted.",
               "Deleting QM-100's driver,please wait...", "The printer driver has been deleted.",
               "Deleting AQ USB Monitor,please wait...", "AQ USB Monitor has been deleted.",
               "Deleting AQ Print Processor,please wait...",
               "AQ Print Processor has been deleted."}));
  EXPECT_EQ(winsim::Sleeps(),
            (Waits{500, 100, 2000, 1000, 100, 1000, 500, 2000, 500, 500, 2000, 500}));
  EXPECT_TRUE(view.items.empty());
  EXPECT_TRUE(view.failures.empty());
  EXPECT_FALSE(HasPrinter("QM-100") || winsim::FindDriver("QM-100 STD", nullptr) ||
               winsim::HasMonitor("AQ USB Monitor") ||
               winsim::HasProcessor("Windows NT x86", "AQ Print Processor"));
  // DeletePrinterDriverA leaves the driver's files; the monitor's and processor's DLLs go.
  EXPECT_TRUE(winsim::FileExists(winsim::PrinterDriverDirectory() + "\\QM-100 STD.dll"));
  EXPECT_FALSE(winsim::FileExists(System("aqusbmon.dll")) ||
               winsim::FileExists(System("aqusbui.dll")) ||
               winsim::FileExists(Processors("aqproc.dll")));
  EXPECT_FALSE(VendorKey("PORTNAME") || VendorKey("INSTALLPRINTER"));
  EXPECT_TRUE(VendorKey("PRINTERPORT"));
  EXPECT_EQ(view.restartPrompts, 1);
  EXPECT_TRUE(winsim::ExitRequests().empty());
  // Busy from the start; back from busy, and the USB box back on XP.
  EXPECT_EQ(view.states, (Strings{"busy", "idle", "usb available"}));
}

// A 32-bit uninstaller on 64-bit Windows: the 64-bit spooler's entries are those of "Windows
// x64", and the monitor's DLLs lie in the native system directory, not in SysWOW64.
class Removal64 : public Removal {
 protected:
  void SetUp() override {
    UninstallTest::SetUp();
    winsim::SetWindows64(true);
    winsim::SetVersion(VER_PLATFORM_WIN32_NT, 6, 1);
    settings.osCode = Win7x64;
    std::string ini = kIni;
    for (size_t at; (at = ini.find(".2K]")) != std::string::npos;) ini.replace(at, 3, ".Win7x64");
    UseIni(ini);
    Arrange();
  }
};

TEST_F(Removal64, RemovesTheX64EntriesAndTheMonitorFilesOfTheNativeSystemDirectory) {
  ASSERT_EQ(view.Texts(), (Strings{"QM-100", "AQ USB Monitor", "AQ Print Processor"}));
  TickAll();
  Run();
  EXPECT_TRUE(view.items.empty());
  EXPECT_TRUE(view.failures.empty());
  EXPECT_FALSE(HasPrinter("QM-100") || winsim::FindDriver("QM-100 STD", nullptr) ||
               winsim::HasMonitor("AQ USB Monitor") ||
               winsim::HasProcessor("Windows x64", "AQ Print Processor"));
  EXPECT_FALSE(winsim::FileExists(System("aqusbmon.dll")) ||
               winsim::FileExists(System("aqusbui.dll")) ||
               winsim::FileExists(Processors("aqproc.dll")));
}

TEST_F(Removal, UntickedEntriesAreWaitedForAndLeftAndNoPromptFollows) {
  EXPECT_EQ(Run(), (Strings{"Please select the printers you want to uninstall."}));
  EXPECT_EQ(winsim::Sleeps(), (Waits{500, 500, 500}));
  EXPECT_EQ(view.items.size(), 3u);
  EXPECT_EQ(view.restartPrompts, 0);
  EXPECT_EQ(view.states.back(), "usb available");
}

TEST_F(Removal, APrinterFailureAbortsTheRunAndSkipsUsbAndPrompt) {
  struct Case {
    const char* function;
    Strings lines;
  } cases[] = {
      {"OpenPrinterA", {"Open QM-100 printer error."}},
      {"GetPrinterA", {"Deleting printer QM-100,please wait...", "Get printer info error"}},
      {"GlobalAlloc", {"Deleting printer QM-100,please wait...", "Allocate memory error"}},
      {"",
       {"Deleting printer QM-100,please wait...",
        "QM-100 can't be deleted,please delete jobs in printer first."}},
  };
  view.usbChecked = true;
  TickAll();
  winsim::SetPrinterJobs("QM-100", 2);
  for (const Case& c : cases) {
    if (*c.function) winsim::FailCall(c.function, ERROR_ACCESS_DENIED, 1);
    Strings expected = c.lines;
    expected.push_back("Please select the printers you want to uninstall.");
    EXPECT_EQ(Run(), expected) << c.function;
    EXPECT_EQ(view.failures, Failures{EntryKept}) << c.function;
    EXPECT_EQ(view.items.size(), 3u);
    EXPECT_EQ(view.states, (Strings{"busy", "idle", "usb available"}));
  }
  EXPECT_TRUE(winsim::ShellRuns().empty());
  EXPECT_EQ(view.restartPrompts, 0);
  EXPECT_TRUE(HasPrinter("QM-100") && winsim::HasMonitor("AQ USB Monitor"));
}

TEST_F(Removal, DriverAndPrinterFailuresGoOnWithTheNextEntry) {
  PutPrinter("QM-100 copy", "QM-100 STD", "LPT2:");
  view.items = {{"QM-100", true}, {"QM-100 copy", true}};
  winsim::FailCall("DeletePrinter", ERROR_ACCESS_DENIED, 1);
  Strings lines = Run();
  EXPECT_EQ(lines[1], "Delete printer error.");
  EXPECT_EQ(lines[5], "The driver is using,can't be deleted.");  // QM-100 still uses it
  EXPECT_EQ(view.Texts(), Strings{"QM-100"});
  EXPECT_EQ(view.failures, (Failures{EntryKept, DriverKept}));
  ASSERT_EQ(LoadDriverRemovalEntry(settings, nullptr), 1);
  winsim::FailCall("DeletePrinterDriverExA", ERROR_INVALID_PARAMETER);
  view.items[0].checked = true;
  EXPECT_EQ(Run()[3], "Delete printer driver error.    er=87");
  EXPECT_EQ(view.failures, Failures{DriverKept});
  EXPECT_TRUE(view.items.empty());
}

TEST_F(Removal, TheExtendedDeletionTakesTheDriversFilesAlong) {
  ASSERT_EQ(LoadDriverRemovalEntry(settings, nullptr), 1);
  view.items[0].checked = true;
  EXPECT_EQ(Run()[3], "The printer driver has been deleted.");
  EXPECT_FALSE(winsim::FileExists(winsim::PrinterDriverDirectory() + "\\QM-100 STD.dll"));
  UnloadDriverRemovalEntry(settings);
  winsim::FailCall("LoadLibraryA", ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(LoadDriverRemovalEntry(settings, nullptr), 0);
  EXPECT_EQ(winsim::MessageBoxTexts(), Strings{"no Winspool lib  "});
}

TEST_F(Removal, MonitorsAndProcessorsThatCannotGoAreReported) {
  PutPrinter("AQ COM printer", "Generic", "LPT3:", "AQ Print Processor");
  view.items = {{"AQ USB Monitor", true}, {"AQ Print Processor", true}, {"AQ COM printer", true}};
  winsim::FailCall("DeletePrinter", ERROR_ACCESS_DENIED);  // keeps QM-100 on the monitor's port
  EXPECT_EQ(Run(),
            (Strings{"Deleting AQ USB Monitor,please wait...",
                     "AQ USB Monitor is using,can't be deleted.",
                     "Deleting AQ Print Processor,please wait...",
                     "AQ Print Processor is using,can't be deleted.",
                     // A printer named like a monitor is taken for one.
                     "Deleting AQ COM printer,please wait...", "Uninstall AQ COM printer error.",
                     "Please select the printers you want to uninstall."}));
  EXPECT_EQ(winsim::Sleeps(), (Waits{500, 2000, 500, 100, 500, 100, 500, 2000, 500, 100}));
  EXPECT_EQ(view.failures, (Failures{EntryKept, EntryKept, EntryKept}));
  EXPECT_EQ(view.items.size(), 3u);
  winsim::FailCall("DeletePrintProcessorA", ERROR_ACCESS_DENIED, 1);
  EXPECT_EQ(Run()[3], "Uninstall AQ Print Processor error.");
}

TEST_F(Removal, Windows98KeepsDriversAndASerialMonitorInUse) {
  winsim::SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
  settings.osCode = Win98Me;
  PutMonitor("AQ COM Monitor", "aqcommon.dll", "AQCOM1:");
  PutPrinter("QM-200", "QM-200 STD", "AQCOM1:");
  view.items = {{"AQ COM Monitor", true}};
  EXPECT_EQ(Run(), (Strings{"Deleting AQ COM Monitor,please wait...",
                            "AQ COM Monitor can't be deleted,please delete jobs in printer first.",
                            "AQ COM Monitor is using,can't be deleted.",
                            "Please select the printers you want to uninstall."}));
  view.items = {{"QM-200", true}, {"AQ COM Monitor", true}};
  EXPECT_EQ(Run(), (Strings{"Deleting printer QM-200,please wait...", "QM-200 has been deleted.",
                            "Deleting AQ COM Monitor,please wait...",
                            "AQ COM Monitor has been deleted."}));
  EXPECT_TRUE(winsim::FindDriver("QM-200 STD", nullptr));
  EXPECT_TRUE(VendorKey("PORTNAME"));  // only a USB monitor takes the vendor keys
  EXPECT_EQ(view.states.back(), "idle") << "no USB device driver to remove on Windows 98";
}

TEST_F(Removal, Windows98AndNt4KeepThePrintersDriverAndTheUsbBoxOff) {
  struct Case {
    TargetOs os;
    DWORD platform, major, minor;
    bool driverRemoved;  // and the USB check box enabled again
  } cases[] = {
      {Win98Me, VER_PLATFORM_WIN32_WINDOWS, 4, 10, false},
      {WinNt4, VER_PLATFORM_WIN32_NT, 4, 0, false},
      {Win2000, VER_PLATFORM_WIN32_NT, 5, 0, true},
  };
  for (const Case& c : cases) {
    SetUp();
    winsim::SetVersion(c.platform, c.major, c.minor);
    settings.osCode = c.os;
    view.items = {{"QM-100", true}};
    Strings lines = Run();
    EXPECT_EQ(lines.size(), c.driverRemoved ? 4u : 2u) << c.os;
    EXPECT_EQ(!winsim::FindDriver("QM-100 STD", nullptr), c.driverRemoved) << c.os;
    bool usbEnabled =
        std::find(view.states.begin(), view.states.end(), "usb available") != view.states.end();
    EXPECT_EQ(usbEnabled, c.driverRemoved) << c.os;
  }
}

TEST_F(Removal, TheUsbStepWaitsWhileTheInstallersWindowIsOpen) {
  view.items.clear();
  view.usbChecked = true;
  winsim::WriteFile("C:\\MEDIUM\\USBDrv\\Install.exe", "MZ");
  winsim::ScriptProgramWindow("C:\\MEDIUM\\USBDrv\\Install.exe", "QELD print system setup", 2500);
  EXPECT_EQ(Run(), (Strings{"Deleting USB Device Driver", "USB Device Driver has been deleted"}));
  EXPECT_EQ(winsim::Sleeps(), (Waits{500, 1000, 1000, 500, 1000}));
  std::vector<winsim::ShellRun> runs = winsim::ShellRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].file, "C:\\MEDIUM\\USBDrv\\Install.exe");
  EXPECT_EQ(runs[0].verb + " " + runs[0].parameters, "open 22");
  EXPECT_EQ(runs[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(view.restartPrompts, 0);
}

TEST_F(Removal, TheJobCheckCoversEveryLocalPrinterBeforeAWorkerStarts) {
  PutPrinter("Office", "Laser", "LPT2:");
  TickAll();
  winsim::SetPrinterJobs("Office", 1);
  RemovalJob job{&settings, &view};
  EXPECT_EQ(OnUninstall(job), 0);
  winsim::SetPrinterJobs("Office", 0);
  winsim::FailCall("OpenPrinterA", ERROR_ACCESS_DENIED, 1);
  EXPECT_EQ(OnUninstall(job), 0);
  winsim::FailCall("GetPrinterA", ERROR_ACCESS_DENIED, 1);
  EXPECT_EQ(OnUninstall(job), 0);
  winsim::FailCall("GlobalAlloc", ERROR_NOT_ENOUGH_MEMORY, 2);  // the first is the enumeration
  EXPECT_EQ(OnUninstall(job), 0);
  EXPECT_EQ(view.status,
            (Strings{"Please delete jobs in printer Office first.", "Open Office printer error.",
                     "Get printer info error", "Allocate memory error"}));
  EXPECT_EQ(winsim::ThreadsStarted(), 0);
  EXPECT_EQ(view.items.size(), 3u);
  ASSERT_EQ(OnUninstall(job), 1);
  ASSERT_TRUE(view.WaitForState("usb available"));
  EXPECT_TRUE(view.items.empty());
}

}  // namespace
