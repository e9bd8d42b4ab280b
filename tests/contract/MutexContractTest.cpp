// Named mutexes as the single-instance rule uses them.
#include "contract/ContractEnv.h"

namespace {

class MutexContract : public ContractTest {};

TEST_F(MutexContract, ASecondCreateOfTheNameReportsThatItExistedUntilItsLastHandleCloses) {
  std::string name = "silent-" + contract::RunTag();
  SetLastError(0xdeadbeef);
  HANDLE first = CreateMutexA(nullptr, TRUE, name.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), 0u) << "a new mutex clears the last error";
  HANDLE second = CreateMutexA(nullptr, TRUE, name.c_str());
  ASSERT_NE(second, nullptr) << "the existing mutex is opened, not refused";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(CloseHandle(first));
  HANDLE again = CreateMutexA(nullptr, TRUE, name.c_str());
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_TRUE(CloseHandle(again));
}

}  // namespace
