#include "engine/SpoolerOperations.h"

#include "engine/SetupText.h"
#include "winsim/FileControl.h"
#include "winsim/MessageLog.h"
#include "winsim/SpoolerControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* const kPackage = "C:\\PKG";

class SpoolerOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::MakeDirectory(kPackage);
    winsim::SetCurrentDirectory(kPackage);
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }

  static void PutPackageFile(const char* subdir, const char* name, const std::string& data) {
    winsim::WriteFile(std::string(kPackage) + subdir + name, data);
  }
  // A driver "Drv" whose files are in the driver directory, ready for printers.
  static DRIVER_INFO_3A DriverRecord() {
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>("Drv");
    info.pDriverPath = const_cast<char*>("D.DLL");
    info.pDataFile = const_cast<char*>("D.GPD");
    info.pConfigFile = const_cast<char*>("DUI.DLL");
    return info;
  }
  static void InstallDriver() {
    std::string dir = winsim::PrinterDriverDirectory();
    for (const char* f : {"D.DLL", "D.GPD", "DUI.DLL"}) winsim::WriteFile(dir + "\\" + f, "MZ");
    DRIVER_INFO_3A info = DriverRecord();
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)));
  }
  // A printer record on LPT1: whose name lives in a buffer of the size the operation needs.
  PRINTER_INFO_2A Record(const char* name, const char* port = "LPT1:") {
    strcpy(nameBuffer, name);
    PRINTER_INFO_2A info{};
    info.pPrinterName = nameBuffer;
    info.pPortName = const_cast<char*>(port);
    info.pDriverName = const_cast<char*>("Drv");
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    return info;
  }
  static void AddExistingPrinter(const char* name) {
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name);
    info.pPortName = const_cast<char*>("LPT1:");
    info.pDriverName = const_cast<char*>("Drv");
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(printer, nullptr);
    ClosePrinter(printer);
  }

  char nameBuffer[kPrinterNameSize + 16];
  StepMessage message;
};

// ---- CopyPackageFile ------------------------------------------------------------------------

TEST_F(SpoolerOperationsTest, CopyTakesTheSourceFromTheMediumDirectoryOfEachOs) {
  for (const char* subdir :
       {"\\win98\\", "\\winnt\\", "\\win2003\\", "\\Vista\\", "\\Win7\\", "\\Win7x64\\"})
    PutPackageFile(subdir, "A.DLL", subdir);
  const char* expected[] = {"\\win98\\", "\\winnt\\", "\\winnt\\", "\\winnt\\",
                            "\\win2003\\", "\\Vista\\", "\\Win7\\", "\\Win7x64\\"};
  for (TargetOs os : kTargetOses) {
    EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, os, PlainCopy, message), Copied) << os;
    EXPECT_EQ(winsim::ReadFile(winsim::SystemDirectory() + "\\A.DLL"), expected[os]) << os;
  }
  EXPECT_EQ(message.text, "");
}

TEST_F(SpoolerOperationsTest, CopyPutsEachDestinationKindIntoItsDirectory) {
  PutPackageFile("\\winnt\\", "A.DLL", "a");
  struct Case {
    DestinationKind kind;
    std::string dir;
  } cases[] = {{DriverDirectory, winsim::PrinterDriverDirectory()},
               {DriverDirectory3, winsim::PrinterDriverDirectory() + "\\3"},
               {ProcessorDirectory, winsim::PrintProcessorDirectory()},
               {SystemDirectory, winsim::SystemDirectory()}};
  for (const Case& c : cases) {
    winsim::MakeDirectory(c.dir);
    EXPECT_EQ(CopyPackageFile("A.DLL", c.kind, WinXp, PlainCopy, message), Copied) << c.kind;
    EXPECT_EQ(winsim::ReadFile(c.dir + "\\A.DLL"), "a") << c.kind;
    winsim::RemovePath(c.dir + "\\A.DLL");
  }
}

TEST_F(SpoolerOperationsTest, CopySkipsNamesBeginningWithZeroWithoutMessage) {
  message.text = "kept";
  EXPECT_EQ(CopyPackageFile("0", DriverDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(CopyPackageFile("0A.DLL", DriverDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text, "kept");
  EXPECT_EQ(winsim::CallCount("CopyFileA"), 0);
}

TEST_F(SpoolerOperationsTest, PrefixedCopyPlacesNPlusNameBesideTheOldFile) {
  PutPackageFile("\\winnt\\", "A.DLL", "new");
  winsim::WriteFile(winsim::SystemDirectory() + "\\A.DLL", "old");
  EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, WinXp, PrefixedCopy, message), Copied);
  EXPECT_EQ(winsim::ReadFile(winsim::SystemDirectory() + "\\nA.DLL"), "new");
  EXPECT_EQ(winsim::ReadFile(winsim::SystemDirectory() + "\\A.DLL"), "old");
}

TEST_F(SpoolerOperationsTest, AReadOnlyDestinationIsOverwritten) {
  PutPackageFile("\\winnt\\", "A.DLL", "new");
  std::string target = winsim::SystemDirectory() + "\\A.DLL";
  winsim::WriteFile(target, "old");
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, WinXp, PlainCopy, message), Copied);
  EXPECT_EQ(winsim::ReadFile(target), "new");
}

TEST_F(SpoolerOperationsTest, InUseAndProtectedDestinationsReturnTheirCodeWithoutMessage) {
  PutPackageFile("\\winnt\\", "A.DLL", "new");
  PutPackageFile("\\winnt\\", "B.DLL", "new");
  winsim::SetFileInUse(winsim::SystemDirectory() + "\\A.DLL", true);
  winsim::SetFileProtected(winsim::SystemDirectory() + "\\B.DLL", true);
  message.text = "kept";
  EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, WinXp, PlainCopy, message),
            CopySharingViolation);
  EXPECT_EQ(CopyPackageFile("B.DLL", SystemDirectory, WinXp, PlainCopy, message), CopyAccessDenied);
  EXPECT_EQ(message.text, "kept");
}

TEST_F(SpoolerOperationsTest, AFailedCopyNamesTheCopiedFileTheErrorAndTheSource) {
  winsim::MakeDirectory(std::string(kPackage) + "\\winnt");
  EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text, "Copy driver files errorA.DLL  er = 2C:\\PKG\\winnt\\A.DLL");
  EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, WinServer2003, PrefixedCopy, message),
            CopyFailed);
  EXPECT_EQ(message.text, "Copy driver files errornA.DLL  er = 3C:\\PKG\\win2003\\A.DLL");
}

TEST_F(SpoolerOperationsTest, EachDirectoryThatCannotBeHadHasItsText) {
  PutPackageFile("\\winnt\\", "A.DLL", "a");
  winsim::FailCall("GetPrinterDriverDirectoryA", ERROR_INVALID_ENVIRONMENT);
  winsim::FailCall("GetPrintProcessorDirectoryA", ERROR_INVALID_ENVIRONMENT);
  winsim::FailCall("GetSystemDirectoryA", ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(CopyPackageFile("A.DLL", DriverDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text, SetupText(IDS_NO_DRIVER_DIRECTORY));
  EXPECT_EQ(message.text, "Cannot get printer driver directory");
  EXPECT_EQ(CopyPackageFile("A.DLL", DriverDirectory3, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text, "Cannot get printer driver directory");
  EXPECT_EQ(CopyPackageFile("A.DLL", ProcessorDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text, "Cannot get printer processor directory");
  EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text, "Cannot get system directory");
  EXPECT_EQ(
      CopyPackageFile("A.DLL", static_cast<DestinationKind>(12345), WinXp, PlainCopy, message),
      CopyFailed);
  EXPECT_EQ(message.text, "Direcory type error");
  EXPECT_EQ(winsim::CallCount("CopyFileA"), 0);
}

TEST_F(SpoolerOperationsTest, AMissingCurrentDirectoryStopsTheCopy) {
  winsim::FailCall("GetCurrentDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(CopyPackageFile("A.DLL", SystemDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text, "Cannot get current system directory");
}

TEST_F(SpoolerOperationsTest, AFileNameTooLongForAPathIsRefusedWithABoundedMessage) {
  std::string name(250, 'F');
  PutPackageFile("\\winnt\\", name.c_str(), "a");
  EXPECT_EQ(CopyPackageFile(name.c_str(), SystemDirectory, WinXp, PlainCopy, message), CopyFailed);
  EXPECT_EQ(message.text.rfind("Copy driver files error" + name + "  er = 206", 0), 0u)
      << message.text;
  EXPECT_LT(message.text.size(), 1024u);
  EXPECT_EQ(winsim::CallCount("CopyFileA"), 0);
}

// ---- Monitors, processors, drivers ------------------------------------------------------

TEST_F(SpoolerOperationsTest, AddMonitorCountsAnInstalledMonitorAsSuccess) {
  winsim::MakeMonitorDll(winsim::SystemDirectory() + "\\mon.dll");
  MONITOR_INFO_2A monitor{const_cast<char*>("AQ Monitor"), nullptr, const_cast<char*>("mon.dll")};
  EXPECT_EQ(AddMonitorChecked(&monitor, message), 1);
  EXPECT_EQ(winsim::MonitorDll("AQ Monitor"), "mon.dll");
  EXPECT_EQ(AddMonitorChecked(&monitor, message), 1);
  winsim::FailCall("AddMonitorA", ERROR_ALREADY_EXISTS);
  EXPECT_EQ(AddMonitorChecked(&monitor, message), 1);
  EXPECT_EQ(message.text, "");
}

TEST_F(SpoolerOperationsTest, AddMonitorReportsOtherFailuresWithTheCode) {
  MONITOR_INFO_2A monitor{const_cast<char*>("AQ Monitor"), nullptr,
                          const_cast<char*>("missing.dll")};
  EXPECT_EQ(AddMonitorChecked(&monitor, message), 0);
  EXPECT_EQ(message.text, "Add monitor error! Erro code is:126");
}

TEST_F(SpoolerOperationsTest, AddPrintProcessorUsesTheEnvironmentOfTheTargetOs) {
  winsim::MakeProcessorDll(winsim::PrintProcessorDirectory() + "\\proc.dll");
  EXPECT_EQ(AddPrintProcessorChecked("AQProc", "proc.dll", WinXp), 1);
  EXPECT_TRUE(winsim::HasProcessor("Windows NT x86", "AQProc"));
  EXPECT_EQ(AddPrintProcessorChecked("AQProc", "proc.dll", WinXp), 0) << "3005 is a failure here";
}

TEST_F(SpoolerOperationsTest, AddPrintProcessorOnWindows98UsesItsOwnEnvironment) {
  winsim::SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
  winsim::SetWin9xSpooler(true);
  winsim::MakeProcessorDll(winsim::PrintProcessorDirectory() + "\\proc.dll");
  EXPECT_EQ(AddPrintProcessorChecked("AQProc", "proc.dll", Win98Me), 1);
  EXPECT_TRUE(winsim::HasProcessor("Windows 4.0", "AQProc"));
  EXPECT_FALSE(winsim::HasProcessor("Windows NT x86", "AQProc"));
}

TEST_F(SpoolerOperationsTest, AddPrinterDriverReportsTheCodeAfterThreeSpaces) {
  DRIVER_INFO_3A info = DriverRecord();
  EXPECT_EQ(AddPrinterDriverChecked(&info, message), 0);
  EXPECT_EQ(message.text, "Add printer driver error   er = 2");
  message.text.clear();
  InstallDriver();
  EXPECT_EQ(AddPrinterDriverChecked(&info, message), 1);
  EXPECT_EQ(message.text, "");
}

// ---- Printers -----------------------------------------------------------------------------

TEST_F(SpoolerOperationsTest, AddPrinterClosesTheHandleOfTheNewPrinter) {
  InstallDriver();
  PRINTER_INFO_2A info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 1);
  EXPECT_STREQ(nameBuffer, "QM(P)");
  EXPECT_TRUE(winsim::FindPrinter("QM(P)", nullptr));
}

TEST_F(SpoolerOperationsTest, ATakenNameIsNumberedWithTheFirstFreeNumber) {
  InstallDriver();
  AddExistingPrinter("QM(P)");
  AddExistingPrinter("QM(P)(1)");
  PRINTER_INFO_2A info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 1);
  EXPECT_STREQ(nameBuffer, "QM(P)(2)");
  EXPECT_TRUE(winsim::FindPrinter("QM(P)(2)", nullptr));
  EXPECT_EQ(message.text, "");
}

TEST_F(SpoolerOperationsTest, NinetyNineTakenNamesGiveText103AndAnEmptyName) {
  InstallDriver();
  AddExistingPrinter("QM(P)");
  for (int n = 1; n <= 98; ++n) AddExistingPrinter(("QM(P)(" + std::to_string(n) + ")").c_str());
  PRINTER_INFO_2A info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 0);
  EXPECT_EQ(message.text, "Maximum count of printers using the same port has been reached");
  EXPECT_STREQ(nameBuffer, "");
  EXPECT_EQ(winsim::CallCount("AddPrinterA"), 99 + 99);
}

TEST_F(SpoolerOperationsTest, WithoutNumberingATakenNameGivesText103AtOnce) {
  InstallDriver();
  winsim::AddPort("USB_QM_1");
  AddExistingPrinter("QM(U) 1");
  PRINTER_INFO_2A info = Record("QM(U) 1", "USB_QM_1");
  int before = winsim::CallCount("AddPrinterA");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 0, message), 0);
  EXPECT_EQ(message.text, "Maximum count of printers using the same port has been reached");
  EXPECT_EQ(winsim::CallCount("AddPrinterA") - before, 1);
  EXPECT_STREQ(nameBuffer, "");
}

TEST_F(SpoolerOperationsTest, OtherAddPrinterFailuresGiveText116WithTheCode) {
  PRINTER_INFO_2A info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 0);
  EXPECT_EQ(message.text, "Add printer errorer = 1797");
  EXPECT_STREQ(nameBuffer, "");

  InstallDriver();
  AddExistingPrinter("QM(P)");
  winsim::FailCall("AddPrinterA", ERROR_NOT_ENOUGH_MEMORY, 0, "QM(P)(1)");
  info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 0);
  EXPECT_EQ(message.text, "Add printer errorer = 8");
  EXPECT_STREQ(nameBuffer, "");
}

TEST_F(SpoolerOperationsTest, APrinterWithoutDatatypeIsAddedAsTheRecordSaysWhenTheSpoolerTakesIt) {
  InstallDriver();
  PRINTER_INFO_2A info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 1);
  winsim::SpoolerPrinter added;
  ASSERT_TRUE(winsim::FindPrinter("QM(P)", &added));
  EXPECT_EQ(added.datatype, "");
  EXPECT_EQ(winsim::CallCount("AddPrinterA"), 1);
}

TEST_F(SpoolerOperationsTest, ARefusedRecordWithoutDatatypeIsTriedOnceMoreAsRaw) {
  InstallDriver();
  AddExistingPrinter("QM(P)");
  // The first call answers 87 as Wine's spooler does; the numbered retries keep "RAW".
  winsim::FailCall("AddPrinterA", ERROR_INVALID_PARAMETER, 1);
  PRINTER_INFO_2A info = Record("QM(P)");
  int before = winsim::CallCount("AddPrinterA");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 1);
  EXPECT_EQ(winsim::CallCount("AddPrinterA") - before, 3);
  EXPECT_STREQ(nameBuffer, "QM(P)(1)");
  winsim::SpoolerPrinter added;
  ASSERT_TRUE(winsim::FindPrinter("QM(P)(1)", &added));
  EXPECT_EQ(added.datatype, "RAW");
  EXPECT_EQ(info.pDatatype, nullptr);  // the caller's record is left as it was
  EXPECT_EQ(message.text, "");
}

TEST_F(SpoolerOperationsTest, TheRawRetryIsMadeOnlyForA87OnARecordWithoutDatatype) {
  InstallDriver();
  // A record with its own datatype is not changed.
  winsim::FailCall("AddPrinterA", ERROR_INVALID_PARAMETER, 1);
  PRINTER_INFO_2A info = Record("QM(P)");
  char emf[] = "NT EMF 1.008";
  info.pDatatype = emf;
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 0);
  EXPECT_EQ(message.text, "Add printer errorer = 87");
  EXPECT_EQ(winsim::CallCount("AddPrinterA"), 1);
  EXPECT_EQ(info.pDatatype, emf);

  // Other refusals of a record without datatype are not retried.
  winsim::FailCall("AddPrinterA", ERROR_NOT_ENOUGH_MEMORY, 1);
  info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 0);
  EXPECT_EQ(message.text, "Add printer errorer = 8");
  EXPECT_EQ(winsim::CallCount("AddPrinterA"), 2);

  // A "RAW" that is refused too is tried once and reported with the last code.
  winsim::FailCall("AddPrinterA", ERROR_INVALID_PARAMETER, 0);
  info = Record("QM(P)");
  EXPECT_EQ(AddPrinterChecked(&info, 2, 1, message), 0);
  EXPECT_EQ(message.text, "Add printer errorer = 87");
  EXPECT_EQ(winsim::CallCount("AddPrinterA"), 4);
  EXPECT_EQ(info.pDatatype, nullptr);
  EXPECT_STREQ(nameBuffer, "");
}

TEST_F(SpoolerOperationsTest, ANumberedLongNameStaysWithinTheNameBuffer) {
  InstallDriver();
  std::string longName(258, 'Q');
  AddExistingPrinter(longName.c_str());
  memset(nameBuffer + kPrinterNameSize, 'G', 16);  // guard bytes after the 260 characters
  PRINTER_INFO_2A info = Record(longName.c_str());
  memset(nameBuffer + kPrinterNameSize, 'G', 16);
  AddPrinterChecked(&info, 2, 1, message);
  EXPECT_EQ(std::string(nameBuffer + kPrinterNameSize, 16), std::string(16, 'G'));
  EXPECT_LT(strlen(nameBuffer), kPrinterNameSize);
}

// ---- Default printer --------------------------------------------------------------------

class DefaultPrinterTest : public SpoolerOperationsTest {
 protected:
  void SetUp() override {
    SpoolerOperationsTest::SetUp();
    InstallDriver();
    AddExistingPrinter("QM(P)");
  }
};

TEST_F(DefaultPrinterTest, OnWindows2000AndLaterItCallsSetDefaultPrinterOfWinspool) {
  EXPECT_EQ(SetDefaultPrinterByName("QM(P)"), 1);
  EXPECT_EQ(winsim::DefaultPrinter(), "QM(P)");
  EXPECT_EQ(winsim::CallCount("SetDefaultPrinterA"), 1);
  auto sent = winsim::Broadcasts();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(WM_WININICHANGE));
  EXPECT_FALSE(sent[0].hasText);
  EXPECT_EQ(sent[0].flags, static_cast<UINT>(SMTO_NORMAL));
  EXPECT_EQ(sent[0].timeout, 1000u);
}

TEST_F(DefaultPrinterTest, OnNt4ItWritesTheDeviceEntryOfTheProfile) {
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 4, 0);
  EXPECT_EQ(SetDefaultPrinterByName("QM(P)"), 1);
  char device[300];
  GetPrivateProfileStringA("windows", "device", "", device, sizeof device, "win.ini");
  EXPECT_STREQ(device, "QM(P),Drv,LPT1:");
  EXPECT_EQ(winsim::CallCount("LoadLibraryA"), 0);
  auto sent = winsim::Broadcasts();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_FALSE(sent[0].hasText);
}

TEST_F(DefaultPrinterTest, OnWindows9xItSetsTheDefaultAttributeAndNamesTheSection) {
  winsim::SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
  winsim::SetWin9xSpooler(true);  // its handles know no access rights
  EXPECT_EQ(SetDefaultPrinterByName("QM(P)"), 1);
  EXPECT_EQ(winsim::DefaultPrinter(), "QM(P)");
  EXPECT_EQ(winsim::CallCount("SetPrinterA"), 1);
  EXPECT_EQ(winsim::CallCount("GetPrinterA"), 2);
  auto sent = winsim::Broadcasts();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].text, "windows");
}

TEST_F(DefaultPrinterTest, AnyFailingStepReturnsZeroAndReleasesWhatItHeld) {
  for (DWORD major : {4u, 5u}) {
    winsim::SetVersion(VER_PLATFORM_WIN32_NT, major, 0);
    EXPECT_EQ(SetDefaultPrinterByName("Unknown"), 0) << major;
  }
  winsim::SetVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
  EXPECT_EQ(SetDefaultPrinterByName("Unknown"), 0);
  winsim::FailCall("GlobalAlloc", ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(SetDefaultPrinterByName("QM(P)"), 0);
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
  winsim::FailCall("GetProcAddress", ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(SetDefaultPrinterByName("QM(P)"), 0);
  EXPECT_EQ(winsim::DefaultPrinter(), "");
  EXPECT_TRUE(winsim::Broadcasts().empty());
}

TEST_F(DefaultPrinterTest, OtherPlatformsDoNothing) {
  winsim::SetVersion(VER_PLATFORM_WIN32s, 3, 1);
  EXPECT_EQ(SetDefaultPrinterByName("QM(P)"), 1);
  EXPECT_EQ(winsim::DefaultPrinter(), "");
  EXPECT_EQ(winsim::CallCount("OpenPrinterA"), 0);
}

// ---- Ports --------------------------------------------------------------------------------

TEST_F(SpoolerOperationsTest, CheckPortsSucceedsWhenThePortsCanBeListed) {
  EXPECT_EQ(CheckSpoolerPorts(message), 1);
  EXPECT_EQ(message.text, "");
  EXPECT_EQ(winsim::CallCount("EnumPortsA"), 2);
}

TEST_F(SpoolerOperationsTest, CheckPortsReportsMemoryAndEnumerationFailures) {
  winsim::FailCall("LocalAlloc", ERROR_NOT_ENOUGH_MEMORY, 1);
  EXPECT_EQ(CheckSpoolerPorts(message), 0);
  EXPECT_EQ(message.text, "Printer installer could not allocate sufficient memory");
  winsim::FailCall("EnumPortsA", RPC_S_SERVER_UNAVAILABLE, 2);
  EXPECT_EQ(CheckSpoolerPorts(message), 0);
  EXPECT_EQ(message.text, "Enum ports error er = 1722");
}

}  // namespace
