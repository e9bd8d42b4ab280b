// The simulated power loss of the cut-off walk: from the cut on nothing changes, and a reboot
// keeps what a disk and the spooler keep.
#include "winsim/MessageBoxControl.h"
#include "winsim/ServiceControl.h"
#include "winsim/SpoolerControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

namespace {

class PowerCut : public ::testing::Test {
 protected:
  void SetUp() override { winsim::Reset(); }
  static bool HasValue(const char* name) {
    return winsim::GetValue(HKEY_LOCAL_MACHINE, "A", name, nullptr, nullptr);
  }
};

LSTATUS SetString(HKEY key, const char* name) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
}

TEST_F(PowerCut, TheCutCallAndEveryLaterOneChangeNothing) {
  winsim::MakeDirectory("C:\\A");
  HKEY key = nullptr;
  winsim::CutPowerAtCall(3);
  bool ended = winsim::RunUntilPowerCut([&] {
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "A", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    SetString(key, "first");
    SetString(key, "second");
  });
  EXPECT_FALSE(ended);
  EXPECT_TRUE(winsim::PowerIsOff());
  std::string argument;
  EXPECT_EQ(winsim::CutCall(&argument), "RegSetValueExA");
  EXPECT_EQ(argument, "second");
  EXPECT_TRUE(HasValue("first"));
  EXPECT_FALSE(HasValue("second"));
  // Letting a handle go may run in a destructor: it fails instead of throwing.
  EXPECT_EQ(RegCloseKey(key), ERROR_NOT_READY);
  EXPECT_FALSE(winsim::RunUntilPowerCut([&] { SetString(key, "third"); }));
  EXPECT_FALSE(HasValue("third"));
  winsim::Reboot();
  EXPECT_FALSE(winsim::PowerIsOff());
  EXPECT_EQ(winsim::OpenHandles(), 0);
  EXPECT_EQ(SetString(key, "third"), ERROR_INVALID_HANDLE) << "the last boot's handle";
}

DWORD WINAPI CopyTwice(LPVOID) {
  CopyFileA("C:\\a.txt", "C:\\b.txt", FALSE);
  CopyFileA("C:\\a.txt", "C:\\c.txt", FALSE);
  return 0;
}

TEST_F(PowerCut, AWorkerThreadEndsWhereThePowerWent) {
  winsim::WriteFile("C:\\a.txt", "a");
  winsim::CutPowerAtCall(3);  // CreateThread, the first copy, then the second
  HANDLE thread = CreateThread(nullptr, 0, CopyTwice, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  winsim::Reboot();  // waits until the thread has ended
  EXPECT_TRUE(winsim::FileExists("C:\\b.txt"));
  EXPECT_FALSE(winsim::FileExists("C:\\c.txt"));
  EXPECT_EQ(winsim::OpenHandles(), 0);
}

TEST_F(PowerCut, ARebootKeepsDiskRegistryAndSpoolerAndDropsWhatProcessesHeld) {
  winsim::WriteFile("C:\\kept.txt", "x");
  winsim::SetValue(HKEY_LOCAL_MACHINE, "A", "kept", REG_SZ, "x");
  winsim::AddPort("AQCOM1:");
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key);
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Setup");
  winsim::ScriptMessageBoxAnswers({IDNO});
  winsim::SetSpoolerRunning(false);
  winsim::Reboot();
  EXPECT_EQ(winsim::ReadFile("C:\\kept.txt"), "x");
  EXPECT_TRUE(HasValue("kept"));
  EXPECT_EQ(winsim::Ports().back(), "AQCOM1:");
  EXPECT_EQ(winsim::OpenHandles(), 0);
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(MessageBoxA(nullptr, "?", "setup", MB_YESNO), IDYES) << "the script is gone";
  mutex = CreateMutexA(nullptr, FALSE, "Setup");
  EXPECT_EQ(GetLastError(), 0u) << "nobody holds the mutex after the reboot";
  CloseHandle(mutex);
}

}  // namespace
