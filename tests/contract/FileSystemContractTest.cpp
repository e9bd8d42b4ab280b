// Files, directories and the program's own names as Windows answers them.
#include "contract/ContractEnv.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

class FileSystemContract : public ContractTest {
 protected:
  std::vector<std::string> Find(const std::string& pattern, DWORD* error = nullptr) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    SetLastError(0xdeadbeef);
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
      if (error) *error = GetLastError();
      return names;
    }
    do names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    if (error) *error = GetLastError();
    FindClose(find);
    return names;
  }
};

TEST_F(FileSystemContract, AttributesOfMissingFileAndMissingDirectory) {
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetFileAttributesA((dir + "absent.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetFileAttributesA((dir + "nodir\\absent.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FileSystemContract, NewFileIsArchiveAndAttributesAddUp) {
  std::string file = dir + "a.txt";
  contract::PutFile(file, "x");
  EXPECT_EQ(GetFileAttributesA(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesA(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_TRUE(GetFileAttributesA(dir.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(SetFileAttributesA((dir + "absent").c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileSystemContract, SetAttributesReplacesThemAndNormalStandsAlone) {
  SKIP_ON_WINE("Wine reports every regular file as ARCHIVE, whatever was set");
  std::string file = dir + "a.txt";
  contract::PutFile(file, "x");
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesA(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesA(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
}

TEST_F(FileSystemContract, FindListsDotEntriesThenMatchesAndEndsWithNoMoreFiles) {
  contract::PutFile(dir + "one.ini", "1");
  contract::PutFile(dir + "Two.INI", "2");
  contract::PutFile(dir + "three.txt", "3");
  contract::PutDirectory(dir + "sub");
  DWORD error = 0;
  std::vector<std::string> all = Find(dir + "*", &error);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NO_MORE_FILES));
  ASSERT_GE(all.size(), 2u);
  std::vector<std::string> dots(all.begin(), all.begin() + 2);
  std::sort(dots.begin(), dots.end());
  EXPECT_EQ(dots, (std::vector<std::string>{".", ".."}));
  std::vector<std::string> rest(all.begin() + 2, all.end());
  std::sort(rest.begin(), rest.end());
  EXPECT_EQ(rest, (std::vector<std::string>{"Two.INI", "one.ini", "sub", "three.txt"}));
  std::vector<std::string> inis = Find(dir + "*.ini");
  std::sort(inis.begin(), inis.end());
  EXPECT_EQ(inis, (std::vector<std::string>{"Two.INI", "one.ini"}));
  EXPECT_EQ(Find(dir + "t?o.ini"), (std::vector<std::string>{"Two.INI"}));
}

TEST_F(FileSystemContract, FindWithoutMatchOrDirectoryFails) {
  DWORD error = 0;
  EXPECT_TRUE(Find(dir + "*.none", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(Find(dir + "nodir\\*", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(contract::OpenHandles(), 0);
}

TEST_F(FileSystemContract, ModuleFileNameIsCutToTheBufferAndReportsItsSize) {
  char full[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, full, sizeof full);
  ASSERT_GT(length, 4u);
  EXPECT_EQ(full[length], '\0');
  // Whether the cut name is terminated depends on the Windows version: callers must check
  // the returned length, not look for a NUL.
  char cut[5];
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetModuleFileNameA(nullptr, cut, sizeof cut), 5u);
  DWORD error = GetLastError();
  // XP, one of the targets, reports success; Vista and later report the short buffer.
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(error, static_cast<DWORD>(version.dwMajorVersion >= 6
                                                   ? ERROR_INSUFFICIENT_BUFFER
                                                   : ERROR_SUCCESS));
  EXPECT_EQ(std::string(cut, 4), std::string(full, 4));
}

TEST_F(FileSystemContract, CurrentDirectoryReportsTheSizeItNeeds) {
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  char buffer[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  EXPECT_EQ(std::string(buffer) + "\\", dir);
  EXPECT_EQ(length, dir.size() - 1);
  char cut[4] = "abc";
  EXPECT_EQ(GetCurrentDirectoryA(sizeof cut, cut), dir.size());
  // Relative profile paths resolve against it.
  contract::PutFile(dir + "rel.ini", "[S]\r\nK=relative\r\n");
  char value[32];
  GetPrivateProfileStringA("S", "K", "", value, sizeof value, ".\\rel.ini");
  EXPECT_STREQ(value, "relative");
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(SetCurrentDirectoryA((dir + "absent").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
