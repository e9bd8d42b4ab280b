// The shutdown privilege as the uninstaller's reboot takes it.
#include "contract/ContractEnv.h"

namespace {

using PrivilegeContract = ContractTest;

TEST_F(PrivilegeContract, TheShutdownPrivilegeIsLookedUpAndEnabledThroughAnAdjustingToken) {
  LUID luid = {};
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid));
  EXPECT_EQ(luid.LowPart, 19u);
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(LookupPrivilegeValueA(nullptr, "SeNoSuchPrivilege", &luid));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_SUCH_PRIVILEGE));

  TOKEN_PRIVILEGES privileges;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Luid = luid;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
  SetLastError(0xdeadbeef);
  EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(CloseHandle(token));
  EXPECT_EQ(contract::OpenHandles(), 0);
}

TEST_F(PrivilegeContract, ATokenOpenedForQueriesCannotAdjust) {
  LUID luid = {};
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid));
  TOKEN_PRIVILEGES privileges = {1, {{luid, SE_PRIVILEGE_ENABLED}}};
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(CloseHandle(token));
}

}  // namespace
