#include "uninstall/UninstallStartup.h"

#include "uninstall/RemovalSteps.h"
#include "uninstall/UninstallText.h"
#include "unit/UninstallFixture.h"
#include "winsim/MessageBoxControl.h"
#include "winsim/ShellControl.h"
#include "winsim/TokenControl.h"

#include <algorithm>

namespace {

using Startup = UninstallTest;

bool UsbUnavailable(const FakeView& view) {
  return std::find(view.states.begin(), view.states.end(), "usb unavailable") != view.states.end();
}

TEST_F(Startup, ANonAdministratorOnXpSeesOnlyTheAdministratorMessage) {
  winsim::RemovePath("C:\\MEDIUM\\DRVCONFIG\\Uninstall.ini");
  PutPrinter("QM-T90", "QM-T90 Driver");
  winsim::SetProcessTokenGroups({winsim::EveryoneGroup(), winsim::UsersGroup()});
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  EXPECT_FALSE(PrepareUninstall(settings, view, nullptr));
  ASSERT_EQ(winsim::MessageBoxTexts(),
            std::vector<std::string>{UninstallText(IDS_NOT_ADMINISTRATOR)});
  EXPECT_EQ(winsim::MessageBoxes()[0].caption, "Error");
  EXPECT_TRUE(view.items.empty());
  EXPECT_TRUE(view.status.empty());
}

TEST_F(Startup, NtFourAsksNoAdministratorAndListsTheFamilyWithoutTheUsbBox) {
  PutPrinter("QM-T90", "QM-T90 Driver");
  PutPrinter("Office", "Laser Driver");
  winsim::SetProcessTokenGroups({winsim::EveryoneGroup(), winsim::UsersGroup()});
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 4, 0);
  ASSERT_TRUE(PrepareUninstall(settings, view, nullptr));
  EXPECT_EQ(settings.osCode, WinNt4);
  EXPECT_TRUE(UsbUnavailable(view));
  EXPECT_STREQ(settings.iniPath, "C:\\MEDIUM\\DRVCONFIG\\Uninstall.ini");
  EXPECT_EQ(view.Texts(), std::vector<std::string>{"QM-T90"});
  EXPECT_EQ(view.status, std::vector<std::string>{UninstallText(IDS_SELECT_PRINTERS)});
  EXPECT_TRUE(winsim::MessageBoxes().empty());
}

TEST_F(Startup, TheUsbBoxStaysEnabledOnWindows95AndXpAndGoesOnWindows98) {
  struct Case {
    DWORD platform, major, minor;
    bool disabled;
  } cases[] = {{1, 4, 0, false}, {1, 4, 10, true}, {2, 5, 1, false}};
  for (const Case& c : cases) {
    FakeView fresh;
    winsim::SetVersion(c.platform, c.major, c.minor);
    ASSERT_TRUE(PrepareUninstall(settings, fresh, nullptr)) << c.major << "." << c.minor;
    EXPECT_EQ(UsbUnavailable(fresh), c.disabled) << c.major << "." << c.minor;
  }
}

TEST_F(Startup, VistaAndLaterMarkTheProgramForTheCompatibilityAssistantAndOnlyAtStartUp) {
  const char* key =
      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility "
      "Assistant\\Persisted";
  winsim::SetModuleFileName("C:\\MEDIUM\\uninstall.exe");
  EXPECT_EQ(ClassifySystemAtStartup(settings).osCode, WinXp);
  EXPECT_FALSE(winsim::KeyExists(HKEY_CURRENT_USER, key));
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 6, 0);
  RestartWindows();
  EXPECT_FALSE(winsim::KeyExists(HKEY_CURRENT_USER, key)) << "the restart path marks nothing";
  EXPECT_EQ(ClassifySystemAtStartup(settings).osCode, WinVista);
  EXPECT_EQ(settings.osCode, WinVista);
  DWORD value = 0;
  EXPECT_TRUE(winsim::GetDword(HKEY_CURRENT_USER, key, "C:\\MEDIUM\\uninstall.exe", &value));
  EXPECT_EQ(value, 1u);

  RegDeleteKeyA(HKEY_CURRENT_USER, key);
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 6, 2);
  EXPECT_EQ(ClassifySystemAtStartup(settings).osCode, Win7);
  EXPECT_TRUE(winsim::GetDword(HKEY_CURRENT_USER, key, "C:\\MEDIUM\\uninstall.exe", &value));
}

TEST_F(Startup, AMissingUninstallIniIsFatalBeforeAnyStatusLine) {
  winsim::RemovePath("C:\\MEDIUM\\DRVCONFIG\\Uninstall.ini");
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  EXPECT_FALSE(PrepareUninstall(settings, view, nullptr));
  EXPECT_EQ(winsim::MessageBoxTexts(),
            std::vector<std::string>{UninstallText(IDS_NO_UNINSTALL_INI)});
  EXPECT_TRUE(view.status.empty());
  EXPECT_STREQ(settings.iniPath, "");
}

TEST_F(Startup, HelpOpensTheEnglishFileAndFallsBackToTheChineseOne) {
  winsim::WriteFile("C:\\MEDIUM\\Uninstall_EN.CHM", "help");
  OpenUninstallHelp();
  std::vector<winsim::ShellRun> runs = winsim::ShellRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].verb, "open");
  EXPECT_EQ(runs[0].file, ".\\Uninstall_EN.CHM");
  EXPECT_EQ(runs[0].show, SW_SHOW);

  winsim::RemovePath("C:\\MEDIUM\\Uninstall_EN.CHM");
  OpenUninstallHelp();
  runs = winsim::ShellRuns();
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].file, ".\\Uninstall_EN.CHM");
  EXPECT_EQ(runs[2].file, ".\\Uninstall_CN.CHM");
}

}  // namespace
