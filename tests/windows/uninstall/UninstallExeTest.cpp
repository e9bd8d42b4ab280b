// The built uninstall.exe: its resources read as data, and the program itself started beside a
// copy of the sample medium.
#include "windows/MessageBoxWatcher.h"

#include "UninstallIds.h"
#include "UninstallStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TestDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  *strrchr(path, '\\') = '\0';
  return path;
}

std::string UninstallExe() { return TestDirectory() + "\\uninstall.exe"; }

std::string VersionValue(const std::string& file, const char* name) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  std::string block(size, '\0');
  char* value = nullptr;
  UINT length = 0;
  if (!size || !GetFileVersionInfoA(file.c_str(), 0, size, &block[0]) ||
      !VerQueryValueA(&block[0], (std::string("\\StringFileInfo\\040904b0\\") + name).c_str(),
                      reinterpret_cast<void**>(&value), &length))
    return "";
  return value;
}

TEST(UninstallExeResourcesTest, CarriesVersionIconsManifestTemplatesAndEveryText) {
  HMODULE exe = LoadLibraryExA(UninstallExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(exe) << GetLastError();
  HRSRC manifestResource = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_TRUE(manifestResource);
  std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, manifestResource))),
                       SizeofResource(exe, manifestResource));
  EXPECT_NE(std::string::npos, manifest.find("requireAdministrator"));
  EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
  EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
  for (int id : {IDI_UNINSTALL, IDI_RESTART})
    EXPECT_TRUE(FindResourceA(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14))) << id;
  for (int id : {IDD_ABOUT, IDD_UNINSTALL, IDD_RESTART})
    EXPECT_TRUE(FindResourceA(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5))) << id;
  struct Entry {
    int id;
    const char* text;
  };
#define UNINSTALL_TEST_ENTRY(name, id, text) {id, text},
  const Entry entries[] = {UNINSTALL_STRINGS(UNINSTALL_TEST_ENTRY)};
#undef UNINSTALL_TEST_ENTRY
  for (const Entry& entry : entries) {
    char text[1024] = {};
    LoadStringA(exe, entry.id, text, sizeof text);
    EXPECT_STREQ(entry.text, text) << entry.id;
  }
  FreeLibrary(exe);
  EXPECT_EQ("Uninstall", VersionValue(UninstallExe(), "FileDescription"));
  EXPECT_EQ("2.30", VersionValue(UninstallExe(), "FileVersion"));
}

class UninstallExeStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MessageBoxWatcher::HaveDisplay()) GTEST_SKIP() << "no display";
  }
  void TearDown() override {
    if (setupWindow) DestroyWindow(setupWindow);
    for (PROCESS_INFORMATION& process : started) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        if (HWND window = FindWindowA("#32770", "Uninstall"))
          PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
          TerminateProcess(process.hProcess, 1);
      }
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
  }
  HANDLE Start(const std::string& directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + UninstallExe() + "\"";
    if (!CreateProcessA(UninstallExe().c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process))
      return nullptr;
    started.push_back(process);
    return process.hProcess;
  }
  static HWND WaitForWindow() {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(50)) {
      HWND window = FindWindowA("#32770", "Uninstall");
      if (window && IsWindowVisible(window)) return window;
    }
    return nullptr;
  }
  static bool Ends(HANDLE process) { return WaitForSingleObject(process, 20000) == WAIT_OBJECT_0; }
  void OpenSetupWindow() {
    setupWindow = CreateWindowExA(0, "STATIC", "Printer Driver Setup", WS_OVERLAPPEDWINDOW, 0, 0,
                                  100, 50, nullptr, nullptr, nullptr, nullptr);
  }

  HWND setupWindow = nullptr;
  std::vector<PROCESS_INFORMATION> started;
};

TEST_F(UninstallExeStartTest, ASecondStartBringsTheFirstForwardWithoutAMessageEvenBesideSetup) {
  MessageBoxWatcher messages("uninstall");
  ASSERT_TRUE(Start(TestDirectory()));
  HWND window = WaitForWindow();
  ASSERT_TRUE(window);
  ShowWindow(window, SW_MINIMIZE);
  OpenSetupWindow();
  HANDLE second = Start(TestDirectory());
  ASSERT_TRUE(second);
  EXPECT_TRUE(Ends(second));
  Sleep(300);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(UninstallExeStartTest, AnOpenSetupWindowBlocksTheStartWithItsMessage) {
  OpenSetupWindow();
  MessageBoxWatcher messages("uninstall");
  HANDLE uninstall = Start(TestDirectory());
  ASSERT_TRUE(uninstall);
  EXPECT_TRUE(Ends(uninstall));
  EXPECT_EQ(std::vector<std::string>{"Please close Printer Driver Setup program first!"},
            messages.Texts());
  EXPECT_FALSE(FindWindowA("#32770", "Uninstall"));
}

TEST_F(UninstallExeStartTest, AWorkingDirectoryWithoutUninstallIniEndsAfterTheErrorBox) {
  std::string bare = TestDirectory() + "\\no-uninstall-ini";
  CreateDirectoryA(bare.c_str(), nullptr);
  MessageBoxWatcher errors("Error");
  HANDLE uninstall = Start(bare);
  ASSERT_TRUE(uninstall);
  EXPECT_TRUE(Ends(uninstall));
  EXPECT_EQ(std::vector<std::string>{"Invalid File Handle."}, errors.Texts());
}

}  // namespace
