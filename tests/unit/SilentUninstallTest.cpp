#include "uninstall/SilentUninstall.h"

#include "UninstallFixture.h"
#include "common/SilentExitCodes.h"
#include "winsim/MessageBoxControl.h"
#include "winsim/ShellControl.h"
#include "winsim/SyncControl.h"
#include "winsim/TokenControl.h"

namespace {

TEST(SilentUninstallArguments, NamesRepeatAndBadArgumentsAreNamed) {
  SilentUninstallOptions o;
  ASSERT_TRUE(ParseSilentUninstall(
      "/S /printer=\"QM-A210(P)\" /printer=QM-B /monitor=\"AQ USB Monitor\" /processor=P /usb "
      "/norestart /log=a.log",
      o));
  EXPECT_EQ(o.printers, (std::vector<std::string>{"QM-A210(P)", "QM-B"}));
  EXPECT_EQ(o.monitors, (std::vector<std::string>{"AQ USB Monitor"}));
  EXPECT_EQ(o.processors, (std::vector<std::string>{"P"}));
  EXPECT_TRUE(o.usb && o.noRestart && o.hasLog && !o.all);

  struct Row {
    const char* line;
    const char* bad;
  } rows[] = {
      {"/S", "missing /all, /printer=, /monitor= or /processor="},
      {"/all", "missing /S"},
      {"/S /all /printer=X", "/all together with names"},
      {"/S /printer=", "/printer="},
      {"/S /all /reboot", "/reboot"},
      {"/S /all /usb=1", "/usb=1"},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(ParseSilentUninstall(row.line, o)) << row.line;
    EXPECT_EQ(o.badArgument, row.bad) << row.line;
  }
}

class SilentUninstallTest : public UninstallTest {
 protected:
  static int Run(const std::string& switches) {
    std::string line = "/S /log=C:\\u.log " + switches;
    return RunSilentUninstall(line.c_str());
  }
  static std::string Log() { return winsim::ReadFile("C:\\u.log"); }
};

TEST_F(SilentUninstallTest, ANamedPrinterGoesAndTheRestartIsLeftToTheCaller) {
  PutPrinter("QM-A210(P)", "QM-A210");
  PutPrinter("QM-B220(P)", "QM-B220");
  EXPECT_EQ(Run("/printer=qm-a210(p) /norestart"), SilentRestartNeeded);
  EXPECT_FALSE(HasPrinter("QM-A210(P)"));
  EXPECT_TRUE(HasPrinter("QM-B220(P)"));
  EXPECT_TRUE(winsim::ExitRequests().empty());
  EXPECT_TRUE(winsim::MessageBoxes().empty());
  EXPECT_NE(Log().find("status: QM-A210(P) has been deleted."), std::string::npos) << Log();
  EXPECT_NE(Log().find("question: restart the computer -> No"), std::string::npos);
}

TEST_F(SilentUninstallTest, AllRemovesEveryEntryOfTheInventory) {
  PutPrinter("QM-A210(P)", "QM-A210");
  PutMonitor("AQ USB Monitor", "aqusbmon.dll");
  PutProcessor("AQ Print Processor", "aqproc.dll");
  PutPrinter("Other", "Other");
  EXPECT_EQ(Run("/all"), SilentRestartNeeded);
  EXPECT_FALSE(HasPrinter("QM-A210(P)"));
  EXPECT_FALSE(winsim::HasMonitor("AQ USB Monitor"));
  EXPECT_TRUE(HasPrinter("Other")) << "not the family's";
  EXPECT_EQ(winsim::ExitRequests().size(), 1u) << "restarted without /norestart";
}

TEST_F(SilentUninstallTest, APrinterWhoseDriverStaysHasItsOwnCode) {
  PutPrinter("QM-A210(P)", "QM-A210");
  winsim::FailCall("DeletePrinterDriverExA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Run("/printer=QM-A210(P) /norestart"), 51);
  EXPECT_FALSE(HasPrinter("QM-A210(P)"));
  EXPECT_NE(Log().find("status: Delete printer driver error."), std::string::npos) << Log();
}

TEST_F(SilentUninstallTest, RefusalsHaveTheirCodesAndRemoveNothing) {
  struct Row {
    const char* name;
    void (*machine)();
    const char* switches;
    int code;
    const char* logged;
  } rows[] = {
      {"printer not listed", [] {}, "/printer=Other", SilentNameNotInInventory,
       "not in the inventory: /printer=Other"},
      {"a printer named as a monitor", [] {}, "/monitor=QM-A210(P)", SilentNameNotInInventory,
       "/monitor=QM-A210(P)"},
      {"jobs queued", [] { winsim::SetPrinterJobs("Other", 2); }, "/all", SilentJobsQueued,
       "Please delete jobs in printer Other first."},
      {"setup open", [] { winsim::OpenWindow("Printer Driver Setup"); }, "/all",
       SilentOtherProgramOpen, "close Printer Driver Setup"},
      {"not an administrator", [] { winsim::SetProcessTokenGroups({winsim::UsersGroup()}); },
       "/all", SilentNotAdministrator, "as an administrator"},
      {"a printer the spooler keeps", [] { winsim::FailCall("DeletePrinter", 5); }, "/all",
       SilentEntryNotRemoved, "status: Delete printer error."},
      {"no Uninstall.ini", [] { winsim::RemovePath("C:\\MEDIUM\\DRVCONFIG\\Uninstall.ini"); },
       "/all", SilentInventoryMissing, "Can't find file Uninstall.ini!"},
      {"USB driver on NT 4.0", [] { winsim::SetVersion(2, 4, 0); }, "/all /usb",
       SilentUsbRemovalUnavailable, "no USB device driver"},
      {"second instance", [] { winsim::HoldMutexElsewhere("setup"); }, "/all", SilentAlreadyRunning,
       "another uninstall"},
  };
  for (const Row& row : rows) {
    SetUp();
    PutPrinter("QM-A210(P)", "QM-A210");
    PutPrinter("Other", "Other");
    row.machine();
    EXPECT_EQ(Run(row.switches), row.code) << row.name;
    EXPECT_TRUE(HasPrinter("QM-A210(P)")) << row.name;
    EXPECT_TRUE(winsim::MessageBoxes().empty()) << row.name;
    EXPECT_NE(Log().find(row.logged), std::string::npos) << row.name << "\n" << Log();
    TearDown();
  }
}

}  // namespace
