// The built setup.exe with /S: it ends with its exit code and its log, and shows nothing.
#include "windows/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Directory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  *strrchr(path, '\\') = '\0';
  return path;
}

std::string ReadText(const std::string& path) {
  std::string text(4096, '\0');
  DWORD read = 0;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  return text.substr(0, read);
}

// Runs setup.exe from the staged medium with `arguments`; its exit code, or -1.
int RunSetup(const std::string& arguments) {
  std::string exe = Directory() + "\\setup.exe";
  std::string command = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      Directory().c_str(), &startup, &process))
    return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return static_cast<int>(code);
}

TEST(SilentSetupExeTest, RefusalsEndWithTheirCodeAndLogLineWithoutABox) {
  std::string log = Directory() + "\\silent-refusals.log";
  DeleteFileA(log.c_str());
  MessageBoxWatcher messages("setup");
  EXPECT_EQ(RunSetup("/S /model=QM-Z1 /port=LPT1: \"/log=" + log + "\""), 20);
  EXPECT_EQ(RunSetup("/S /model=QM-A210 /port=LPT1: /quiet \"/log=" + log + "\""), 2);
  EXPECT_EQ(RunSetup("/S /model=QM-A210 /port=FILE: \"/log=" + log + "\""), 23);
  EXPECT_EQ(RunSetup("/S /model=QM-A210 /port=LPT1: /log=" + Directory() + "\\no\\such.log"), 3);
  std::string text = ReadText(log);
  EXPECT_NE(text.find("refused: the medium offers no model QM-Z1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("bad argument: /quiet\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("exit code 23\r\n"), std::string::npos) << text;
  EXPECT_TRUE(messages.Texts().empty());
}

}  // namespace
