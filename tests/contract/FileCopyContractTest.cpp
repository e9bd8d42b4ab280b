// CopyFileA, CreateFileA (as an existence test) and DeleteFileA with the codes the
// installation acts on.
#include "contract/ContractEnv.h"

#include <string>

namespace {

class FileCopyContractTest : public ContractTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(contract::OpenHandles(), 0);
    // The test directory goes away with the test; read-only files must not stop it.
    for (const char* name : {"ro.dll", "b.dll", "hidden.dll"})
      SetFileAttributesA((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    ContractTest::TearDown();
  }
};

TEST_F(FileCopyContractTest, CopyOverwritesOnlyWhenAllowed) {
  contract::PutFile(dir + "a.dll", "new");
  contract::PutFile(dir + "b.dll", "old");
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CopyFileA((dir + "a.dll").c_str(), (dir + "b.dll").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_TRUE(CopyFileA((dir + "a.dll").c_str(), (dir + "b.dll").c_str(), FALSE)) << GetLastError();
  EXPECT_TRUE(CopyFileA((dir + "a.dll").c_str(), (dir + "c.dll").c_str(), TRUE)) << GetLastError();
  EXPECT_NE(GetFileAttributesA((dir + "c.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileCopyContractTest, CopyFailuresGiveTheCodesOfWindows) {
  contract::PutFile(dir + "a.dll", "new");
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CopyFileA((dir + "missing.dll").c_str(), (dir + "x.dll").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CopyFileA((dir + "a.dll").c_str(), (dir + "nodir\\x.dll").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FileCopyContractTest, CopyOverAReadOnlyFileIsDenied) {
  SKIP_ON_WINE("Wine's CopyFileA replaces a read-only destination; Windows answers 5");
  contract::PutFile(dir + "a.dll", "new");
  contract::PutFile(dir + "ro.dll", "old");
  ASSERT_TRUE(SetFileAttributesA((dir + "ro.dll").c_str(), FILE_ATTRIBUTE_READONLY));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CopyFileA((dir + "a.dll").c_str(), (dir + "ro.dll").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(FileCopyContractTest, CopyOverAHiddenFileIsDenied) {
  SKIP_ON_WINE("Wine's CopyFileA replaces a hidden destination; Windows answers 5");
  contract::PutFile(dir + "a.dll", "new");
  contract::PutFile(dir + "hidden.dll", "old");
  ASSERT_TRUE(SetFileAttributesA((dir + "hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CopyFileA((dir + "a.dll").c_str(), (dir + "hidden.dll").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(FileCopyContractTest, CopyOntoItselfIsASharingViolationAndKeepsTheFile) {
  contract::PutFile(dir + "a.dll", "new");
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(CopyFileA((dir + "a.dll").c_str(), (dir + "A.DLL").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(contract::FileText(dir + "a.dll"), "new");
}

TEST_F(FileCopyContractTest, ASuccessfulCreateTellsWhetherTheFileWasThere) {
  contract::PutFile(dir + "there.dll", "x");
  struct Case {
    const char* name;
    DWORD disposition;
    DWORD error;
  } cases[] = {{"there.dll", OPEN_ALWAYS, ERROR_ALREADY_EXISTS},
               {"there.dll", CREATE_ALWAYS, ERROR_ALREADY_EXISTS},
               {"there.dll", OPEN_EXISTING, ERROR_SUCCESS},
               {"new1.dll", OPEN_ALWAYS, ERROR_SUCCESS},
               {"new2.dll", CREATE_ALWAYS, ERROR_SUCCESS},
               {"new3.dll", CREATE_NEW, ERROR_SUCCESS}};
  for (const Case& c : cases) {
    SetLastError(0xdeadbeef);
    HANDLE file = CreateFileA((dir + c.name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              c.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name << " " << c.disposition;
    CloseHandle(file);
  }
}

TEST_F(FileCopyContractTest, CreateFileWithoutAccessRightsTellsWhetherAFileExists) {
  contract::PutFile(dir + "a.dll", "x");
  HANDLE file = CreateFileA((dir + "a.dll").c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(file));
  SetLastError(0xdeadbeef);
  EXPECT_EQ(CreateFileA((dir + "none.dll").c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileCopyContractTest, DeleteRemovesAFileAndRefusesAReadOnlyOne) {
  contract::PutFile(dir + "a.dll", "x");
  EXPECT_TRUE(DeleteFileA((dir + "a.dll").c_str()));
  EXPECT_EQ(GetFileAttributesA((dir + "a.dll").c_str()), INVALID_FILE_ATTRIBUTES);
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(DeleteFileA((dir + "a.dll").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  contract::PutFile(dir + "ro.dll", "x");
  ASSERT_TRUE(SetFileAttributesA((dir + "ro.dll").c_str(), FILE_ATTRIBUTE_READONLY));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(DeleteFileA((dir + "ro.dll").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
