// Last error and the virtual clock.
#include "winsim/Machine.h"

namespace winsim {
namespace {
DWORD clockMs = 0;
std::vector<DWORD> sleeps;
}  // namespace

void ResetClock() {
  clockMs = 0;
  sleeps.clear();
}

DWORD Now() {
  WINSIM_LOCK;
  return clockMs;
}

void Advance(DWORD ms) {
  WINSIM_LOCK;
  clockMs += ms;
}

std::vector<DWORD> Sleeps() {
  WINSIM_LOCK;
  return sleeps;
}

}  // namespace winsim

namespace {
thread_local DWORD lastError = 0;
}

extern "C" {

DWORD WINAPI GetLastError(void) { return lastError; }

void WINAPI SetLastError(DWORD error) { lastError = error; }

void WINAPI Sleep(DWORD ms) {
  WINSIM_LOCK;
  winsim::TakeFault("Sleep");
  winsim::sleeps.push_back(ms);
  winsim::clockMs += ms;
}

DWORD WINAPI GetTickCount(void) { return winsim::Now(); }

}  // extern "C"
