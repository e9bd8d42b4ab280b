// Test control of the simulated access tokens (OpenThreadToken, OpenProcessToken,
// GetTokenInformation) and of SID allocation.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winsim {

// One group of a token: a SID of the NT authority (S-1-5-...) or another authority.
struct TokenGroup {
  BYTE authority = 5;  // last byte of SID_IDENTIFIER_AUTHORITY
  std::vector<DWORD> subAuthorities;
  DWORD attributes = SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_ENABLED;
};

// The built-in Administrators group (S-1-5-32-544) with the given attributes.
TokenGroup AdministratorsGroup(DWORD attributes = SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT |
                                                  SE_GROUP_ENABLED);
// The built-in Users group (S-1-5-32-545) and Everyone (S-1-1-0).
TokenGroup UsersGroup();
TokenGroup EveryoneGroup();

// Groups of the process token. After Reset: Everyone, Administrators, Users.
void SetProcessTokenGroups(const std::vector<TokenGroup>& groups);
// Gives the calling threads an impersonation token with these groups (OpenThreadToken then
// opens it); ClearThreadToken takes it away again (the state after Reset).
void SetThreadTokenGroups(const std::vector<TokenGroup>& groups);
void ClearThreadToken();

// Privileges of the process token (after Reset: shutdown, change-notify and undock held,
// only change-notify enabled).
void SetPrivilegeHeld(const std::string& name, bool held);
bool PrivilegeEnabled(const std::string& name);

}  // namespace winsim
