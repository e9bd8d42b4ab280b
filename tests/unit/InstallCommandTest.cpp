#include "engine/InstallCommand.h"

#include "engine/InstallNaming.h"
#include "engine/SetupText.h"
#include "package/PackageLayout.h"
#include "unit/SampleMedium.h"
#include "winsim/MessageBoxControl.h"
#include "winsim/ShellControl.h"
#include "winsim/SpoolerControl.h"
#include "winsim/UsbControl.h"
#include "winsim/VersionControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
const char kSuccess[] = "Successfully installed printer driver";
const char kFailedId[] = "Failed to set Printer ID!";
const char kInstaller[] = "D:\\QM\\USBDrv\\Install.exe";

// The wizard's windows as the command sees them; the progress window is its wait alone.
struct FakeHost : InstallCommandHost {
  PortPageValues port{};
  std::vector<std::string> calls;
  int resultWhenProgressEnded = -1;
  bool waitForResult = false;
  InstallRefusal refusal = NotRefused;
  HWND Window() override { return reinterpret_cast<HWND>(0x4242); }
  void RefreshPages() override { calls.push_back("refresh"); }
  void ReadPortPage(PortPageValues& values) override {
    calls.push_back("port");
    values = port;
  }
  void MinimizeTopMost() override { calls.push_back("minimize"); }
  void RunProgress(InstallCompletion& completion) override {
    calls.push_back("progress");
    waitForResult = completion.waitForResult;
    // Without waitForResult the bar's fixed run may end first: here it always does.
    for (int i = 0; i < 10000 && completion.waitForResult && completion.result == InstallRunning;
         ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    resultWhenProgressEnded = completion.result;
  }
  void Refused(InstallRefusal why) override { refusal = why; }
  void EndWizard() override { calls.push_back("end"); }
};

class InstallCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    host = FakeHost();
    winsim::SetModuleFileName("D:\\QM\\setup.exe");
    ASSERT_GT(LoadSampleMedium("D:\\QM"), 0);
    winsim::SetCurrentDirectory("D:\\QM");
    for (const char* port : {"AQCOM1:", "USB_QM-A210_1", "USB_QM-A210_2", "USB_QM-C3_3"})
      winsim::AddPort(port);
    winsim::InstallUsbLibrary("D:\\QM\\AqUsbInt.dll");
    // The reader finds the medium from the program's path when it is made, as in the wizard.
    work = std::make_unique<InstallWorkingData>();
    Choose(WinXp, "QM-A210", "LPT1:");
  }
  void TearDown() override {
    EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles();
  }

  void Choose(TargetOs os, const char* model, const char* port,
              PrinterModule module = ReceiptModule) {
    static const DWORD versions[][3] = {{1, 4, 10}, {2, 4, 0}, {2, 5, 0}, {2, 5, 1},
                                        {2, 5, 2},  {2, 6, 0}, {2, 6, 1}, {2, 6, 1}};
    winsim::SetVersion(versions[os][0], versions[os][1], versions[os][2]);
    winsim::SetWin9xSpooler(os == Win98Me);
    ClearSelection(&selection);
    selection.module = module;
    selection.targetOs = os;
    strcpy(selection.modelName, model);
    ResolveIniPaths(module, selection.setupIniPath, selection.moduleIniPath);
    strcpy(host.port.portName, port);
    host.port.serial = SerialSettings{9600, 8, 1.0, 'n', ' '};
  }
  static winsim::UsbPrinter Printer(WORD bcd, bool writeFails = false) {
    winsim::UsbPrinter printer;
    printer.bcdDevice = bcd;
    printer.writeFails = writeFails;
    return printer;
  }
  // Last byte of each identity command sent: the identity minus one.
  static std::vector<int> IdentitiesWritten() {
    std::vector<int> ids;
    for (const std::string& write : winsim::UsbWrites()) ids.push_back(write.back() + 1);
    return ids;
  }
  InstallOutcome Press() { return InstallCommand(selection, *work, host); }
  void ExpectAborted(const Texts& texts, InstallRefusal why) {
    EXPECT_EQ(Press(), InstallAborted);
    EXPECT_EQ(host.refusal, why);
    EXPECT_EQ(winsim::MessageBoxTexts(), texts);
    EXPECT_EQ(winsim::ThreadsStarted(), 0);
    EXPECT_EQ(host.calls, (Texts{"refresh", "port"}));
    EXPECT_TRUE(winsim::Printers().empty());
  }

  SetupSelection selection;
  std::unique_ptr<InstallWorkingData> work;
  FakeHost host;
};

TEST_F(InstallCommandTest, ACompletedRunShowsOneOutcomeAndEndsTheWizard) {
  EXPECT_EQ(Press(), InstallCompleted);
  EXPECT_EQ(host.calls, (Texts{"refresh", "port", "minimize", "progress", "end"}));
  EXPECT_TRUE(host.waitForResult);
  EXPECT_EQ(host.resultWhenProgressEnded, InstallSucceeded);
  EXPECT_EQ(winsim::ThreadsStarted(), 1);
  auto boxes = winsim::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, SetupText(IDS_INSTALLED));
  EXPECT_EQ(boxes[0].caption, "setup");
  EXPECT_EQ(boxes[0].owner, host.Window());
  winsim::SpoolerPrinter printer;
  ASSERT_TRUE(winsim::FindPrinter("QM-A210(P)", &printer));
  EXPECT_EQ(printer.port, "LPT1:");
  EXPECT_TRUE(winsim::ExitRequests().empty());
}

TEST_F(InstallCommandTest, RefusalsShowTheirTextAndLeaveTheWizardOpen) {
  Choose(WinXp, "", "LPT1:");
  ExpectAborted({SetupText(IDS_SELECT_MODULE_FIRST)}, NoModelChosen);

  for (const char* port : {"FILE:", "", "usb_1"}) {
    SetUp();
    Choose(WinXp, "QM-A210", port);
    ExpectAborted({SetupText(IDS_PORT_NOT_SUPPORTED)}, PortNotSupported);
  }

  // QM-R80 says 0; QM-NONE has no ".PORT" section at all.
  for (const char* model : {"QM-R80", "QM-NONE"}) {
    SetUp();
    Choose(WinServer2003, model, "LPT1:");
    ExpectAborted({SetupText(IDS_NO_SERVER_2003_SUPPORT)}, ModelNotForThisSystem);
    SetUp();
    Choose(Win7, model, "LPT1:");
    ExpectAborted({SetupText(IDS_NO_WIN7_SUPPORT)}, ModelNotForWindows7);
    SetUp();
    Choose(Win7x64, model, "LPT1:");
    ExpectAborted({SetupText(IDS_NO_X64_SUPPORT)}, ModelNotFor64BitWindows);
  }
}

TEST_F(InstallCommandTest, ARefusedInstallCanBeRepeatedWithOtherChoices) {
  strcpy(host.port.portName, "FILE:");
  EXPECT_EQ(Press(), InstallAborted);
  Choose(WinServer2003, "QM-A210", "COM1:");  // QM-A210 supports Server 2003
  host.calls.clear();
  EXPECT_EQ(Press(), InstallCompleted);
  EXPECT_TRUE(winsim::FindPrinter("QM-A210(S)", nullptr));
  EXPECT_EQ(winsim::ThreadsStarted(), 1);
  EXPECT_EQ(winsim::MessageBoxTexts(),
            (Texts{SetupText(IDS_PORT_NOT_SUPPORTED), SetupText(IDS_INSTALLED)}));
}

TEST_F(InstallCommandTest, NamesFollowThePortKind) {
  struct Row {
    const char* model;
    const char* port;
    const char* name;
    const char* printerPort;
  } rows[] = {
      {"QM-A210", "COM1:", "QM-A210(S)", "COM1:"},
      {"QM-A210", "AQCOM1:", "QM-A210(S)", "AQCOM1:"},
      {"QM-A210", "LPT2:", "QM-A210(P)", "LPT2:"},
      {"QM-A210", "USB_QM-A210_2", "QM-A210(U) 2", "USB_QM-A210_2"},
      {"QM-C3", "USB_QM-C3_2", "QM-C3(U) 2", "USB_QM-C3_2"},
      {"QM-C3W", "USB_QM-C3W_3", "QM-C3W(U) 3", "USB_QM-C3_3"},
      {"QM-A210", "USB_X_1_2", "QM-A210(U) 1(U) 2", "USB_X_1_2"},
  };
  for (const Row& row : rows) {
    SetupSelection s;
    ClearSelection(&s);
    strcpy(s.modelName, row.model);
    strcpy(s.portName, row.port);
    s.portKind = PortKindOf(row.port);
    char name[260];
    strcpy(name, row.model);
    AppendPortSuffix(name, sizeof name, row.port, s.portKind);
    EXPECT_STREQ(name, row.name) << row.port;
    EXPECT_STREQ(PrinterPortName(s), row.printerPort) << row.port;
  }
  char full[8] = "QM-A21";
  AppendPortSuffix(full, sizeof full, "LPT1:", ParallelPort);
  EXPECT_STREQ(full, "QM-A21(");  // cut, never past the buffer

  Choose(WinXp, "QM-C3", "USB_QM-C3_3", LabelModule);
  winsim::AttachUsbPrinters({Printer(8)});
  EXPECT_EQ(Press(), InstallCompleted);
  winsim::SpoolerPrinter printer;
  ASSERT_TRUE(winsim::FindPrinter("QM-C3(U) 3", &printer)) << work->message;
  EXPECT_EQ(printer.port, "USB_QM-C3_3");
  DWORD device = 0;
  EXPECT_TRUE(
      winsim::GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME", "USB_QM-C3_3", &device));
  EXPECT_EQ(winsim::MessageBoxTexts(), Texts{SetupText(IDS_INSTALLED_REPOWER_PRINTER)});
}

TEST_F(InstallCommandTest, MultiPrinterModeMatchesThePrinterToItsPort) {
  const char* question = SetupText(IDS_CHANGE_PRINTER_NAME_QUESTION);
  const char* oneUsb = SetupText(IDS_CONNECT_ONE_USB_PRINTER);
  struct Case {
    std::vector<winsim::UsbPrinter> printers;
    const char* port;
    std::vector<int> answers;
    Texts texts;  // boxes before the outcome
    std::vector<int> written;
    InstallRefusal refusal;  // NotRefused: the run completes
  } cases[] = {
      {{}, "USB_QM-A210_2", {}, {SetupText(IDS_NO_USB_DEVICE)}, {}, NoUsbPrinter},
      {{Printer(1), Printer(2)}, "USB_QM-A210_2", {}, {oneUsb}, {}, SeveralUsbPrinters},
      {{Printer(9)}, "USB_QM-A210_2", {}, {}, {}, NotRefused},
      {{Printer(5)}, "USB_QM-A210_2", {IDNO}, {question}, {}, IdentityChangeDeclined},
      {{Printer(5)}, "USB_QM-A210_2", {IDYES}, {question}, {2}, NotRefused},
      {{Printer(0)}, "USB_QM-A210", {IDYES}, {question, kFailedId}, {}, IdentityNotSet},
      {{Printer(5, true)},
       "USB_QM-A210_2",
       {IDYES},
       {question, "write ID error", kFailedId},
       {2},
       IdentityNotSet},
  };
  for (const Case& c : cases) {
    SetUp();
    Choose(WinXp, "QM-A210", c.port);
    selection.typicalSetup = 0;
    winsim::AttachUsbPrinters(c.printers);
    winsim::ScriptMessageBoxAnswers(c.answers);
    bool completes = c.refusal == NotRefused;
    EXPECT_EQ(Press(), completes ? InstallCompleted : InstallAborted) << c.port;
    EXPECT_EQ(host.refusal, c.refusal) << c.port;
    Texts texts = c.texts;
    if (completes) texts.push_back(SetupText(IDS_INSTALLED_REPOWER_PRINTER));
    EXPECT_EQ(winsim::MessageBoxTexts(), texts);
    EXPECT_EQ(IdentitiesWritten(), c.written);
    EXPECT_EQ(winsim::FindPrinter("QM-A210(U) 2", nullptr), completes);
  }
}

TEST_F(InstallCommandTest, SinglePrinterModeGivesThePrinterIdentityOne) {
  const char* question = SetupText(IDS_CHANGE_PRINTER_NAME_QUESTION);
  const char* oneUsb = SetupText(IDS_CONNECT_ONE_USB_PRINTER);
  struct Case {
    std::vector<winsim::UsbPrinter> printers;
    std::vector<int> answers;
    Texts texts;
    std::vector<int> written;
    InstallRefusal refusal;  // NotRefused: the run completes
  } cases[] = {
      {{}, {}, {}, {}, NotRefused},  // no readable identity: no check
      {{Printer(8)}, {}, {}, {}, NotRefused},
      {{Printer(3)}, {IDNO}, {question}, {}, IdentityChangeDeclined},
      {{Printer(3)}, {IDYES}, {question}, {1}, NotRefused},
      {{Printer(3, true)}, {IDYES}, {question, "write ID error"}, {1}, IdentityNotSet},
      {{Printer(0), Printer(0)}, {}, {oneUsb}, {}, SeveralUsbPrinters},
  };
  for (const Case& c : cases) {
    SetUp();
    Choose(WinXp, "QM-A210", "USB_QM-A210_1");
    winsim::AttachUsbPrinters(c.printers);
    winsim::ScriptMessageBoxAnswers(c.answers);
    bool completes = c.refusal == NotRefused;
    EXPECT_EQ(Press(), completes ? InstallCompleted : InstallAborted);
    EXPECT_EQ(host.refusal, c.refusal);
    Texts texts = c.texts;
    if (completes) texts.push_back(SetupText(IDS_INSTALLED_REPOWER_PRINTER));
    EXPECT_EQ(winsim::MessageBoxTexts(), texts);
    EXPECT_EQ(IdentitiesWritten(), c.written);
  }
}

TEST_F(InstallCommandTest, OnNt4TheUsbIdentityAndPortRecordComeBeforeTheRefusal) {
  Choose(WinNt4, "QM-A210", "USB_QM-A210_1");
  winsim::AttachUsbPrinters({Printer(3)});
  winsim::ScriptMessageBoxAnswers({IDYES});
  ExpectAborted({SetupText(IDS_CHANGE_PRINTER_NAME_QUESTION), SetupText(IDS_NO_USB_ON_NT4)},
                UsbNotOnThisSystem);
  EXPECT_EQ(IdentitiesWritten(), std::vector<int>{1});
  DWORD device = 0;
  EXPECT_TRUE(winsim::GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME", "USB_QM-A210_1",
                               &device));
  EXPECT_EQ(device, 1u);
  EXPECT_TRUE(winsim::KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PRINTERPORT"));
  EXPECT_TRUE(winsim::ShellRuns().empty());
}

TEST_F(InstallCommandTest, AMissingOrOlderUsbDriverStartsItsInstallerAndWaitsForItsWindow) {
  const std::string installed = winsim::SystemDirectory() + "\\drivers\\bulkusb.sys";
  struct Case {
    TargetOs os;
    const char* installedVersion;  // null: missing; the medium's is 1.0.0.5
    DWORD windowLifetime;
    int polls;     // sleeps of 100 ms after the first 500 ms; -1: not started
    bool present;  // the installer file is on the medium (a missing one is not reported)
  } cases[] = {{WinXp, nullptr, 1200, 7, true},    {Win2000, "1.0.0.4", INFINITE, 50, true},
               {WinXp, "1.0.0.4", 0, 0, false},    {WinXp, "1.0.0.5", 0, -1, true},
               {WinVista, "1.0.0.7", 0, -1, true}, {Win98Me, nullptr, 0, -1, true},
               {WinNt4, nullptr, 0, -1, true}};
  for (const Case& c : cases) {
    SetUp();
    Choose(c.os, "QM-A210", "USB_QM-A210_1");
    selection.typicalSetup = 0;  // no printer attached: the run stops after the installer with 139
    winsim::PutFileWithVersion("D:\\QM\\USBDRV\\bulkusb.sys", "1.0.0.5");
    if (c.installedVersion) {
      winsim::PutFileWithVersion(installed, c.installedVersion);
      SetFileAttributesA(installed.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    if (c.present) winsim::WriteFile(kInstaller, "MZ");
    winsim::ScriptProgramWindow(kInstaller, "QELD print system setup", c.windowLifetime);
    EXPECT_EQ(Press(), InstallAborted);
    EXPECT_EQ(winsim::MessageBoxTexts(), Texts{SetupText(IDS_NO_USB_DEVICE)});
    auto runs = winsim::ShellRuns();
    if (c.polls < 0) {
      EXPECT_TRUE(runs.empty()) << c.os;
      continue;
    }
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].owner, GetDesktopWindow());
    EXPECT_EQ(
        runs[0].verb + "|" + runs[0].file + "|" + runs[0].parameters + "|" + runs[0].directory,
        std::string("open|") + kInstaller + "|2|");
    EXPECT_EQ(runs[0].show, SW_SHOWNORMAL);
    std::vector<DWORD> sleeps(1, 500);
    sleeps.resize(1 + c.polls, 100);
    EXPECT_EQ(winsim::Sleeps(), sleeps);
    if (c.installedVersion) {
      EXPECT_EQ(GetFileAttributesA(installed.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    }
  }
}

TEST_F(InstallCommandTest, Windows98AsksForTheRestartAfterEveryCompletedRun) {
  Choose(Win98Me, "QM-A210", "LPT1:");
  winsim::ScriptMessageBoxAnswers({IDOK, IDYES});
  EXPECT_EQ(Press(), InstallCompleted);
  EXPECT_FALSE(host.waitForResult);
  EXPECT_EQ(winsim::MessageBoxTexts(), (Texts{kSuccess, SetupText(IDS_RESTART_QUESTION)}));
  EXPECT_EQ(winsim::MessageBoxes()[1].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  ASSERT_EQ(winsim::ExitRequests().size(), 1u);
  EXPECT_EQ(winsim::ExitRequests()[0].flags, static_cast<UINT>(EWX_REBOOT));
  EXPECT_EQ(winsim::ExitRequests()[0].reason, 0u);

  // A failed run, the worker still busy when the bar's fixed run ends: a restart that fails
  // is not reported, and No restarts nothing.
  for (int answer : {IDYES, IDNO}) {
    SetUp();
    Choose(Win98Me, "QM-A210", "LPT1:");
    winsim::FailCall("AddPrinterDriverA", ERROR_ACCESS_DENIED);
    winsim::FailCall("ExitWindowsEx", ERROR_PRIVILEGE_NOT_HELD);
    winsim::DelayThreadStarts(150);
    winsim::ScriptMessageBoxAnswers({IDOK, answer});
    EXPECT_EQ(Press(), InstallCompleted);
    EXPECT_EQ(host.resultWhenProgressEnded, InstallRunning);
    EXPECT_EQ(winsim::MessageBoxTexts(),
              (Texts{"Add printer driver error   er = 5", SetupText(IDS_RESTART_QUESTION)}));
    EXPECT_EQ(winsim::CallCount("ExitWindowsEx"), answer == IDYES ? 1 : 0);
    EXPECT_TRUE(winsim::ExitRequests().empty());
    EXPECT_EQ(host.calls.back(), "end");
  }
}

TEST_F(InstallCommandTest, AWorkerThatCannotStartIsReportedAsAFailure) {
  winsim::FailCall("CreateThread", ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(Press(), InstallCompleted);
  EXPECT_EQ(host.resultWhenProgressEnded, InstallFailed);
  EXPECT_EQ(winsim::MessageBoxTexts(), Texts{SetupText(IDS_OUT_OF_MEMORY)});
  EXPECT_TRUE(winsim::Printers().empty());
}

}  // namespace
