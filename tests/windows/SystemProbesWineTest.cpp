// GetVersionExA and GetTargetOs under the Windows versions Wine can pose as, and the
// administrator check as Wine answers it.
#include "common/SystemProbes.h"

#include "contract/ContractEnv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string ProgramDirectory() {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string path(module);
  return path.substr(0, path.rfind('\\') + 1);
}

// Runs a copy of the probe named after `version` with Wine's per-program setting
// HKCU\Software\Wine\AppDefaults\<exe>\Version = version; returns what the probe wrote.
std::string ProbeAs(const std::string& dir, const char* version) {
  std::string exe = std::string("osprobe-") + version + ".exe";
  std::string copy = dir + exe;
  std::string out = dir + version + ".txt";
  if (!CopyFileA((ProgramDirectory() + "osprobe.exe").c_str(), copy.c_str(), FALSE))
    return "copy failed";
  std::string key = "Software\\Wine\\AppDefaults\\" + exe;
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS)
    return "key failed";
  RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                 static_cast<DWORD>(strlen(version) + 1));
  RegCloseKey(handle);

  std::string command = "\"" + copy + "\" \"" + out + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string result = "start failed";
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(out.c_str());
    std::getline(in, result);
  }
  contract::DeleteKeyTree(HKEY_CURRENT_USER, key);
  return result;
}

class SystemProbesWine : public ContractTest {};

// Fields: platform, major, minor, GetTargetOs, IsAdministrator.
TEST_F(SystemProbesWine, TargetOsOfXp2000Server2003VistaAnd7) {
  if (!contract::RunningOnWine()) GTEST_SKIP() << "poses as other versions under Wine only";
  EXPECT_EQ(ProbeAs(dir, "winxp"), "2 5 1 3 1");
  EXPECT_EQ(ProbeAs(dir, "win2k"), "2 5 0 2 1");
  EXPECT_EQ(ProbeAs(dir, "win2003"), "2 5 2 4 1");
  EXPECT_EQ(ProbeAs(dir, "vista"), "2 6 0 5 1");
  // Windows 7 in a 32-bit prefix: the 32-bit system of its own (a 64-bit program is no WOW64
  // process either).
  EXPECT_EQ(ProbeAs(dir, "win7"), "2 6 1 6 1");
  // Wine keeps an administrator token when posing as 98, which has no tokens at all; the
  // start-up check never asks there.
  EXPECT_EQ(ProbeAs(dir, "win98"), "1 4 10 0 1");
}

TEST_F(SystemProbesWine, WineLogsOnAnAdministrator) {
  if (!contract::RunningOnWine()) GTEST_SKIP() << "depends on the account the test runs as";
  // Wine's process token lists the built-in Administrators group for every user.
  EXPECT_TRUE(IsAdministrator());
}

}  // namespace
