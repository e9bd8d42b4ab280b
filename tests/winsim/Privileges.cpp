// Privileges of the process token: LookupPrivilegeValueA and AdjustTokenPrivileges. The
// token holds the shutdown privilege disabled, as a logged-on user's token does.
#include "winsim/Machine.h"
#include "winsim/TokenControl.h"

#include <map>
#include <set>

namespace winsim {
namespace {

const std::map<std::string, DWORD> kPrivilegeLuids = {
    {"SeTakeOwnershipPrivilege", 9},   {"SeLoadDriverPrivilege", 10},
    {"SeSystemtimePrivilege", 12},     {"SeBackupPrivilege", 17},
    {"SeRestorePrivilege", 18},        {"SeShutdownPrivilege", 19},
    {"SeDebugPrivilege", 20},          {"SeChangeNotifyPrivilege", 23},
    {"SeRemoteShutdownPrivilege", 24}, {"SeUndockPrivilege", 25}};

struct PrivilegeState {
  std::map<uintptr_t, DWORD> access;  // token handle -> the rights it was opened with
  std::set<DWORD> held{19, 23, 25};
  std::set<DWORD> enabled{23};
};
PrivilegeState privileges;

DWORD LuidOf(const std::string& name) {
  for (const auto& p : kPrivilegeLuids)
    if (EqualNoCase(p.first, name)) return p.second;
  return 0;
}

}  // namespace

void ResetPrivileges() { privileges = PrivilegeState(); }

void RecordTokenAccess(HANDLE token, DWORD access) {
  privileges.access[reinterpret_cast<uintptr_t>(token)] = access;
}

void SetPrivilegeHeld(const std::string& name, bool held) {
  WINSIM_LOCK;
  DWORD luid = LuidOf(name);
  if (held) {
    privileges.held.insert(luid);
  } else {
    privileges.held.erase(luid);
    privileges.enabled.erase(luid);
  }
}

bool PrivilegeEnabled(const std::string& name) {
  WINSIM_LOCK;
  return privileges.enabled.count(LuidOf(name)) != 0;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

BOOL WINAPI LookupPrivilegeValueA(LPCSTR system, LPCSTR name, PLUID luid) {
  WINSIM_LOCK;
  if (FailsNow("LookupPrivilegeValueA", name)) return FALSE;
  if (system && *system) {
    SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return FALSE;
  }
  DWORD value = name ? LuidOf(name) : 0;
  if (!value) {
    SetLastError(ERROR_NO_SUCH_PRIVILEGE);
    return FALSE;
  }
  if (!luid) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  luid->LowPart = value;
  luid->HighPart = 0;
  return TRUE;
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState,
                                  DWORD bufferLength, PTOKEN_PRIVILEGES previousState,
                                  PDWORD returnLength) {
  WINSIM_LOCK;
  if (FailsNow("AdjustTokenPrivileges")) return FALSE;
  uintptr_t value = reinterpret_cast<uintptr_t>(token);
  if (!IsHandle(HandleKind::Token, value)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!(privileges.access[value] & TOKEN_ADJUST_PRIVILEGES)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!disableAll && !newState) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The previous state is not simulated: a caller that asks for it is refused.
  if (previousState || returnLength) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  (void)bufferLength;
  if (disableAll) {
    privileges.enabled.clear();
    SetLastError(ERROR_SUCCESS);
    return TRUE;
  }
  bool allAssigned = true;
  for (DWORD i = 0; i < newState->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& entry = newState->Privileges[i];
    DWORD luid = entry.Luid.HighPart == 0 ? entry.Luid.LowPart : 0;
    if (!privileges.held.count(luid)) {
      allAssigned = false;
      continue;
    }
    if (entry.Attributes & SE_PRIVILEGE_ENABLED)
      privileges.enabled.insert(luid);
    else
      privileges.enabled.erase(luid);
  }
  // Success either way; a privilege the token does not hold is only named by the last error.
  SetLastError(allAssigned ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
  return TRUE;
}

}  // extern "C"
