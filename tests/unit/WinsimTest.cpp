// The test machinery itself: fault injection, handle accounting and the virtual clock must
// be right, or every other test could pass for the wrong reason.
#include "winsim/winsim.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

class WinsimTest : public ::testing::Test {
 protected:
  void SetUp() override { winsim::Reset(); }
};

HKEY Open(const char* path) {
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key);
  return key;
}

TEST_F(WinsimTest, FaultOnTheNthCallHitsThatCallOnly) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, "A", "v", REG_SZ, std::string("x", 2));
  winsim::FailCall("RegOpenKeyExA", ERROR_ACCESS_DENIED, 2);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(winsim::CallCount("RegOpenKeyExA"), 3);
}

TEST_F(WinsimTest, FaultForAnArgumentSparesOtherArguments) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, "A", "v", REG_SZ, std::string("x", 2));
  winsim::SetValue(HKEY_LOCAL_MACHINE, "B", "v", REG_SZ, std::string("x", 2));
  winsim::FailCall("RegOpenKeyExA", ERROR_ACCESS_DENIED, 0, "b");
  HKEY key = Open("A");
  EXPECT_NE(key, nullptr);
  RegCloseKey(key);
  EXPECT_EQ(Open("B"), nullptr);
  EXPECT_EQ(Open("B"), nullptr) << "nth 0 fails every matching call";
}

TEST_F(WinsimTest, HandlesAreCountedUntilClosedAndAResetWithOneOpenFailsTheTest) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, "A", "v", REG_SZ, std::string("x", 2));
  HKEY first = Open("A");
  HKEY second = Open("A");
  EXPECT_NE(first, second);
  EXPECT_EQ(winsim::OpenHandles(winsim::HandleKind::Key), 2);
  RegCloseKey(first);
  EXPECT_EQ(winsim::OpenHandles(), 1);
  EXPECT_NE(winsim::DescribeOpenHandles().find("key"), std::string::npos);
  RegCloseKey(second);
  EXPECT_EQ(winsim::OpenHandles(), 0);
  Open("A");
  EXPECT_NONFATAL_FAILURE(winsim::Reset(), "winsim::Reset with open handles: key@");
  EXPECT_EQ(winsim::OpenHandles(), 0);
  EXPECT_FALSE(winsim::KeyExists(HKEY_LOCAL_MACHINE, "A"));
}

TEST_F(WinsimTest, WinspoolExportsSetDefaultPrinterFromWindows2000On) {
  struct Case {
    DWORD platform, major, minor;
    bool exported;
  } cases[] = {{VER_PLATFORM_WIN32_WINDOWS, 4, 10, false},
               {VER_PLATFORM_WIN32_NT, 4, 0, false},
               {VER_PLATFORM_WIN32_NT, 5, 0, true},
               {VER_PLATFORM_WIN32_NT, 6, 0, true}};
  for (const Case& c : cases) {
    winsim::SetVersion(c.platform, c.major, c.minor);
    HMODULE winspool = LoadLibraryA("winspool.drv");
    ASSERT_NE(winspool, nullptr);
    EXPECT_EQ(GetProcAddress(winspool, "SetDefaultPrinterA") != nullptr, c.exported)
        << c.major << "." << c.minor;
    FreeLibrary(winspool);
  }
}

TEST_F(WinsimTest, ACutModuleFileNameAnswersAsTheWindowsVersionDoes) {
  winsim::SetModuleFileName("C:\\setup.exe");
  char cut[5];
  memset(cut, 'z', sizeof cut);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetModuleFileNameA(nullptr, cut, sizeof cut), 5u);
  EXPECT_EQ(GetLastError(), 0u) << "XP reports success";
  EXPECT_EQ(std::string(cut, 5), "C:\\se") << "and leaves no terminator";
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 6, 0);
  EXPECT_EQ(GetModuleFileNameA(nullptr, cut, sizeof cut), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(cut, "C:\\s");
}

TEST_F(WinsimTest, ABareProfileNameLivesInTheSimulatedWindowsDirectory) {
  winsim::SetWindowsDirectory("D:\\WINNT");
  winsim::WriteFile("D:\\WINNT\\bare.ini", "[S]\r\nK=moved\r\n");
  winsim::WriteFile("C:\\WINDOWS\\bare.ini", "[S]\r\nK=fixed\r\n");
  char text[16];
  GetPrivateProfileStringA("S", "K", "", text, sizeof text, "bare.ini");
  EXPECT_STREQ(text, "moved");
}

TEST_F(WinsimTest, AProfileReadAfterTheFileChangedSeesTheNewText) {
  winsim::WriteFile("C:\\cached.ini", "[S]\r\nK=first\r\n");
  char text[16];
  GetPrivateProfileStringA("S", "K", "", text, sizeof text, "C:\\cached.ini");
  EXPECT_STREQ(text, "first");
  winsim::WriteFile("C:\\cached.ini", "[S]\r\nK=second\r\n");
  GetPrivateProfileStringA("S", "K", "", text, sizeof text, "C:\\cached.ini");
  EXPECT_STREQ(text, "second");
  WritePrivateProfileStringA("S", "K", "third", "C:\\cached.ini");
  GetPrivateProfileStringA("S", "K", "", text, sizeof text, "C:\\cached.ini");
  EXPECT_STREQ(text, "third");
  winsim::RemovePath("C:\\cached.ini");
  GetPrivateProfileStringA("S", "K", "gone", text, sizeof text, "C:\\cached.ini");
  EXPECT_STREQ(text, "gone");
}

TEST_F(WinsimTest, AnInjectedCloseFaultFailsTheCloseButTheHandleIsGone) {
  winsim::WriteFile("C:\\x.txt", "x");
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("C:\\*.txt", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  winsim::FailCall("FindClose", ERROR_NOT_ENOUGH_MEMORY);
  winsim::FailCall("FreeLibrary", ERROR_INVALID_PARAMETER);
  SetLastError(0);
  EXPECT_FALSE(FindClose(find));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  HMODULE winspool = LoadLibraryA("winspool.drv");
  ASSERT_NE(winspool, nullptr);
  EXPECT_FALSE(FreeLibrary(winspool));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(winsim::OpenHandles(), 0);
  EXPECT_FALSE(FindClose(find)) << "closed already";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(WinsimTest, SleepAdvancesTheVirtualClockAtOnce) {
  DWORD start = GetTickCount();
  Sleep(2000);
  Sleep(300);
  EXPECT_EQ(GetTickCount() - start, 2300u);
  EXPECT_EQ(winsim::Sleeps(), (std::vector<DWORD>{2000, 300}));
}

TEST_F(WinsimTest, HostDirectoryLoadsWithCaseInsensitiveNames) {
  ASSERT_GT(winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", "D:\\Medium"), 0);
  EXPECT_TRUE(winsim::FileExists("d:\\medium\\drvconfig\\SETUP.INI"));
  EXPECT_TRUE(winsim::DirectoryExists("D:\\MEDIUM\\WinNT"));
  EXPECT_FALSE(winsim::FileExists("D:\\Medium\\DRVCONFIG\\absent.ini"));
}

}  // namespace
