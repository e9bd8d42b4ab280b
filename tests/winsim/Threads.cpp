// CreateThread and WaitForSingleObject on thread handles, over real threads: the install
// worker runs beside the test as it runs beside the wizard.
#include "winsim/Machine.h"
#include "winsim/ShellControl.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <thread>

namespace winsim {
namespace {
struct ThreadState {
  std::mutex lock;
  std::condition_variable ended;
  bool done = false;
  DWORD exitCode = STILL_ACTIVE;
};
struct ThreadTable {
  std::map<uintptr_t, std::shared_ptr<ThreadState>> open;
  int started = 0;
  DWORD startDelay = 0;
};
ThreadTable threads;
// Threads whose start routine has not returned yet; outlives a Reset or Reboot.
std::atomic<int> running{0};
}  // namespace

void ResetThreads() { threads = ThreadTable(); }

int ThreadsStarted() {
  WINSIM_LOCK;
  return threads.started;
}

void DelayThreadStarts(DWORD realMs) {
  WINSIM_LOCK;
  threads.startDelay = realMs;
}

void WaitForThreadsToEnd() {
  while (running.load() > 0) std::this_thread::yield();
}

bool CloseThreadHandle(uintptr_t value) {
  WINSIM_LOCK;
  if (!ReleaseHandle(HandleKind::Other, value)) return false;
  threads.open.erase(value);
  return true;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start,
                           LPVOID parameter, DWORD, LPDWORD threadId) {
  WINSIM_LOCK;
  if (FailsNow("CreateThread")) return nullptr;
  auto state = std::make_shared<ThreadState>();
  DWORD delay = threads.startDelay;
  // The thread keeps its state alive itself, so closing the handle early is harmless.
  ++running;
  std::thread([state, start, parameter, delay] {
    if (delay) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    DWORD code = ERROR_NOT_READY;
    // A power loss ends the thread where it stands; a waiter already waiting wakes up and
    // meets the power loss at its own next call.
    RunUntilPowerCut([&] { code = start(parameter); });
    {
      std::lock_guard<std::mutex> guard(state->lock);
      state->exitCode = code;
      state->done = true;
      state->ended.notify_all();
    }
    --running;
  }).detach();
  uintptr_t handle = NewHandle(HandleKind::Other);
  threads.open[handle] = state;
  ++threads.started;
  if (threadId) *threadId = static_cast<DWORD>(handle);
  return reinterpret_cast<HANDLE>(handle);
}

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD timeout) {
  std::shared_ptr<ThreadState> state;
  {
    WINSIM_LOCK;
    if (FailsNow("WaitForSingleObject")) return WAIT_FAILED;
    auto it = threads.open.find(reinterpret_cast<uintptr_t>(handle));
    if (it == threads.open.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    state = it->second;
  }
  // Waited for outside the machine lock: the thread needs it to get on.
  std::unique_lock<std::mutex> guard(state->lock);
  auto ended = [&] { return state->done; };
  if (timeout == INFINITE)
    state->ended.wait(guard, ended);
  else if (!state->ended.wait_for(guard, std::chrono::milliseconds(timeout), ended))
    return WAIT_TIMEOUT;
  return WAIT_OBJECT_0;
}

}  // extern "C"
