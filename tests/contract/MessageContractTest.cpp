// Message boxes, broadcasts and the memory functions, as far as the real API can answer them
// in a test.
#include "contract/ContractEnv.h"

#include <cstring>

namespace {

class MessageContract : public ContractTest {};

TEST_F(MessageContract, EnterAnswersWithTheDefaultButtonTheTypeNames) {
  struct Case {
    UINT type;
    int answer;
  } cases[] = {{MB_OK, IDOK},
               {MB_YESNO, IDYES},
               {MB_YESNO | MB_DEFBUTTON2, IDNO},
               {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
               {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
               {MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION, IDNO}};
  for (const Case& c : cases) {
    int answer = contract::AnswerWithEnter("Pick the default", c.type);
    if (answer == -1) GTEST_SKIP() << "no display to show a message box on";
    EXPECT_EQ(answer, c.answer) << std::hex << c.type;
  }
}

TEST_F(MessageContract, BroadcastsOfASettingChangeAreDeliveredAndAWindowThatIsNoneFails) {
  DWORD_PTR result = 1;
  EXPECT_NE(SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0,
                                reinterpret_cast<LPARAM>("windows"), SMTO_NORMAL, 1000, &result),
            0)
      << GetLastError();
  EXPECT_TRUE(SendNotifyMessageA(HWND_BROADCAST, WM_NULL, 0, 0)) << GetLastError();
  // A message that carries text is never sent without waiting on NT.
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(SendNotifyMessageA(HWND_BROADCAST, WM_WININICHANGE, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MESSAGE_SYNC_ONLY));
  HWND none = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7ffe0));
  SetLastError(0xdeadbeef);
  EXPECT_EQ(SendMessageTimeoutA(none, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(SendNotifyMessageA(none, WM_NULL, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(MessageContract, ZeroedBlocksAreZeroAndFreeingAnswersNull) {
  auto* global = static_cast<unsigned char*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 64));
  ASSERT_NE(global, nullptr);
  auto* local = static_cast<unsigned char*>(LocalAlloc(LPTR, 64));
  ASSERT_NE(local, nullptr);
  static const unsigned char zeroes[64] = {};
  EXPECT_EQ(memcmp(global, zeroes, 64), 0);
  EXPECT_EQ(memcmp(local, zeroes, 64), 0);
  memset(global, 0xAB, 64);  // writable to its end
  memset(local, 0xAB, 64);
  EXPECT_EQ(GlobalFree(global), nullptr);
  EXPECT_EQ(LocalFree(local), nullptr);
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);
  EXPECT_EQ(contract::OpenHandles(), 0);
}

TEST_F(MessageContract, AnAllocationTooLargeForTheAddressSpaceFailsWithNotEnoughMemory) {
  // Not a constant, so that the compiler does not refuse the call itself.
  volatile SIZE_T huge = ~static_cast<SIZE_T>(0) - 0x10000;
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GlobalAlloc(GMEM_FIXED, huge), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  SetLastError(0xdeadbeef);
  EXPECT_EQ(LocalAlloc(LMEM_FIXED, huge), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

}  // namespace
