// Reading a whole file through a handle, as the licence page does: size by seeking to the end,
// back to the start, then ReadFile until the end.
#include "contract/ContractEnv.h"

#include <string>

namespace {

class FileReadContract : public ContractTest {
 protected:
  HANDLE Open(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

TEST_F(FileReadContract, SeekToEndGivesSizeAndReadStopsAtTheEnd) {
  std::string file = dir + "text.txt";
  contract::PutFile(file, std::string("ab\0cd\r\n", 7));
  HANDLE handle = Open(file, GENERIC_READ);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SetFilePointer(handle, 0, nullptr, FILE_END), 7u);
  EXPECT_EQ(SetFilePointer(handle, 0, nullptr, FILE_BEGIN), 0u);
  char buffer[16] = {};
  DWORD read = 99;
  ASSERT_TRUE(ReadFile(handle, buffer, 5, &read, nullptr));
  EXPECT_EQ(read, 5u);
  EXPECT_EQ(std::string(buffer, 5), std::string("ab\0cd", 5));
  ASSERT_TRUE(ReadFile(handle, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(read, 2u) << "only what is left";
  ASSERT_TRUE(ReadFile(handle, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(read, 0u) << "at the end a read succeeds with nothing";
  EXPECT_EQ(SetFilePointer(handle, -3, nullptr, FILE_CURRENT), 4u);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(SetFilePointer(handle, -5, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  EXPECT_TRUE(CloseHandle(handle));
}

TEST_F(FileReadContract, EmptyFileHasSizeZeroAndReadsNothing) {
  std::string file = dir + "empty.txt";
  contract::PutFile(file, "");
  HANDLE handle = Open(file, GENERIC_READ);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  // 0 is a size, not a failure: only INVALID_SET_FILE_POINTER reports one (Wine leaves the
  // last error as it was on success, so it says nothing here).
  EXPECT_EQ(SetFilePointer(handle, 0, nullptr, FILE_END), 0u);
  char byte = 'x';
  DWORD read = 99;
  EXPECT_TRUE(ReadFile(handle, &byte, 1, &read, nullptr));
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(byte, 'x');
  EXPECT_TRUE(CloseHandle(handle));
}

TEST_F(FileReadContract, HandleWithoutReadAccessCannotRead) {
  std::string file = dir + "w.txt";
  contract::PutFile(file, "data");
  HANDLE handle = Open(file, GENERIC_WRITE);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  char buffer[4];
  DWORD read = 99;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(ReadFile(handle, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(read, 0u);
  EXPECT_TRUE(CloseHandle(handle));
}

}  // namespace
