// Contract tests run the same cases on winsim (native build) and on the real API (Windows
// build, under Wine), so that a difference between the simulation and Windows fails a test.
// This header is the small set of set-up steps that each side does its own way.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace contract {

// A fresh directory for the test, with its trailing backslash.
std::string TempDir();
void PutFile(const std::string& path, const std::string& bytes);
std::string FileText(const std::string& path);  // "" when missing
void PutDirectory(const std::string& path);
// A DLL of the build's fixtures at `path`: "port-monitor\\aqtestmon.dll",
// "print-processor\\aqtestproc.dll" or "version-files\\plain.dll" (one without exports).
void PutModule(const std::string& path, const std::string& fixture);
// Registry key of the test under HKEY_CURRENT_USER, created empty.
const char* TestKeyPath();
void DeleteKeyTree(HKEY root, const std::string& path);
// Creates the key under HKEY_CURRENT_USER and lets its security grant the user only
// `allowed` until the test ends.
void ProtectKey(const std::string& path, REGSAM allowed);
bool RunningOnWine();
// Whether this 32-bit program runs on 64-bit Windows (IsWow64Process).
bool RunningUnderWow64();
// Makes the case about one kind of Windows: winsim plays it (64-bit: Windows 8 reporting 6.2
// to this program, as Wine's win10 does; 32-bit: XP); the real API skips the case on the
// other kind.
void PlayWindows64(bool windows64);
// Spooler objects outlive a test's directory: this tag (unique per test run) goes into their
// names.
std::string RunTag();
// Deletes what a test added to the real spooler (nothing to do on winsim, reset per test).
void DeleteSpoolerObjects(const std::vector<std::string>& printers,
                          const std::vector<std::string>& drivers,
                          const std::vector<std::string>& monitors);
// Handles left open since the test's set-up: winsim's accounting, or on the real API the
// growth of the process's kernel, USER and GDI object counts.
int OpenHandles();
// Shows a message box and answers it as Enter would (its default button); -1 when this
// process cannot show windows (no display).
int AnswerWithEnter(const char* text, UINT type);

}  // namespace contract

class ContractTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string dir;  // TempDir() of this test
};

// Marks a case where Wine differs from Windows: the Windows answer is kept in winsim.
#define SKIP_ON_WINE(why)                                  \
  do {                                                     \
    if (contract::RunningOnWine()) GTEST_SKIP() << (why); \
  } while (0)
