#include "package/PackageLayout.h"

#include "winsim/VersionControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class PackageLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { winsim::Reset(); }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
};

TEST_F(PackageLayoutTest, PackageRootIsTheProgramDirectoryWithItsBackslash) {
  char root[kPathCapacity];
  winsim::SetModuleFileName("D:\\setup.exe");
  GetPackageRoot(root, sizeof root);
  EXPECT_STREQ(root, "D:\\");
  winsim::SetModuleFileName("E:\\Drivers\\QM\\setup.exe");
  GetPackageRoot(root, sizeof root);
  EXPECT_STREQ(root, "E:\\Drivers\\QM\\");
  winsim::SetModuleFileName("setup.exe");
  GetPackageRoot(root, sizeof root);
  EXPECT_STREQ(root, "");
}

TEST_F(PackageLayoutTest, ResolveIniPathsUsesTheProgramDirectory) {
  char setupIni[kPathCapacity];
  char moduleIni[kPathCapacity];
  winsim::SetModuleFileName("D:\\setup.exe");
  ResolveIniPaths(TicketModule, setupIni, moduleIni);
  EXPECT_STREQ(setupIni, "D:\\DRVCONFIG\\setup.ini");
  EXPECT_STREQ(moduleIni, "D:\\DRVCONFIG\\setup_Ticket.ini");
  ResolveIniPaths(LabelModule, setupIni, moduleIni);
  EXPECT_STREQ(moduleIni, "D:\\DRVCONFIG\\setup_Lable.ini");
  ResolveIniPaths(EmbeddedModule, setupIni, moduleIni);
  EXPECT_STREQ(moduleIni, "D:\\DRVCONFIG\\setup_Embedded.ini");
}

TEST_F(PackageLayoutTest, ProgramNameWithoutBackslashGivesRelativePaths) {
  char setupIni[kPathCapacity];
  char moduleIni[kPathCapacity];
  winsim::SetModuleFileName("setup.exe");
  ResolveIniPaths(ReceiptModule, setupIni, moduleIni);
  EXPECT_STREQ(setupIni, "DRVCONFIG\\setup.ini");
  EXPECT_STREQ(moduleIni, "DRVCONFIG\\setup_receipt.ini");
}

TEST_F(PackageLayoutTest, ModuleOutsideTheFourLeavesOnlyTheRoot) {
  char setupIni[kPathCapacity];
  char moduleIni[kPathCapacity];
  winsim::SetModuleFileName("D:\\setup.exe");
  for (int module : {-1, 4, 1000}) {
    ResolveIniPaths(static_cast<PrinterModule>(module), setupIni, moduleIni);
    EXPECT_STREQ(setupIni, "D:\\DRVCONFIG\\setup.ini");
    EXPECT_STREQ(moduleIni, "D:\\") << module;
  }
}

// A path buffer with a guard right behind it: a write past the buffer lands in the guard.
struct Guarded {
  char text[kPathCapacity];
  char guard[16];
  Guarded() { memset(this, 'G', sizeof *this); }
  bool GuardIntact() const { return std::string(guard, sizeof guard) == std::string(16, 'G'); }
};

TEST_F(PackageLayoutTest, OverlongProgramPathFallsBackToTheWorkingDirectory) {
  // 250 characters: more than the 200-character module name buffer holds.
  std::string path = "C:\\" + std::string(237, 'd') + "\\setup.exe";
  ASSERT_EQ(path.size(), 250u);
  winsim::SetModuleFileName(path);
  Guarded root;
  GetPackageRoot(root.text, sizeof root.text);
  EXPECT_STREQ(root.text, "");
  Guarded setupIni;
  Guarded moduleIni;
  ResolveIniPaths(ReceiptModule, setupIni.text, moduleIni.text);
  EXPECT_STREQ(setupIni.text, "DRVCONFIG\\setup.ini");
  for (const Guarded* buffer : {&root, &setupIni, &moduleIni}) EXPECT_TRUE(buffer->GuardIntact());
}

TEST_F(PackageLayoutTest, LongProgramPathThatFitsCutsTheIniPathsAtTheirCapacity) {
  // 199 characters fit the module name buffer; the INI paths built from it do not.
  std::string dir = "C:\\" + std::string(186, 'p') + "\\";
  std::string path = dir + "setup.exe";
  ASSERT_EQ(path.size(), 199u);
  winsim::SetModuleFileName(path);
  Guarded root;
  GetPackageRoot(root.text, sizeof root.text);
  EXPECT_EQ(std::string(root.text), dir);
  Guarded setupIni;
  Guarded moduleIni;
  ResolveIniPaths(ReceiptModule, setupIni.text, moduleIni.text);
  EXPECT_EQ(strlen(setupIni.text), kPathCapacity - 1);
  EXPECT_EQ(std::string(setupIni.text), (dir + "DRVCONFIG\\setup.ini").substr(0, kPathCapacity - 1));
  EXPECT_EQ(strlen(moduleIni.text), kPathCapacity - 1);
  for (const Guarded* buffer : {&root, &setupIni, &moduleIni}) EXPECT_TRUE(buffer->GuardIntact());
}

class RecordUsbPortDeviceTest : public PackageLayoutTest {
 protected:
  void SetUp() override {
    PackageLayoutTest::SetUp();
    winsim::SetModuleFileName("D:\\setup.exe");
    winsim::WriteFile("D:\\DRVCONFIG\\setup.ini",
                      "[SUPPORTED-USB-DEVICE]\r\nUSB_QM-A210_1=7\r\nUSB_QM-C3_2=12\r\n");
  }
  void ExpectSlotsCleared() {
    for (int i = 1; i <= 8; ++i) {
      DWORD value = 99;
      std::string slot = "D" + std::to_string(i);
      EXPECT_TRUE(winsim::GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PRINTERPORT", slot, &value)) << slot;
      EXPECT_EQ(value, 0u) << slot;
    }
  }
};

TEST_F(RecordUsbPortDeviceTest, CopiesTheDeviceNumberAndClearsTheEightSlots) {
  RecordUsbPortDevice("USB_QM-C3_2");
  DWORD value = 0;
  ASSERT_TRUE(winsim::GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME", "USB_QM-C3_2", &value));
  EXPECT_EQ(value, 12u);
  ExpectSlotsCleared();
}

TEST_F(RecordUsbPortDeviceTest, PortWithoutEntryGetsZeroAndRepeatingOverwrites) {
  winsim::SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PRINTERPORT", "D3", REG_DWORD,
                   std::string("\x05\0\0\0", 4));
  RecordUsbPortDevice("USB_QM-B220_2");
  RecordUsbPortDevice("USB_QM-B220_2");
  DWORD value = 99;
  ASSERT_TRUE(winsim::GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME", "USB_QM-B220_2", &value));
  EXPECT_EQ(value, 0u);
  ExpectSlotsCleared();
}

TEST_F(RecordUsbPortDeviceTest, MissingSetupIniRecordsZero) {
  winsim::RemovePath("D:\\DRVCONFIG\\setup.ini");
  RecordUsbPortDevice("USB_QM-A210_1");
  DWORD value = 99;
  ASSERT_TRUE(winsim::GetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME", "USB_QM-A210_1", &value));
  EXPECT_EQ(value, 0u);
}

TEST_F(RecordUsbPortDeviceTest, KeysThatCannotBeCreatedAreSkippedSilently) {
  winsim::FailCall("RegCreateKeyExA", ERROR_ACCESS_DENIED);
  RecordUsbPortDevice("USB_QM-A210_1");
  EXPECT_FALSE(winsim::KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME"));
  EXPECT_EQ(winsim::CallCount("RegSetValueExA"), 0);
}

const char kPackageDriver[] = "D:\\medium\\USBDRV\\bulkusb.sys";
const char kInstalledDriver[] = "C:\\WINDOWS\\system32\\drivers\\bulkusb.sys";

// The package's USB device driver beside setup.exe on D:, the installed one in C:\WINDOWS.
class UsbDriverCheck : public PackageLayoutTest {
 protected:
  void SetUp() override {
    PackageLayoutTest::SetUp();
    winsim::SetModuleFileName("D:\\medium\\setup.exe");
  }
};

TEST_F(UsbDriverCheck, DriverCheckComparesPackageWithInstalled) {
  struct Case {
    const char* package;    // null: file missing
    const char* installed;  // null: file missing
    int expected;
  } cases[] = {
      {"1.0.0.5", nullptr, -1},  {nullptr, nullptr, 0},      {"1.0.0.6", "1.0.0.5", 1},
      {"1.0.0.5", "1.0.0.6", 0}, {"1.0.0.5", "1.0.0.5", 0},  {"1.0.0.5", "1.0.0.5a", 0},
      {nullptr, "1.0.0.5", 0},   {"1.0.0.5", "0.0.0.0", -1}, {"2.0.0.0", "1.9.9.9", 1},
  };
  for (const Case& c : cases) {
    winsim::RemovePath(kPackageDriver);
    winsim::RemovePath(kInstalledDriver);
    if (c.package) winsim::PutFileWithVersion(kPackageDriver, c.package);
    if (c.installed) winsim::PutFileWithVersion(kInstalledDriver, c.installed);
    EXPECT_EQ(CheckUsbDeviceDriver(), c.expected)
        << (c.package ? c.package : "-") << " vs " << (c.installed ? c.installed : "-");
  }
}

TEST_F(UsbDriverCheck, DriverCheckFollowsTheProgramAndTheWindowsDirectory) {
  winsim::SetWindowsDirectory("E:\\WINNT");
  winsim::PutFileWithVersion("E:\\WINNT\\system32\\drivers\\bulkusb.sys", "1.0.0.5");
  winsim::PutFileWithVersion("F:\\cd\\USBDRV\\bulkusb.sys", "1.0.0.7");
  winsim::PutFileWithVersion(kPackageDriver, "1.0.0.1");
  winsim::SetModuleFileName("F:\\cd\\setup.exe");
  EXPECT_EQ(CheckUsbDeviceDriver(), 1);
  winsim::SetModuleFileName("D:\\medium\\setup.exe");
  EXPECT_EQ(CheckUsbDeviceDriver(), 0);
}

}  // namespace
