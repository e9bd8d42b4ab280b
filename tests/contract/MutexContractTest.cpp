// Named mutexes as the single-instance rule uses them, and the local time of log lines.
#include "contract/ContractEnv.h"

#include <cstring>
#include <string>

namespace {

class MutexContract : public ContractTest {};

TEST_F(MutexContract, ASecondCreateOfTheNameReportsThatItExisted) {
  std::string name = "silent-" + contract::RunTag();
  SetLastError(0xdeadbeef);
  HANDLE first = CreateMutexA(nullptr, TRUE, name.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), 0u) << "a new mutex clears the last error";
  HANDLE second = CreateMutexA(nullptr, TRUE, name.c_str());
  ASSERT_NE(second, nullptr) << "the existing mutex is opened, not refused";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(ReleaseMutex(first));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(CloseHandle(first));

  HANDLE again = CreateMutexA(nullptr, TRUE, name.c_str());
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetLastError(), 0u) << "the name goes with its last handle";
  EXPECT_TRUE(CloseHandle(again));
}

TEST_F(MutexContract, LocalTimeIsADate) {
  SYSTEMTIME time;
  memset(&time, 0xff, sizeof time);
  GetLocalTime(&time);
  EXPECT_GE(time.wYear, 2000);
  EXPECT_GE(time.wMonth, 1);
  EXPECT_LE(time.wMonth, 12);
  EXPECT_GE(time.wDay, 1);
  EXPECT_LE(time.wDay, 31);
  EXPECT_LE(time.wHour, 23);
  EXPECT_LE(time.wMinute, 59);
  EXPECT_LE(time.wSecond, 59);
}

}  // namespace
