// Starting programs, looking for windows and running a worker thread, as the Install command
// does them.
#include "contract/ContractEnv.h"

#include <shellapi.h>

#include <atomic>

namespace {

class ShellContract : public ContractTest {};

TEST_F(ShellContract, StartingAMissingProgramAnswersFileNotFound) {
  std::string missing = dir + "Install.exe";
  HINSTANCE answer =
      ShellExecuteA(GetDesktopWindow(), "open", missing.c_str(), "2", "", SW_SHOWNORMAL);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(answer), static_cast<INT_PTR>(SE_ERR_FNF));
  missing = dir + "USBDrv\\Install.exe";
  answer = ShellExecuteA(GetDesktopWindow(), "open", missing.c_str(), "2", "", SW_SHOWNORMAL);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(answer), static_cast<INT_PTR>(SE_ERR_FNF));
}

TEST_F(ShellContract, NoWindowHasAnUnknownTitle) {
  EXPECT_EQ(FindWindowA(nullptr, "No window is titled like this 7f3a"), nullptr);
  EXPECT_NE(GetDesktopWindow(), nullptr);
}

struct Gate {
  std::atomic<int> open{0};
  std::atomic<int> ran{0};
};

DWORD WINAPI WaitAtGate(LPVOID parameter) {
  Gate* gate = static_cast<Gate*>(parameter);
  while (!gate->open.load()) Sleep(1);
  gate->ran.store(1);
  return 7;
}

TEST_F(ShellContract, AThreadIsWaitedForUntilItsStartRoutineReturns) {
  Gate gate;
  HANDLE thread = CreateThread(nullptr, 0, WaitAtGate, &gate, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 20), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(gate.ran.load(), 0);
  gate.open.store(1);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(gate.ran.load(), 1);
  // An ended thread stays signalled.
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_EQ(contract::OpenHandles(), 0);
}

}  // namespace
