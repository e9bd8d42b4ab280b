#include "common/SystemProbes.h"

#include "winsim/TokenControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SystemProbesTest : public ::testing::Test {
 protected:
  void SetUp() override { winsim::Reset(); }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
};

const char kPersisted[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility "
    "Assistant\\Persisted";

TEST_F(SystemProbesTest, TargetOsAsksWithTheBasicStructureAndFailsIntoZero) {
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  winsim::FailCall("GetVersionExA", ERROR_INVALID_PARAMETER, 1);
  EXPECT_EQ(GetTargetOs(), Win98Me);
  EXPECT_EQ(GetTargetOs(), WinXp);
  winsim::FailCall("GetVersionExA", ERROR_INVALID_PARAMETER, 1);
  SystemVersion unread = ReadSystemVersion();
  EXPECT_FALSE(unread.known);
  EXPECT_EQ(unread.platform, 0u);
  SystemVersion read = ReadSystemVersion();
  EXPECT_TRUE(read.known);
  EXPECT_EQ(read.platform, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(read.major, 5u);
  EXPECT_EQ(read.minor, 1u);
}

TEST_F(SystemProbesTest, AdministratorFoundInProcessTokenWhenThreadHasNone) {
  EXPECT_TRUE(IsAdministrator());
  EXPECT_EQ(winsim::CallCount("OpenThreadToken"), 1);
  EXPECT_EQ(winsim::CallCount("OpenProcessToken"), 1);
  EXPECT_EQ(winsim::OpenHandles(winsim::HandleKind::Sid), 0);
}

TEST_F(SystemProbesTest, AdministratorsGroupAnywhereInTheListAndDenyOnlyStillCount) {
  winsim::SetProcessTokenGroups({winsim::EveryoneGroup(), winsim::UsersGroup(),
                                 winsim::AdministratorsGroup(SE_GROUP_USE_FOR_DENY_ONLY)});
  EXPECT_TRUE(IsAdministrator());
  winsim::SetProcessTokenGroups({winsim::AdministratorsGroup(0)});
  EXPECT_TRUE(IsAdministrator());
}

TEST_F(SystemProbesTest, TokenWithoutAdministratorsIsNoAdministrator) {
  winsim::TokenGroup lookalike = winsim::AdministratorsGroup();
  lookalike.authority = 1;  // S-1-1-32-544: same numbers, other authority
  winsim::TokenGroup domainAdmins;
  domainAdmins.subAuthorities = {21, 1, 2, 3, 544};
  winsim::SetProcessTokenGroups(
      {winsim::EveryoneGroup(), winsim::UsersGroup(), lookalike, domainAdmins});
  EXPECT_FALSE(IsAdministrator());
  winsim::SetProcessTokenGroups({});
  EXPECT_FALSE(IsAdministrator());
}

TEST_F(SystemProbesTest, ImpersonationTokenDecidesOverTheProcessToken) {
  winsim::SetThreadTokenGroups({winsim::UsersGroup()});
  EXPECT_FALSE(IsAdministrator());
  EXPECT_EQ(winsim::CallCount("OpenProcessToken"), 0);

  winsim::SetProcessTokenGroups({winsim::UsersGroup()});
  winsim::SetThreadTokenGroups({winsim::AdministratorsGroup()});
  EXPECT_TRUE(IsAdministrator());
}

TEST_F(SystemProbesTest, EveryFailingStepAnswersNo) {
  const struct {
    const char* function;
    DWORD error;
  } faults[] = {
      {"OpenThreadToken", ERROR_ACCESS_DENIED},  // only "no token" falls back to the process
      {"OpenProcessToken", ERROR_ACCESS_DENIED},
      {"GetTokenInformation", ERROR_ACCESS_DENIED},  // the size query
      {"AllocateAndInitializeSid", ERROR_NOT_ENOUGH_MEMORY},
  };
  for (const auto& fault : faults) {
    winsim::Reset();
    winsim::FailCall(fault.function, fault.error);
    EXPECT_FALSE(IsAdministrator()) << fault.function;
    EXPECT_EQ(winsim::OpenHandles(), 0) << fault.function << ": " << winsim::DescribeOpenHandles();
  }
  // The size query succeeds, the read fails.
  winsim::Reset();
  winsim::FailCall("GetTokenInformation", ERROR_INVALID_PARAMETER, 2);
  EXPECT_FALSE(IsAdministrator());
}

TEST_F(SystemProbesTest, CompatibilityMarkNamesTheProgramUnderTheCurrentUser) {
  winsim::SetModuleFileName("D:\\Driver CD\\setup.exe");
  MarkCompatibilityPersisted();
  DWORD value = 0;
  ASSERT_TRUE(winsim::GetDword(HKEY_CURRENT_USER, kPersisted, "D:\\Driver CD\\setup.exe", &value));
  EXPECT_EQ(value, 1u);
}

TEST_F(SystemProbesTest, UsersMarkGoesToLongIdentifiersOnlyAndSkipsClassesKeys) {
  winsim::SetModuleFileName("D:\\setup.exe");
  const std::string storage = "Software\\Microsoft\\Protected Storage System Provider";
  const std::string user = "S-1-5-21-1004336348-1177238915-682003330-1003";  // 45 characters
  ASSERT_EQ(user.size(), 45u);
  for (const std::string& name : {user, user + "_Classes", std::string("S-1-5-18"),
                                  std::string("S-1-5-21-1004336348-1177238915-68")})
    winsim::SetValue(HKEY_CURRENT_USER, storage + "\\" + name, "x", REG_SZ, "");
  MarkCompatibilityPersistedForUsers();

  DWORD value = 0;
  EXPECT_TRUE(winsim::GetDword(HKEY_USERS, user + "\\" + kPersisted, "D:\\setup.exe", &value));
  EXPECT_EQ(value, 1u);
  EXPECT_FALSE(winsim::KeyExists(HKEY_USERS, user + "_Classes"));
  EXPECT_FALSE(winsim::KeyExists(HKEY_USERS, "S-1-5-18"));
  EXPECT_TRUE(winsim::KeyExists(HKEY_USERS, "S-1-5-21-1004336348-1177238915-68"))
      << "an identifier of 33 characters is a user";
  EXPECT_FALSE(winsim::KeyExists(HKEY_CURRENT_USER, kPersisted));
}

TEST_F(SystemProbesTest, UsersMarkGoesOnPastAUserWhoseKeyCannotBeWritten) {
  winsim::SetModuleFileName("D:\\setup.exe");
  const std::string storage = "Software\\Microsoft\\Protected Storage System Provider";
  const std::string first = "S-1-5-21-1004336348-1177238915-682003330-1003";
  const std::string second = "S-1-5-21-1004336348-1177238915-682003330-1004";
  for (const std::string& name : {first, second})
    winsim::SetValue(HKEY_CURRENT_USER, storage + "\\" + name, "x", REG_SZ, "");
  // The first user's hive is not loaded: his key cannot be created.
  winsim::FailCall("RegCreateKeyExA", ERROR_ACCESS_DENIED, 0, (first + "\\" + kPersisted).c_str());
  winsim::FailCall("RegOpenKeyExA", ERROR_FILE_NOT_FOUND, 0, (first + "\\" + kPersisted).c_str());
  MarkCompatibilityPersistedForUsers();
  DWORD value = 0;
  EXPECT_FALSE(winsim::KeyExists(HKEY_USERS, first + "\\" + kPersisted));
  EXPECT_TRUE(winsim::GetDword(HKEY_USERS, second + "\\" + kPersisted, "D:\\setup.exe", &value));
}

TEST_F(SystemProbesTest, UsersMarkWithoutProtectedStorageWritesNothing) {
  MarkCompatibilityPersistedForUsers();
  EXPECT_EQ(winsim::CallCount("RegEnumKeyA"), 0);
  EXPECT_EQ(winsim::CallCount("RegCreateKeyExA"), 0);
}

}  // namespace
