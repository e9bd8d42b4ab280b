// Access tokens, their group lists and SIDs of the security functions.
#include "winsim/Machine.h"
#include "winsim/TokenControl.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <map>

namespace winsim {
namespace {

struct TokenState {
  std::vector<TokenGroup> processGroups;
  bool threadHasToken = false;
  std::vector<TokenGroup> threadGroups;
  std::map<uintptr_t, std::vector<TokenGroup>> open;  // token handle -> its groups
  std::map<void*, uintptr_t> sids;                    // SID memory -> its handle
};
TokenState tokens;

DWORD SidLength(const TokenGroup& group) {
  return static_cast<DWORD>(8 + 4 * group.subAuthorities.size());
}

void WriteSid(const TokenGroup& group, BYTE* at) {
  at[0] = SID_REVISION;
  at[1] = static_cast<BYTE>(group.subAuthorities.size());
  memset(at + 2, 0, 6);
  at[7] = group.authority;
  for (size_t i = 0; i < group.subAuthorities.size(); ++i)
    memcpy(at + 8 + 4 * i, &group.subAuthorities[i], 4);
}

std::vector<TokenGroup> DefaultGroups() {
  return {EveryoneGroup(), AdministratorsGroup(), UsersGroup()};
}

BOOL OpenToken(const std::vector<TokenGroup>& groups, PHANDLE token) {
  uintptr_t handle = NewHandle(HandleKind::Token);
  tokens.open[handle] = groups;
  *token = reinterpret_cast<HANDLE>(handle);
  return TRUE;
}

}  // namespace

TokenGroup AdministratorsGroup(DWORD attributes) {
  TokenGroup group;
  group.subAuthorities = {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS};
  group.attributes = attributes;
  return group;
}

TokenGroup UsersGroup() {
  TokenGroup group;
  group.subAuthorities = {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS};
  return group;
}

TokenGroup EveryoneGroup() {
  TokenGroup group;
  group.authority = 1;
  group.subAuthorities = {SECURITY_WORLD_RID};
  return group;
}

void ResetTokens() {
  for (auto& sid : tokens.sids) free(sid.first);
  tokens = TokenState();
  tokens.processGroups = DefaultGroups();
  ResetPrivileges();
}

void RebootTokens() {
  tokens.open.clear();
  ResetPrivileges();
}

void SetProcessTokenGroups(const std::vector<TokenGroup>& groups) {
  WINSIM_LOCK;
  tokens.processGroups = groups;
}

void SetThreadTokenGroups(const std::vector<TokenGroup>& groups) {
  WINSIM_LOCK;
  tokens.threadHasToken = true;
  tokens.threadGroups = groups;
}

void ClearThreadToken() {
  WINSIM_LOCK;
  tokens.threadHasToken = false;
  tokens.threadGroups.clear();
}

}  // namespace winsim

using namespace winsim;

extern "C" {

// The pseudo handles Windows gives for the calling process and thread.
HANDLE WINAPI GetCurrentProcess(void) {
  return reinterpret_cast<HANDLE>(~static_cast<ULONG_PTR>(0));
}
HANDLE WINAPI GetCurrentThread(void) {
  return reinterpret_cast<HANDLE>(~static_cast<ULONG_PTR>(1));
}

BOOL WINAPI OpenThreadToken(HANDLE thread, DWORD access, BOOL, PHANDLE token) {
  WINSIM_LOCK;
  if (FailsNow("OpenThreadToken")) return FALSE;
  if (thread != GetCurrentThread()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!tokens.threadHasToken) {
    SetLastError(ERROR_NO_TOKEN);
    return FALSE;
  }
  if (!token) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  OpenToken(tokens.threadGroups, token);
  RecordTokenAccess(*token, access);
  return TRUE;
}

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
  WINSIM_LOCK;
  if (FailsNow("OpenProcessToken")) return FALSE;
  if (process != GetCurrentProcess()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!token) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  OpenToken(tokens.processGroups, token);
  RecordTokenAccess(*token, access);
  return TRUE;
}

BOOL WINAPI GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS infoClass, LPVOID info,
                                DWORD length, PDWORD returnLength) {
  WINSIM_LOCK;
  if (FailsNow("GetTokenInformation")) return FALSE;
  auto it = tokens.open.find(reinterpret_cast<uintptr_t>(token));
  if (it == tokens.open.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (infoClass != TokenGroups) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::vector<TokenGroup>& groups = it->second;
  // Layout as Windows gives it: the count, the array, then the SIDs the array points to.
  size_t arrayEnd = offsetof(TOKEN_GROUPS, Groups) + groups.size() * sizeof(SID_AND_ATTRIBUTES);
  if (groups.empty()) arrayEnd = sizeof(TOKEN_GROUPS);
  size_t needed = arrayEnd;
  for (const TokenGroup& group : groups) needed += SidLength(group);
  if (returnLength) *returnLength = static_cast<DWORD>(needed);
  if (!info || length < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  BYTE* base = static_cast<BYTE*>(info);
  TOKEN_GROUPS* out = static_cast<TOKEN_GROUPS*>(info);
  out->GroupCount = static_cast<DWORD>(groups.size());
  size_t sidAt = arrayEnd;
  for (size_t i = 0; i < groups.size(); ++i) {
    WriteSid(groups[i], base + sidAt);
    out->Groups[i].Sid = base + sidAt;
    out->Groups[i].Attributes = groups[i].attributes;
    sidAt += SidLength(groups[i]);
  }
  return TRUE;
}

BOOL WINAPI AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD s0,
                                     DWORD s1, DWORD s2, DWORD s3, DWORD s4, DWORD s5, DWORD s6,
                                     DWORD s7, PSID* sid) {
  WINSIM_LOCK;
  if (FailsNow("AllocateAndInitializeSid")) return FALSE;
  if (!authority || !sid || count > 8) {
    SetLastError(ERROR_INVALID_SID);
    return FALSE;
  }
  const DWORD parts[8] = {s0, s1, s2, s3, s4, s5, s6, s7};
  BYTE* memory = static_cast<BYTE*>(calloc(1, 8 + 4 * static_cast<size_t>(count)));
  if (!memory) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  memory[0] = SID_REVISION;
  memory[1] = count;
  memcpy(memory + 2, authority->Value, 6);
  memcpy(memory + 8, parts, 4 * static_cast<size_t>(count));
  tokens.sids[memory] = NewHandle(HandleKind::Sid);
  *sid = memory;
  return TRUE;
}

BOOL WINAPI EqualSid(PSID a, PSID b) {
  WINSIM_LOCK;
  TakeFault("EqualSid");
  if (!a || !b) {
    SetLastError(ERROR_INVALID_SID);
    return FALSE;
  }
  const BYTE* x = static_cast<const BYTE*>(a);
  const BYTE* y = static_cast<const BYTE*>(b);
  if (x[0] != SID_REVISION || y[0] != SID_REVISION || x[1] > 15 || y[1] > 15) {
    SetLastError(ERROR_INVALID_SID);
    return FALSE;
  }
  SetLastError(ERROR_SUCCESS);
  return x[1] == y[1] && memcmp(x, y, 8 + 4 * static_cast<size_t>(x[1])) == 0;
}

PVOID WINAPI FreeSid(PSID sid) {
  WINSIM_LOCK;
  TakeFault("FreeSid");
  auto it = tokens.sids.find(sid);
  if (it == tokens.sids.end()) return sid;  // not allocated here: Windows hands it back
  ReleaseHandle(HandleKind::Sid, it->second);
  free(it->first);
  tokens.sids.erase(it);
  return nullptr;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  WINSIM_LOCK;
  if (FailsNow("CloseHandle")) return FALSE;
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (ReleaseHandle(HandleKind::Token, value)) {
    tokens.open.erase(value);
    return TRUE;
  }
  if (ReleaseHandle(HandleKind::File, value)) return TRUE;
  if (CloseMutexHandle(value)) return TRUE;
  if (CloseThreadHandle(value)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

}  // extern "C"
