// Appending to a file through a handle, as the silent runs' log does.
#include "contract/ContractEnv.h"

#include <string>

namespace {

class FileWriteContract : public ContractTest {
 protected:
  HANDLE OpenForAppend(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  std::string Contents(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return "<missing>";
    std::string text;
    char buffer[64];
    DWORD read = 0;
    while (ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read)
      text.append(buffer, read);
    CloseHandle(handle);
    return text;
  }
};

TEST_F(FileWriteContract, WritesAfterSeekingToTheEndAppend) {
  std::string file = dir + "log.txt";
  contract::PutFile(file, "old\r\n");
  HANDLE handle = OpenForAppend(file);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SetFilePointer(handle, 0, nullptr, FILE_END), 5u);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(handle, "new\r\n", 5, &written, nullptr));
  EXPECT_EQ(written, 5u);
  ASSERT_TRUE(WriteFile(handle, "x", 1, &written, nullptr));
  EXPECT_TRUE(CloseHandle(handle));
  EXPECT_EQ(Contents(file), "old\r\nnew\r\nx");
}

TEST_F(FileWriteContract, OpenAlwaysCreatesAMissingFileButNotItsDirectory) {
  HANDLE handle = OpenForAppend(dir + "fresh.txt");
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(handle));
  EXPECT_EQ(Contents(dir + "fresh.txt"), "");
  SetLastError(0xdeadbeef);
  EXPECT_EQ(OpenForAppend(dir + "missing\\log.txt"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FileWriteContract, AReadOnlyFileCannotBeOpenedForWriting) {
  // Wine keeps the attribute as the Unix file mode, which a root user's open ignores.
  SKIP_ON_WINE("Wine's read-only attribute does not stop a root user");
  std::string file = dir + "locked.txt";
  contract::PutFile(file, "keep");
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  SetLastError(0xdeadbeef);
  EXPECT_EQ(OpenForAppend(file), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
}

TEST_F(FileWriteContract, AHandleOpenedForReadingTakesNoWrite) {
  std::string file = dir + "read.txt";
  contract::PutFile(file, "keep");
  HANDLE reading = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reading, INVALID_HANDLE_VALUE);
  DWORD written = 99;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(WriteFile(reading, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(CloseHandle(reading));
  EXPECT_EQ(Contents(file), "keep");
}

}  // namespace
