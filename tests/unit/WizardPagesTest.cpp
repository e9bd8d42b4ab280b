// The OS page, the setup-type page and the licence text.
#include "SetupIds.h"
#include "engine/SetupText.h"
#include "package/ModuleConfig.h"
#include "wizard/LicenseText.h"
#include "wizard/OsPageModel.h"
#include "wizard/SetupTypeModel.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kPersisted[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility "
    "Assistant\\Persisted";

class WizardPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\QM\\setup.exe");
    winsim::SetCurrentDirectory("D:\\QM");
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
  static bool Marked(HKEY root, const std::string& prefix) {
    DWORD value = 0;
    return winsim::GetDword(root, prefix + kPersisted, "D:\\QM\\setup.exe", &value) && value == 1;
  }
};

TEST_F(WizardPagesTest, OsPageMarksCompatibilityOnXpForUsersAndOnVistaForTheCurrentUser) {
  const std::string user = "S-1-5-21-1004336348-1177238915-682003330-1003";
  winsim::SetValue(HKEY_CURRENT_USER,
                   "Software\\Microsoft\\Protected Storage System Provider\\" + user, "x", REG_SZ,
                   "");
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  OsPageModel xp;
  xp.Init();
  EXPECT_EQ(xp.osIndex, WinXp);
  EXPECT_TRUE(Marked(HKEY_USERS, user + "\\"));
  EXPECT_FALSE(Marked(HKEY_CURRENT_USER, ""));

  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 6, 0);
  OsPageModel vista;
  vista.Init();
  EXPECT_EQ(vista.osIndex, WinVista);
  EXPECT_EQ(vista.view.checkedRadio, IDC_OS_VISTA);
  EXPECT_TRUE(Marked(HKEY_CURRENT_USER, ""));

  winsim::Reset();
  winsim::SetModuleFileName("D:\\QM\\setup.exe");
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 2);
  OsPageModel server;
  server.Init();
  EXPECT_EQ(server.osIndex, WinServer2003);
  EXPECT_FALSE(winsim::KeyExists(HKEY_CURRENT_USER, kPersisted));
}

TEST_F(WizardPagesTest, OsPageOnAFailingVersionQueryOffersWindows98WithTheMessage) {
  winsim::FailCall("GetVersionExA", ERROR_INVALID_PARAMETER);
  OsPageModel page;
  page.Init();
  EXPECT_EQ(page.osIndex, Win98Me);
  EXPECT_EQ(page.view.messageId, IDS_UNSUPPORTED_SYSTEM);
  EXPECT_TRUE(page.view.enabled[0]);
}

TEST_F(WizardPagesTest, SetupTypeRemarksFollowTheChoice) {
  SetupTypeModel page;
  EXPECT_EQ(page.typical, 1);
  EXPECT_EQ(page.checkedRadio, IDC_TYPICAL);
  EXPECT_STREQ(page.remark, "Install default printer driver");
  EXPECT_FALSE(page.remark2Shown);
  page.OnAdvanced();
  EXPECT_EQ(page.typical, 0);
  EXPECT_STREQ(page.remark, "Support multi-USB printer");
  EXPECT_STREQ(page.remark2, "Support driver mode selection");
  EXPECT_TRUE(page.remark2Shown);
  EXPECT_FALSE(page.remark3Shown);
  page.AllowAdvanced(true);
  EXPECT_EQ(page.typical, 0);
  page.OnTypical();
  EXPECT_EQ(page.typical, 1);
  EXPECT_STREQ(page.remark, SetupText(IDS_INSTALL_DEFAULT_DRIVER));
  EXPECT_FALSE(page.remark2Shown);
}

TEST_F(WizardPagesTest, LicenceTextIsTheFileAsStored) {
  LicenseText licence;
  winsim::WriteFile("D:\\QM\\License.txt", "Line one\r\nLine \xB0\xE6 two\r\n");
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseLoaded);
  EXPECT_STREQ(licence.Text(), "Line one\r\nLine \xB0\xE6 two\r\n");

  winsim::WriteFile("D:\\QM\\License.txt", std::string("before\0after", 12));
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseLoaded);
  EXPECT_STREQ(licence.Text(), "before") << "the text ends at its first NUL";

  winsim::WriteFile("D:\\QM\\License.txt", "");
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseLoaded);
  EXPECT_STREQ(licence.Text(), "");
}

TEST_F(WizardPagesTest, LicenceOfOneMegabyteIsReadWhole) {
  std::string text;
  while (text.size() < 1024 * 1024) text += "0123456789abcdefghijklmnopqrstuvwxyz ABCDEFGHIJ\r\n";
  text.resize(1024 * 1024);
  winsim::WriteFile("D:\\QM\\License.txt", text);
  LicenseText licence;
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseLoaded);
  EXPECT_EQ(std::string(licence.Text()), text);
}

TEST_F(WizardPagesTest, MissingOrUnreadableLicenceIsReported) {
  LicenseText licence;
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseMissing);
  EXPECT_STREQ(licence.Text(), "");
  winsim::WriteFile("D:\\QM\\License.txt", "text");
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseLoaded);
  winsim::FailCall("CreateFileA", ERROR_SHARING_VIOLATION);
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseMissing);
  EXPECT_STREQ(licence.Text(), "") << "a failed load drops the earlier text";
  winsim::Reset();
  winsim::SetCurrentDirectory("D:\\QM");
  winsim::WriteFile("D:\\QM\\License.txt", "text");
  winsim::FailCall("ReadFile", ERROR_IO_DEVICE);
  EXPECT_EQ(licence.Load(kLicenseFile), LicenseLoaded);
  EXPECT_STREQ(licence.Text(), "") << "what could not be read is left empty";
}

}  // namespace
