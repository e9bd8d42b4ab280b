#include "uninstall/RemovalSteps.h"

#include "unit/UninstallFixture.h"
#include "winsim/ShellControl.h"
#include "winsim/TokenControl.h"

namespace {

using Steps = UninstallTest;

TEST_F(Steps, OnlyTheFilesUninstallIniNamesAreDeleted) {
  UseIni(std::string(kIni) +
         "[AQSerial.2K]\nMonitorPDLLName=0ser.dll\nMonitorPUIDLLName=serui.dll\n");
  for (const char* file :
       {"aqusbmon.dll", "aqusbui.dll", "naqusbmon.dll", "aqcommon.dll", "0ser.dll", "serui.dll"})
    winsim::WriteFile(System(file), "MZ");
  DeleteMonitorFiles(settings, view, "AQ USB Monitor");
  DeleteMonitorFiles(settings, view, "AQ COM Monitor");  // no UI DLL named
  DeleteMonitorFiles(settings, view, "AQ Serial");       // a value beginning with 0 names no file
  for (const char* gone : {"aqusbmon.dll", "aqusbui.dll", "aqcommon.dll", "serui.dll"})
    EXPECT_FALSE(winsim::FileExists(System(gone))) << gone;
  for (const char* kept : {"naqusbmon.dll", "0ser.dll"})
    EXPECT_TRUE(winsim::FileExists(System(kept))) << kept;
  EXPECT_TRUE(view.status.empty());
}

TEST_F(Steps, WithoutItsDirectoryNoFileIsDeletedAnywhere) {
  winsim::WriteFile("C:\\aqusbmon.dll", "MZ");
  winsim::WriteFile("C:\\aqproc.dll", "MZ");
  winsim::FailCall("GetSystemDirectoryA", ERROR_ACCESS_DENIED);
  winsim::FailCall("GetPrintProcessorDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(DeleteMonitorFiles(settings, view, "AQ USB Monitor"), 1);
  EXPECT_EQ(DeleteProcessorFile(settings, view, "AQ Print Processor"), 1);
  EXPECT_EQ(view.status, (std::vector<std::string>(2, "Get system Directory error.")));
  EXPECT_TRUE(winsim::FileExists("C:\\aqusbmon.dll") && winsim::FileExists("C:\\aqproc.dll"));
}

TEST_F(Steps, AnNtRebootEnablesTheShutdownPrivilegeFirst) {
  struct Case {
    DWORD platform, major, minor;
    bool held;
    bool rebooted;
  } cases[] = {{VER_PLATFORM_WIN32_NT, 5, 1, true, true},
               {VER_PLATFORM_WIN32_NT, 5, 1, false, false},
               {VER_PLATFORM_WIN32_NT, 6, 1, true, true},  // OS code 0, still NT
               {VER_PLATFORM_WIN32_WINDOWS, 4, 10, false, true}};
  for (const Case& c : cases) {
    winsim::Reset();
    winsim::SetVersion(c.platform, c.major, c.minor);
    winsim::SetPrivilegeHeld("SeShutdownPrivilege", c.held);
    RestartWindows();
    std::vector<winsim::ExitRequest> exits = winsim::ExitRequests();
    ASSERT_EQ(exits.size(), c.rebooted ? 1u : 0u) << c.major << "." << c.minor;
    if (c.rebooted) {
      EXPECT_EQ(exits[0].flags, static_cast<UINT>(EWX_REBOOT));
    }
    EXPECT_EQ(winsim::OpenHandles(), 0);
  }
}

TEST_F(Steps, TheUsbStepStartsNothingWhenThePathDoesNotFit) {
  std::string deep = "C:\\" + std::string(245, 'd');
  winsim::MakeDirectory(deep);
  winsim::SetCurrentDirectory(deep);
  RemoveUsbDeviceDriver(view);
  EXPECT_TRUE(winsim::ShellRuns().empty());
  EXPECT_EQ(view.status.back(), "USB Device Driver has been deleted");
}

}  // namespace
