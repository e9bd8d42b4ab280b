// Appending to a file through a handle, as the silent runs' log does.
#include "contract/ContractEnv.h"

#include <string>

namespace {

class FileWriteContract : public ContractTest {
 protected:
  static HANDLE Open(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

TEST_F(FileWriteContract, WritesAfterSeekingToTheEndAppendAndAReadHandleTakesNone) {
  std::string file = dir + "log.txt";
  contract::PutFile(file, "old\r\n");
  HANDLE handle = Open(file, GENERIC_WRITE);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SetFilePointer(handle, 0, nullptr, FILE_END), 5u);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(handle, "new\r\n", 5, &written, nullptr));
  EXPECT_EQ(written, 5u);
  EXPECT_TRUE(CloseHandle(handle));

  handle = Open(file, GENERIC_READ);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  char text[16] = {};
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(handle, text, sizeof text, &read, nullptr));
  EXPECT_EQ(std::string(text, read), "old\r\nnew\r\n");
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(WriteFile(handle, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(CloseHandle(handle));
}

TEST_F(FileWriteContract, OpenAlwaysDoesNotCreateAMissingDirectory) {
  SetLastError(0xdeadbeef);
  EXPECT_EQ(Open(dir + "missing\\log.txt", GENERIC_WRITE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
