// Last error and the clock as Windows keeps them.
#include "contract/ContractEnv.h"

#include <atomic>
#include <thread>

namespace {

class KernelContract : public ContractTest {};

TEST_F(KernelContract, SleepMovesTheTickCountByAtLeastItsLength) {
  DWORD start = GetTickCount();
  Sleep(120);
  DWORD elapsed = GetTickCount() - start;
  // The real clock ticks in steps of about 16 ms; winsim's moves by exactly the sleep.
  EXPECT_GE(elapsed, 100u);
  EXPECT_LT(elapsed, 2000u);
}

TEST_F(KernelContract, LastErrorIsKeptPerThread) {
  std::atomic<int> step{0};
  DWORD seen = 0;
  std::thread other([&] {
    while (step.load() != 1) std::this_thread::yield();
    SetLastError(ERROR_FILE_NOT_FOUND);
    seen = GetLastError();
    step.store(2);
  });
  // Thread creation and join call the system themselves, so the main thread's value is set
  // and read between them.
  SetLastError(ERROR_ACCESS_DENIED);
  step.store(1);
  while (step.load() != 2) std::this_thread::yield();
  DWORD mine = GetLastError();
  other.join();
  EXPECT_EQ(seen, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(mine, static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(KernelContract, RegistryCallsLeaveTheLastErrorAlone) {
  // The registry returns its error instead of setting the thread's, which is why the
  // registry wrapper keeps the returned code.
  SetLastError(12345);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\ContractTests\\Absent\\Key", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetLastError(), 12345u);
}

}  // namespace
