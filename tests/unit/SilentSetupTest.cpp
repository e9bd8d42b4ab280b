#include "wizard/SilentSetup.h"

#include "common/SilentExitCodes.h"
#include "engine/InstallRecord.h"
#include "engine/SetupText.h"
#include "unit/SampleMedium.h"
#include "winsim/MessageBoxControl.h"
#include "winsim/ShellControl.h"
#include "winsim/SpoolerControl.h"
#include "winsim/SyncControl.h"
#include "winsim/TokenControl.h"
#include "winsim/UsbControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

const char kLog[] = "D:\\logs\\setup.log";

TEST(SilentSetupArguments, EverySwitchIsTakenInTheListsSpelling) {
  SilentSetupOptions o;
  ASSERT_TRUE(ParseSilentSetup(
      "/s -MODEL=QM-A210 /Port=AQCOM1: /advanced /default /setid /norestart /baud=9600 "
      "/databits=7 /parity=odd /stopbits=1.5 /flow=xon/xoff \"/log=C:\\My Logs\\a.txt\"",
      o));
  EXPECT_EQ(o.model, "QM-A210");
  EXPECT_EQ(o.port, "AQCOM1:");
  EXPECT_TRUE(o.advanced && o.setDefault && o.setId && o.noRestart && o.hasLog);
  EXPECT_EQ(o.baud + o.dataBits + o.parity + o.stopBits + o.flow, "96007Odd1.5Xon/Xoff");
  EXPECT_EQ(o.logPath, "C:\\My Logs\\a.txt");
}

TEST(SilentSetupArguments, ABadArgumentIsNamed) {
  struct Row {
    const char* line;
    const char* bad;
  } rows[] = {
      {"/S /model=A /port=B /baud=1234", "/baud=1234"},
      {"/S /model=A /port=B /fast", "/fast"},
      {"/S /model=A /port=B /default=1", "/default=1"},
      {"/S /model=A /model=C /port=B", "/model=C"},
      {"/S /model=A /port=B /log=", "/log="},
      {"/S /model=A", "missing /port="},
      {"/model=A /port=B", "missing /S"},
  };
  for (const Row& row : rows) {
    SilentSetupOptions o;
    EXPECT_FALSE(ParseSilentSetup(row.line, o)) << row.line;
    EXPECT_EQ(o.badArgument, row.bad) << row.line;
  }
  SilentSetupOptions o;
  EXPECT_FALSE(ParseSilentSetup("/S /bogus /log=x.txt /model=A /port=B", o));
  EXPECT_TRUE(o.hasLog) << "the log still names the bad argument";
}

// The codes are published (docs/silent-mode.md): the numbers are spelt out.
TEST(SilentSetupCodes, EachRefusalAndEngineFailureHasItsPublishedCode) {
  const std::pair<InstallRefusal, int> refusals[] = {
      {NoModelChosen, 20},  {ModelNotForThisSystem, 21}, {PortNotSupported, 24},
      {NoUsbPrinter, 25},   {SeveralUsbPrinters, 26},    {IdentityChangeDeclined, 27},
      {IdentityNotSet, 28}, {UsbNotOnThisSystem, 29}, {ModelNotForWindows7, 14},
      {ModelNotFor64BitWindows, 15}};
  for (const auto& row : refusals) EXPECT_EQ(SetupRefusalCode(row.first), row.second) << row.first;
  const std::pair<InstallFailure, int> failures[] = {
      {MonitorFailure, 30}, {ProcessorFailure, 31}, {DriverFilesFailure, 32}, {DriverFailure, 33},
      {PrinterFailure, 34}, {SystemFailure, 35},    {NoFailure, 35}};
  for (const auto& row : failures)
    EXPECT_EQ(SetupOutcomeCode(InstallFailed, row.first, WinXp), row.second) << row.first;
  EXPECT_EQ(SetupOutcomeCode(InstallSucceeded, NoFailure, WinXp), 0);
  EXPECT_EQ(SetupOutcomeCode(InstallSucceeded, NoFailure, Win98Me), 3010);
}

class SilentSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\QM\\setup.exe");
    ASSERT_GT(LoadSampleMedium("D:\\QM"), 0);
    winsim::SetCurrentDirectory("D:\\QM");
    winsim::MakeDirectory("D:\\logs");
    for (const char* port : {"AQCOM1:", "USB_QM-A210_1", "USB_QM-A210_2"}) winsim::AddPort(port);
    winsim::InstallUsbLibrary("D:\\QM\\AqUsbInt.dll");
  }
  void TearDown() override {
    EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles();
  }
  static int Run(const std::string& switches) {
    std::string line = "/S /log=" + std::string(kLog) + " " + switches;
    return RunSilentSetup(line.c_str());
  }
  static std::string Log() { return winsim::ReadFile(kLog); }
  static winsim::UsbPrinter Printer(WORD bcd) {
    winsim::UsbPrinter printer;
    printer.bcdDevice = bcd;
    return printer;
  }
};

TEST_F(SilentSetupTest, AParallelInstallLeavesTheWizardsPrinterAndLogsEachLine) {
  winsim::WriteFile(kLog, "earlier run\r\n");
  EXPECT_EQ(Run("/model=qm-a210 /port=lpt1: /default"), SilentSuccess);
  winsim::SpoolerPrinter printer;
  ASSERT_TRUE(winsim::FindPrinter("QM-A210(P)", &printer));
  EXPECT_EQ(printer.port, "LPT1:");
  EXPECT_EQ(winsim::DefaultPrinter(), "QM-A210(P)");
  EXPECT_TRUE(winsim::MessageBoxes().empty());
  std::string log = Log();
  EXPECT_EQ(log.find("earlier run\r\n"), 0u) << "appended";
  EXPECT_NE(log.find("2024-03-05 09:07:05 message: Successfully installed printer driver\r\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("09:07:05 exit code 0\r\n"), std::string::npos) << log;
}

TEST_F(SilentSetupTest, SerialSwitchesReachTheRegisteredSettings) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
                   "x", REG_SZ, "");
  EXPECT_EQ(Run("/model=QM-A210 /port=AQCOM1: /baud=9600 /parity=even /databits=7 /flow=none"),
            SilentSuccess);
  EXPECT_TRUE(winsim::FindPrinter("QM-A210(S)", nullptr));
  std::string settings;
  ASSERT_TRUE(winsim::GetValue(HKEY_LOCAL_MACHINE,
                               "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports",
                               "COM1:", nullptr, &settings));
  EXPECT_EQ(settings.substr(0, 11), "9600,e,7,1,") << settings;
}

TEST_F(SilentSetupTest, EveryRefusalHasItsCodeAndLogLineAndInstallsNothing) {
  struct Row {
    const char* name;
    void (*machine)();
    const char* switches;
    int code;
    std::string logged;
  } rows[] = {
      {"unknown model", [] {}, "/model=QM-Z1 /port=LPT1:", SilentModelNotOffered, "QM-Z1"},
      {"port the wizard does not offer on XP", [] {},
       "/model=QM-A210 /port=COM1:", SilentPortNotOffered, "COM1: (offered: AQCOM1:"},
      {"no Advanced setup", [] {}, "/model=QM-R80 /port=LPT1: /advanced", SilentAdvancedNotOffered,
       "QM-R80"},
      {"model without Server 2003", [] { winsim::SetVersion(2, 5, 2); },
       "/model=QM-R80 /port=LPT1:", SilentModelNotForSystem, SetupText(IDS_NO_SERVER_2003_SUPPORT)},
      {"model without Windows 7", [] { winsim::SetVersion(2, 10, 0); },
       "/model=QM-R80 /port=LPT1:", SilentModelNotForWindows7, SetupText(IDS_NO_WIN7_SUPPORT)},
      {"not an administrator", [] { winsim::SetProcessTokenGroups({winsim::UsersGroup()}); },
       "/model=QM-A210 /port=LPT1:", SilentNotAdministrator, "as an administrator"},
      {"uninstaller open", [] { winsim::OpenWindow("Uninstall"); },
       "/model=QM-A210 /port=LPT1:", SilentOtherProgramOpen, "close Uninstall"},
      {"second instance", [] { winsim::HoldMutexElsewhere("setup"); },
       "/model=QM-A210 /port=LPT1:", SilentAlreadyRunning, "another setup"},
      {"identity to rewrite without /setid", [] { winsim::AttachUsbPrinters({Printer(5)}); },
       "/model=QM-A210 /port=USB_QM-A210_1", SilentIdentityNeedsSetId, "-> No"},
      {"no USB printer, Advanced", [] {}, "/model=QM-A210 /port=USB_QM-A210_2 /advanced",
       SilentNoUsbPrinter, SetupText(IDS_NO_USB_DEVICE)},
      {"two USB printers",
       [] {
         winsim::AttachUsbPrinters({Printer(0), Printer(1)});
       },
       "/model=QM-A210 /port=USB_QM-A210_1", SilentSeveralUsbPrinters,
       SetupText(IDS_CONNECT_ONE_USB_PRINTER)},
      {"serial settings on a parallel port", [] {}, "/model=QM-A210 /port=LPT1: /baud=9600",
       SilentBadCommandLine, "serial ports only"},
  };
  for (const Row& row : rows) {
    SetUp();
    row.machine();
    EXPECT_EQ(Run(row.switches), row.code) << row.name;
    EXPECT_TRUE(winsim::Printers().empty()) << row.name;
    EXPECT_TRUE(winsim::MessageBoxes().empty()) << row.name;
    EXPECT_NE(Log().find(row.logged), std::string::npos) << row.name << "\n" << Log();
    TearDown();
  }
}

TEST_F(SilentSetupTest, SetIdRewritesTheIdentityTheWizardWouldAskAbout) {
  winsim::AttachUsbPrinters({Printer(5)});
  EXPECT_EQ(Run("/model=QM-A210 /port=USB_QM-A210_1 /setid"), SilentSuccess);
  ASSERT_EQ(winsim::UsbWrites().size(), 1u);
  EXPECT_EQ(winsim::UsbWrites()[0].back(), 0) << "identity 1";
  EXPECT_TRUE(winsim::FindPrinter("QM-A210(U) 1", nullptr));
  EXPECT_NE(Log().find("question: This application will change printer name / the name"),
            std::string::npos);
}

TEST_F(SilentSetupTest, AnUnwritableLogStopsTheRunBeforeAnything) {
  EXPECT_EQ(RunSilentSetup("/S /model=QM-A210 /port=LPT1: /log=D:\\none\\x.log"),
            SilentLogUnwritable);
  EXPECT_EQ(winsim::ThreadsStarted(), 0);
}

TEST_F(SilentSetupTest, AnEngineFailureGivesItsClass) {
  winsim::FailCall("AddPrinterDriverA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Run("/model=QM-A210 /port=LPT1:"), SilentDriverFailed);
  EXPECT_NE(Log().find("message: Add printer driver error"), std::string::npos) << Log();
}

TEST_F(SilentSetupTest, Windows98NeedsARestartThatNoRestartLeavesToTheCaller) {
  for (bool noRestart : {true, false}) {
    SetUp();
    winsim::SetVersion(1, 4, 10);
    winsim::SetWin9xSpooler(true);
    EXPECT_EQ(
        Run(noRestart ? "/model=QM-A210 /port=LPT1: /norestart" : "/model=QM-A210 /port=LPT1:"),
        SilentRestartNeeded);
    EXPECT_TRUE(winsim::FindPrinter("QM-A210(P)", nullptr));
    EXPECT_EQ(winsim::ExitRequests().size(), noRestart ? 0u : 1u);
    TearDown();
  }
}

}  // namespace
