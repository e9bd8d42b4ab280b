// The stand-in for the USB device driver's installer behaves as the product expects of the
// real one: it takes its argument and shows its window for the configured time.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

namespace {

TEST(UsbInstallerStandIn, RecordsItsArgumentAndKeepsItsWindowForTheConfiguredTime) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string dir(module);
  dir = dir.substr(0, dir.rfind('\\') + 1) + "USBDrv\\";
  DeleteFileA((dir + "Install.log").c_str());
  std::ofstream(dir + "Install.time") << 600;

  std::string command = "\"" + dir + "Install.exe\" 2";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  bool seen = false;
  for (int poll = 0; poll < 100 && !seen; ++poll) {
    seen = FindWindowA(nullptr, "QELD print system setup") != nullptr;
    if (!seen && WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
  }
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileA((dir + "Install.time").c_str());

  std::ifstream log((dir + "Install.log").c_str());
  std::string line;
  std::getline(log, line);
  EXPECT_EQ(line, "2");
  if (exitCode == 1) GTEST_SKIP() << "no display: the window could not be created";
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(seen);
  EXPECT_EQ(FindWindowA(nullptr, "QELD print system setup"), nullptr);
}

}  // namespace
