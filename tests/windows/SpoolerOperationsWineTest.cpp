// The spooler operations on the real spooler: what Wine's spooler supports of a first
// installation, from package files to the default printer.
#include "contract/ContractEnv.h"
#include "engine/SpoolerOperations.h"

#include <winspool.h>

#include <string>
#include <vector>

namespace {

class SpoolerOperationsWineTest : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    GetCurrentDirectoryA(sizeof previousDirectory, previousDirectory);
    // Package files are taken from the current directory's per-OS folder.
    contract::PutDirectory(dir + "winnt");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    suffix = contract::RunTag();
  }
  void TearDown() override {
    contract::DeleteSpoolerObjects(printers, drivers, monitors);
    for (const std::string& path : copied) DeleteFileA(path.c_str());
    SetCurrentDirectoryA(previousDirectory);
    ContractTest::TearDown();
  }
  void Package(const char* name, const std::string& data = "not a program") {
    contract::PutFile(dir + "winnt\\" + name, data);
  }
  static std::string DriverDir() {
    char path[MAX_PATH];
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path), sizeof path,
                               &needed);
    return path;
  }

  char previousDirectory[MAX_PATH];
  std::string suffix;
  StepMessage message;
  std::vector<std::string> printers, drivers, monitors, copied;
};

TEST_F(SpoolerOperationsWineTest, PackageFilesReachEachSpoolerDirectory) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  char processors[MAX_PATH];
  DWORD needed = 0;
  GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(processors),
                              sizeof processors, &needed);
  struct Case {
    DestinationKind kind;
    std::string dir;
  } cases[] = {{DriverDirectory, DriverDir()},
               {DriverDirectory3, DriverDir() + "\\3"},
               {ProcessorDirectory, processors},
               {SystemDirectory, system}};
  for (const Case& c : cases) {
    std::string target = c.dir + "\\ctcopy" + suffix + ".bin";
    Package(("ctcopy" + suffix + ".bin").c_str(), "payload");
    copied.push_back(target);
    EXPECT_EQ(
        CopyPackageFile(("ctcopy" + suffix + ".bin").c_str(), c.kind, WinXp, PlainCopy, message),
        Copied)
        << c.kind << " " << message.text;
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES) << target;
  }
}

TEST_F(SpoolerOperationsWineTest, ADriverAndItsPrinterAreAddedAndMadeTheDefault) {
  std::string driverName = "Wine Ops Driver" + suffix;
  for (const char* file : {"wodrv.dll", "wodrv.gpd", "wodrvui.dll", "wodrv.hlp"}) {
    Package(file);
    ASSERT_EQ(CopyPackageFile(file, DriverDirectory, WinXp, PlainCopy, message), Copied)
        << message.text;
  }
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(driverName.c_str());
  driver.pDriverPath = const_cast<char*>("wodrv.dll");
  driver.pDataFile = const_cast<char*>("wodrv.gpd");
  driver.pConfigFile = const_cast<char*>("wodrvui.dll");
  driver.pHelpFile = const_cast<char*>("wodrv.hlp");
  ASSERT_EQ(AddPrinterDriverChecked(&driver, message), 1) << message.text;
  drivers.push_back(driverName);

  char name[kPrinterNameSize];
  snprintf(name, sizeof name, "Wine Ops Printer%s(P)", suffix.c_str());
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = name;
  printer.pPortName = const_cast<char*>("LPT1:");
  printer.pDriverName = const_cast<char*>(driverName.c_str());
  printer.pPrintProcessor = const_cast<char*>("WinPrint");
  printer.pDatatype = const_cast<char*>("RAW");  // Wine refuses a printer without one
  ASSERT_EQ(AddPrinterChecked(&printer, 2, 1, message), 1) << message.text;
  printers.push_back(name);
  EXPECT_EQ(contract::OpenHandles(), 0);

  EXPECT_EQ(SetDefaultPrinterByName(name), 1);
  char current[kPrinterNameSize];
  DWORD size = sizeof current;
  ASSERT_TRUE(GetDefaultPrinterA(current, &size));
  EXPECT_STREQ(current, name);
  EXPECT_EQ(SetDefaultPrinterByName("No Such Printer Here"), 0);
}

TEST_F(SpoolerOperationsWineTest, APrinterRecordWithoutDatatypeIsAdded) {
  std::string driverName = "Wine Ops Raw Driver" + suffix;
  for (const char* file : {"wordrv.dll", "wordrv.gpd", "wordrvui.dll"}) {
    Package(file);
    ASSERT_EQ(CopyPackageFile(file, DriverDirectory, WinXp, PlainCopy, message), Copied)
        << message.text;
  }
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(driverName.c_str());
  driver.pDriverPath = const_cast<char*>("wordrv.dll");
  driver.pDataFile = const_cast<char*>("wordrv.gpd");
  driver.pConfigFile = const_cast<char*>("wordrvui.dll");
  ASSERT_EQ(AddPrinterDriverChecked(&driver, message), 1) << message.text;
  drivers.push_back(driverName);

  char name[kPrinterNameSize];
  snprintf(name, sizeof name, "Wine Ops Raw Printer%s(P)", suffix.c_str());
  PRINTER_INFO_2A printer{};
  printer.pPrinterName = name;
  printer.pPortName = const_cast<char*>("LPT1:");
  printer.pDriverName = const_cast<char*>(driverName.c_str());
  printer.pPrintProcessor = const_cast<char*>("WinPrint");
  ASSERT_EQ(AddPrinterChecked(&printer, 2, 1, message), 1) << message.text;
  printers.push_back(name);
  EXPECT_EQ(printer.pDatatype, nullptr);

  HANDLE added = nullptr;
  ASSERT_TRUE(OpenPrinterA(name, &added, nullptr));
  DWORD needed = 0;
  GetPrinterA(added, 2, nullptr, 0, &needed);
  std::vector<BYTE> block(needed ? needed : 1);
  ASSERT_TRUE(GetPrinterA(added, 2, block.data(), needed, &needed));
  ClosePrinter(added);
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(block.data());
  // Windows names the processor's default; under Wine it is the "RAW" of the second try.
  ASSERT_NE(info->pDatatype, nullptr);
  EXPECT_STREQ(info->pDatatype, "RAW");
}

TEST_F(SpoolerOperationsWineTest, AMissingDriverFileIsReportedWithItsSource) {
  EXPECT_EQ(CopyPackageFile("wonone.dll", DriverDirectory, WinXp, PlainCopy, message), CopyFailed);
  std::string current =
      dir.substr(0, dir.size() - 1);  // the current directory has no trailing backslash
  EXPECT_EQ(message.text,
            "Copy driver files errorwonone.dll  er = 2" + current + "\\winnt\\wonone.dll");
}

TEST_F(SpoolerOperationsWineTest, TheMonitorOfTheProjectIsAddedAndCountsAsInstalledTheSecondTime) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string built = self;
  built = built.substr(0, built.find_last_of('\\')) + "\\port-monitor\\aqtestmon.dll";
  std::string dll = "aqtestmon" + suffix + ".dll";
  std::string copy = dir + "winnt\\" + dll;
  ASSERT_TRUE(CopyFileA(built.c_str(), copy.c_str(), FALSE)) << GetLastError();
  ASSERT_EQ(CopyPackageFile(dll.c_str(), SystemDirectory, WinXp, PlainCopy, message), Copied)
      << message.text;
  char system[MAX_PATH];
  GetSystemDirectoryA(system, sizeof system);
  copied.push_back(std::string(system) + "\\" + dll);  // removed after the monitor
  std::string name = "Wine Ops Monitor" + suffix;
  MONITOR_INFO_2A info{const_cast<char*>(name.c_str()), nullptr, const_cast<char*>(dll.c_str())};
  EXPECT_EQ(AddMonitorChecked(&info, message), 1) << message.text;
  monitors.push_back(name);
  EXPECT_EQ(AddMonitorChecked(&info, message), 1) << message.text;
  EXPECT_EQ(message.text, "");
}

TEST_F(SpoolerOperationsWineTest, ThePortListCanBeRead) {
  EXPECT_EQ(CheckSpoolerPorts(message), 1);
  EXPECT_EQ(message.text, "");
}

}  // namespace
