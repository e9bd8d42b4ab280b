// Access tokens and SIDs as the administrator check uses them.
#include "contract/ContractEnv.h"

#include <vector>

namespace {

class TokenContract : public ContractTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(contract::OpenHandles(), 0);
    ContractTest::TearDown();
  }
  static PSID NewBuiltinSid(DWORD rid) {
    SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
    PSID sid = nullptr;
    EXPECT_TRUE(
        AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, rid, 0, 0, 0, 0, 0, 0, &sid));
    return sid;
  }
};

TEST_F(TokenContract, ThreadWithoutImpersonationHasNoToken) {
  HANDLE token = reinterpret_cast<HANDLE>(1);
  SetLastError(0xdead);
  EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_TOKEN));
}

TEST_F(TokenContract, GroupListIsSizedFirstThenReadAndListsAdministrators) {
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  DWORD size = 0;
  SetLastError(0xdead);
  EXPECT_FALSE(GetTokenInformation(token, TokenGroups, nullptr, 0, &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_GT(size, sizeof(TOKEN_GROUPS));

  std::vector<ULONG_PTR> buffer(size / sizeof(ULONG_PTR) + 1);
  DWORD shortSize = 0;
  EXPECT_FALSE(
      GetTokenInformation(token, TokenGroups, buffer.data(), sizeof(TOKEN_GROUPS), &shortSize));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(shortSize, size);

  DWORD read = 0;
  ASSERT_TRUE(GetTokenInformation(token, TokenGroups, buffer.data(), size, &read));
  EXPECT_EQ(read, size);
  const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  // The machine these tests run on (winsim after Reset, a Wine prefix) logs on an administrator.
  PSID administrators = NewBuiltinSid(DOMAIN_ALIAS_RID_ADMINS);
  int found = 0;
  for (DWORD i = 0; i < groups->GroupCount; ++i) {
    if (EqualSid(groups->Groups[i].Sid, administrators)) ++found;
  }
  EXPECT_EQ(found, 1);
  EXPECT_EQ(FreeSid(administrators), nullptr);
  EXPECT_TRUE(CloseHandle(token));
  SetLastError(0xdead);
  EXPECT_FALSE(CloseHandle(token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(TokenContract, SidsCompareByAuthorityAndEverySubAuthority) {
  PSID admins = NewBuiltinSid(DOMAIN_ALIAS_RID_ADMINS);
  PSID admins2 = NewBuiltinSid(DOMAIN_ALIAS_RID_ADMINS);
  PSID users = NewBuiltinSid(DOMAIN_ALIAS_RID_USERS);
  SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
  PSID lookalike = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&world, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                       DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &lookalike));
  EXPECT_NE(admins, admins2);
  EXPECT_TRUE(EqualSid(admins, admins2));
  EXPECT_FALSE(EqualSid(admins, users));
  EXPECT_FALSE(EqualSid(admins, lookalike));
  for (PSID sid : {admins, admins2, users, lookalike}) EXPECT_EQ(FreeSid(sid), nullptr);
}

}  // namespace
