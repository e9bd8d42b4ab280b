// The built setup.exe: its resources read as data, and the program itself started from a copy
// of the sample medium.
#include "windows/support/WindowTestSupport.h"
#include "windows/MessageBoxWatcher.h"

#include "SetupIds.h"
#include "SetupStrings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TestDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  *strrchr(path, '\\') = '\0';
  return path;
}

std::string SetupExe() { return TestDirectory() + "\\setup.exe"; }

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return "";
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(data, SizeofResource(module, found));
}

TEST(SetupExeResourcesTest, CarriesVersionIconManifestTemplatesAndEveryText) {
  HMODULE setup = LoadLibraryExA(SetupExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(setup) << GetLastError();

  std::string manifest = ResourceText(setup, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  EXPECT_NE(std::string::npos, manifest.find("requireAdministrator"));
  EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
  EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));

  EXPECT_TRUE(
      FindResourceA(setup, MAKEINTRESOURCEA(IDI_SETUP), MAKEINTRESOURCEA(14)));  // RT_GROUP_ICON
  for (int id : {IDD_ABOUT, IDD_WIZARD_FRAME, IDD_OS_PAGE, IDD_MODULE_PAGE, IDD_PORT_PAGE,
                 IDD_LICENSE_PAGE, IDD_SETUP_TYPE_PAGE, IDD_PROGRESS})
    EXPECT_TRUE(FindResourceA(setup, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)))
        << id;  // RT_DIALOG
  EXPECT_TRUE(
      FindResourceA(setup, MAKEINTRESOURCEA(IDD_PORT_PAGE), MAKEINTRESOURCEA(RT_DIALOG_INIT)));

  struct Entry {
    int id;
    const char* text;
  };
#define SETUP_TEST_ENTRY(name, id, text) {id, text},
  const Entry entries[] = {SETUP_STRINGS(SETUP_TEST_ENTRY)};
#undef SETUP_TEST_ENTRY
  for (const Entry& entry : entries) {
    char text[1024] = {};
    LoadStringA(setup, entry.id, text, sizeof text);
    EXPECT_STREQ(entry.text, text) << entry.id;
  }
  FreeLibrary(setup);

  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(SetupExe().c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(SetupExe().c_str(), 0, size, &block[0]));
  char* description = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(&block[0], "\\StringFileInfo\\040904b0\\FileDescription",
                             reinterpret_cast<void**>(&description), &length));
  EXPECT_STREQ("Printer Driver Setup", description);
}

// setup.exe started in a directory, with the display's message boxes answered.
class SetupExeStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MessageBoxWatcher::HaveDisplay()) GTEST_SKIP() << "no display";
  }
  void TearDown() override {
    for (PROCESS_INFORMATION& process : started) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        if (HWND frame = FindWindowA("#32770", "Printer Driver Setup"))
          PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
        if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
          TerminateProcess(process.hProcess, 1);
      }
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
  }
  HANDLE Start(const std::string& exe, const std::string& directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process))
      return nullptr;
    started.push_back(process);
    return process.hProcess;
  }
  static HWND WaitForFrame(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
      HWND frame = FindWindowA("#32770", "Printer Driver Setup");
      if (frame && IsWindowVisible(frame)) return frame;
      Sleep(50);
    }
    return nullptr;
  }
  static bool Ends(HANDLE process, DWORD milliseconds) {
    return WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
  }

  std::vector<PROCESS_INFORMATION> started;
};

TEST_F(SetupExeStartTest, TheFrameAppearsAndASecondStartBringsItForwardWithoutAMessage) {
  MessageBoxWatcher messages("setup");
  ASSERT_TRUE(Start(SetupExe(), TestDirectory()));
  HWND frame = WaitForFrame(20000);
  ASSERT_TRUE(frame);
  ShowWindow(frame, SW_MINIMIZE);
  HANDLE second = Start(SetupExe(), TestDirectory());
  ASSERT_TRUE(second);
  EXPECT_TRUE(Ends(second, 15000));
  Sleep(300);
  EXPECT_FALSE(IsIconic(frame));
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(SetupExeStartTest, AnOpenUninstallWindowBlocksTheStartWithItsMessage) {
  HWND uninstall = CreateWindowExA(0, "STATIC", "Uninstall", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50,
                                   nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(uninstall);
  MessageBoxWatcher messages("setup");
  HANDLE setup = Start(SetupExe(), TestDirectory());
  ASSERT_TRUE(setup);
  EXPECT_TRUE(Ends(setup, 20000));
  DestroyWindow(uninstall);
  EXPECT_EQ(std::vector<std::string>{"Please close Uninstall program first!"}, messages.Texts());
  EXPECT_FALSE(FindWindowA("#32770", "Printer Driver Setup"));
}

TEST_F(SetupExeStartTest, AMediumWithoutLicenceAndSidePictureGivesBothMessagesInOrderAndEnds) {
  std::string bare = TestDirectory() + "\\bare-medium";
  CreateDirectoryA(bare.c_str(), nullptr);
  CreateDirectoryA((bare + "\\DRVCONFIG").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(SetupExe().c_str(), (bare + "\\setup.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((TestDirectory() + "\\DRVCONFIG\\setup.ini").c_str(),
                        (bare + "\\DRVCONFIG\\setup.ini").c_str(), FALSE));
  MessageBoxWatcher messages("setup");
  HANDLE setup = Start(bare + "\\setup.exe", bare);
  ASSERT_TRUE(setup);
  EXPECT_TRUE(Ends(setup, 20000));
  EXPECT_EQ((std::vector<std::string>{"Can't load file License.txt!", "Can't load file Left.bmp!"}),
            messages.Texts());
}

}  // namespace
