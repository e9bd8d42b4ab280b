#include "engine/Windows98Extras.h"

#include "winsim/SpoolerControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kPackage = "C:\\PKG";

class Windows98ExtrasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::MakeDirectory(kPackage);
    winsim::SetCurrentDirectory(kPackage);
    // The spooler keeps its drivers apart from the system directory here, so the tests can
    // tell the two destinations apart.
    driverDir = winsim::PrinterDriverDirectory();
    winsim::MakeDirectory(driverDir);
    system = winsim::SystemDirectory();
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }

  std::string driverDir;
  std::string system;
  StepMessage message;
};

TEST_F(Windows98ExtrasTest, APresentUniversalDriverLeavesOnlyTheIconLibraryToCopy) {
  winsim::WriteFile(kPackage + "\\win98\\ICONLIB.DLL", "icons");
  winsim::WriteFile(kPackage + "\\win98\\UNIDRV.DLL", "package");
  winsim::WriteFile(system + "\\UNIDRV.DLL", "system");
  InstallWindows98Extras(Win98Me, 0, message);
  EXPECT_EQ(winsim::ReadFile(driverDir + "\\ICONLIB.DLL"), "icons");
  EXPECT_EQ(winsim::CallCount("CopyFileA"), 1);
  EXPECT_EQ(winsim::ReadFile(system + "\\UNIDRV.DLL"), "system");
  EXPECT_FALSE(winsim::FileExists(driverDir + "\\UNIDRV.DLL"));
  EXPECT_EQ(message.text, "");
}

TEST_F(Windows98ExtrasTest, AMissingUniversalDriverIsRestoredFromTheSystemBackup) {
  winsim::WriteFile(kPackage + "\\win98\\ICONLIB.DLL", "icons");
  winsim::WriteFile(kPackage + "\\win98\\UNIDRV.DLL", "package");
  winsim::WriteFile(winsim::WindowsDirectory() + "\\Sysbckup\\UNIDRV.DLL", "backup");
  InstallWindows98Extras(Win98Me, 0, message);
  EXPECT_EQ(winsim::ReadFile(system + "\\UNIDRV.DLL"), "backup");
  EXPECT_FALSE(winsim::FileExists(driverDir + "\\UNIDRV.DLL"));
}

TEST_F(Windows98ExtrasTest, WithoutBackupThePackageCopyGoesToTheDriverDirectory) {
  winsim::WriteFile(kPackage + "\\win98\\ICONLIB.DLL", "icons");
  winsim::WriteFile(kPackage + "\\win98\\UNIDRV.DLL", "package");
  InstallWindows98Extras(Win98Me, 0, message);
  EXPECT_EQ(winsim::ReadFile(driverDir + "\\UNIDRV.DLL"), "package");
  EXPECT_FALSE(winsim::FileExists(system + "\\UNIDRV.DLL"));
  EXPECT_EQ(message.text, "");
}

TEST_F(Windows98ExtrasTest, AFailedIconLibraryCopyLeavesItsTextAndGoesOn) {
  winsim::WriteFile(kPackage + "\\win98\\UNIDRV.DLL", "package");
  InstallWindows98Extras(Win98Me, 0, message);
  EXPECT_EQ(message.text.rfind("Copy driver files errorICONLIB.DLL  er = 2", 0), 0u)
      << message.text;
  EXPECT_EQ(winsim::ReadFile(driverDir + "\\UNIDRV.DLL"), "package");
}

TEST_F(Windows98ExtrasTest, ASystemDirectoryThatCannotBeHadEndsTheStepWithTheError) {
  winsim::FailCall("GetSystemDirectoryA", ERROR_NOT_ENOUGH_MEMORY);
  InstallWindows98Extras(Win98Me, 0, message);
  EXPECT_EQ(message.text, "Cannot get system directory er= 8");
  EXPECT_EQ(winsim::CallCount("CreateFileA"), 0);
}

TEST_F(Windows98ExtrasTest, AWindowsDirectoryThatCannotBeHadEndsTheStepWithTheError) {
  winsim::FailCall("GetWindowsDirectoryA", ERROR_ACCESS_DENIED);
  InstallWindows98Extras(Win98Me, 0, message);
  EXPECT_EQ(message.text, "Cannot get windows directory er= 5");
  EXPECT_EQ(winsim::CallCount("CreateFileA"), 0);
}

TEST_F(Windows98ExtrasTest, DriverKitFilesAreCopiedOnWindows2000AndLaterOnly) {
  for (const char* subdir : {"\\winnt\\", "\\win2003\\", "\\Vista\\"})
    for (const char* file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
      winsim::WriteFile(kPackage + subdir + file, subdir);
  InstallWindows98Extras(WinXp, 0, message);
  InstallWindows98Extras(WinNt4, 1, message);
  EXPECT_EQ(winsim::CallCount("CopyFileA"), 0) << "XP without the kit, NT 4.0 with it";
  for (TargetOs os : {Win2000, WinXp, WinServer2003, WinVista}) {
    InstallWindows98Extras(os, 1, message);
    for (const char* file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
      EXPECT_TRUE(winsim::FileExists(driverDir + "\\" + file)) << os << file;
  }
  EXPECT_EQ(winsim::ReadFile(driverDir + "\\UNIRES.DLL"), "\\Vista\\");
  EXPECT_EQ(message.text, "");
}

TEST_F(Windows98ExtrasTest, MissingDriverKitFilesWriteNoMessage) {
  InstallWindows98Extras(WinServer2003, 1, message);
  EXPECT_EQ(winsim::CallCount("CopyFileA"), 3);
  EXPECT_EQ(message.text, "");
}

}  // namespace
