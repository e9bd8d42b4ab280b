// Named mutexes (CreateMutexA, ReleaseMutex; CloseHandle drops them) and the local time.
#include "winsim/Machine.h"
#include "winsim/SyncControl.h"

#include <map>

namespace winsim {
namespace {
struct SyncState {
  std::map<std::string, int> mutexUsers;     // by Upper(name): open handles, others included
  std::map<uintptr_t, std::string> mutexes;  // handle -> Upper(name), "" for an unnamed one
  SYSTEMTIME localTime = {2024, 3, 2, 5, 9, 7, 5, 0};  // a Tuesday
};
SyncState sync;
}  // namespace

void ResetSync() { sync = SyncState(); }

void HoldMutexElsewhere(const std::string& name) {
  WINSIM_LOCK;
  ++sync.mutexUsers[Upper(name)];
}

void SetLocalTime(const SYSTEMTIME& time) {
  WINSIM_LOCK;
  sync.localTime = time;
}

bool CloseMutexHandle(uintptr_t value) {
  auto it = sync.mutexes.find(value);
  if (it == sync.mutexes.end() || !ReleaseHandle(HandleKind::Other, value)) return false;
  if (!it->second.empty() && --sync.mutexUsers[it->second] <= 0) sync.mutexUsers.erase(it->second);
  sync.mutexes.erase(it);
  return true;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR name) {
  WINSIM_LOCK;
  if (FailsNow("CreateMutexA", name)) return nullptr;
  std::string key = name ? Upper(name) : std::string();
  bool existed = !key.empty() && sync.mutexUsers.count(key) != 0;
  uintptr_t handle = NewHandle(HandleKind::Other);
  sync.mutexes[handle] = key;
  if (!key.empty()) ++sync.mutexUsers[key];
  // Windows sets the last error on success too: 0 for a new mutex.
  SetLastError(existed ? ERROR_ALREADY_EXISTS : 0);
  return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI ReleaseMutex(HANDLE handle) {
  WINSIM_LOCK;
  if (FailsNow("ReleaseMutex")) return FALSE;
  if (!sync.mutexes.count(reinterpret_cast<uintptr_t>(handle))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

void WINAPI GetLocalTime(LPSYSTEMTIME time) {
  WINSIM_LOCK;
  TakeFault("GetLocalTime");
  if (time) *time = sync.localTime;
}

}  // extern "C"
