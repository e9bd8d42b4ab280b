// The enumerations and removals the uninstaller makes, on winsim and on the real spooler.
#include "contract/ContractEnv.h"

#include <winspool.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

class SpoolerRemovalContract : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    suffix = contract::RunTag();
  }
  void TearDown() override {
    contract::DeleteSpoolerObjects(printers, drivers, monitors);
    EXPECT_EQ(contract::OpenHandles(), 0);
    ContractTest::TearDown();
  }
  // A driver whose (dummy) files lie in the driver directory, and a printer on it.
  std::string PutDriver(const char* file) {
    char dir[MAX_PATH] = "";
    DWORD needed = 0;
    EXPECT_TRUE(GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir),
                                           sizeof dir, &needed));
    driverFile = std::string(dir) + "\\" + file;
    contract::PutFile(driverFile, "not a program");
    std::string name = "Contract Removal Driver " + std::string(file) + suffix;
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name.c_str());
    info.pDriverPath = info.pDataFile = info.pConfigFile = const_cast<char*>(file);
    EXPECT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info))) << GetLastError();
    drivers.push_back(name);
    return name;
  }
  std::string PutPrinter(const std::string& driver) {
    std::string name = "Contract Removal Printer" + suffix;
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>("LPT1:");
    info.pDriverName = const_cast<char*>(driver.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    EXPECT_NE(printer, nullptr) << GetLastError();
    if (printer) ClosePrinter(printer);
    printers.push_back(name);
    return name;
  }

  std::string suffix;
  std::string driverFile;
  std::vector<std::string> printers, drivers, monitors;
};

TEST_F(SpoolerRemovalContract, LocalPrintersAreListedAtLevel5AfterASizeQuery) {
  std::string name = PutPrinter(PutDriver("ctrm1.dll"));
  DWORD needed = 0, count = 0;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, nullptr, 0, &needed, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(
      EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, buffer.data(), needed, &needed, &count));
  auto* records = reinterpret_cast<PRINTER_INFO_5A*>(buffer.data());
  bool found = false;
  for (DWORD i = 0; i < count; ++i)
    found =
        found || (name == records[i].pPrinterName && std::string("LPT1:") == records[i].pPortName);
  EXPECT_TRUE(found);
}

TEST_F(SpoolerRemovalContract, ADeletedPrinterNoLongerOpensAndFreesItsDriver) {
  std::string driver = PutDriver("ctrm2.dll");
  std::string name = PutPrinter(driver);
  SetLastError(0xdeadbeef);
  if (!contract::RunningOnWine()) {  // Wine deletes a driver that is still in use
    EXPECT_FALSE(DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(driver.c_str())));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRINTER_DRIVER_IN_USE));
  }
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  ASSERT_TRUE(OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &all));
  EXPECT_TRUE(DeletePrinter(printer)) << GetLastError();
  EXPECT_TRUE(ClosePrinter(printer));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  if (contract::RunningOnWine()) return;
  EXPECT_TRUE(DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(driver.c_str())));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(driver.c_str())));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINTER_DRIVER));
}

TEST_F(SpoolerRemovalContract, TheExtendedDriverDeletionTakesUnusedFiles) {
  SKIP_ON_WINE("Wine's DeletePrinterDriverExA answers 87 for any non-zero delete flag");
  std::string driver = PutDriver("ctrm3.dll");
  HMODULE winspool = LoadLibraryA("winspool.drv");
  ASSERT_NE(winspool, nullptr);
  typedef BOOL(WINAPI * DeleteEx)(LPSTR, LPSTR, LPSTR, DWORD, DWORD);
  auto deleteEx = reinterpret_cast<DeleteEx>(
      reinterpret_cast<void*>(GetProcAddress(winspool, "DeletePrinterDriverExA")));
  ASSERT_NE(deleteEx, nullptr);
  EXPECT_TRUE(
      deleteEx(nullptr, nullptr, const_cast<char*>(driver.c_str()), DPD_DELETE_UNUSED_FILES, 0))
      << GetLastError();
  EXPECT_EQ(GetFileAttributesA(driverFile.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(FreeLibrary(winspool));
}

TEST_F(SpoolerRemovalContract, AMonitorIsListedUntilItIsDeleted) {
  char system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
  std::string dll = "aqtestmon.dll";
  contract::PutModule(std::string(system) + "\\" + dll, "port-monitor\\aqtestmon.dll");
  std::string name = "Contract Removal Monitor" + suffix;
  MONITOR_INFO_2A info{const_cast<char*>(name.c_str()), nullptr, const_cast<char*>(dll.c_str())};
  ASSERT_TRUE(AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info))) << GetLastError();
  monitors.push_back(name);
  auto listed = [&name] {
    DWORD needed = 0, count = 0;
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(EnumMonitorsA(nullptr, 1, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed);
    EXPECT_TRUE(EnumMonitorsA(nullptr, 1, buffer.data(), needed, &needed, &count));
    auto* records = reinterpret_cast<MONITOR_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
      if (name == records[i].pName) return true;
    return false;
  };
  EXPECT_TRUE(listed());
  char localServer[] = "";
  EXPECT_TRUE(DeleteMonitorA(localServer, nullptr, const_cast<char*>(name.c_str())))
      << GetLastError();
  EXPECT_FALSE(listed());
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(DeleteMonitorA(localServer, nullptr, const_cast<char*>(name.c_str())));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINT_MONITOR));
}

TEST_F(SpoolerRemovalContract, ProcessorsAreListedByEnvironment) {
  DWORD needed = 0, count = 0;
  char nt[] = "Windows NT x86";
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(EnumPrintProcessorsA(nullptr, nt, 1, nullptr, 0, &needed, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumPrintProcessorsA(nullptr, nt, 1, buffer.data(), needed, &needed, &count));
  auto* records = reinterpret_cast<PRINTPROCESSOR_INFO_1A*>(buffer.data());
  bool winprint = false;
  for (DWORD i = 0; i < count; ++i) {
    std::string processor = records[i].pName;
    for (char& c : processor) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    winprint = winprint || processor == "winprint";
  }
  EXPECT_TRUE(winprint);
  char unknown[] = "No Such Environment";
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(EnumPrintProcessorsA(nullptr, unknown, 1, nullptr, 0, &needed, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));
}

TEST_F(SpoolerRemovalContract, AnUnknownProcessorIsNotDeleted) {
  SKIP_ON_WINE("Wine's DeletePrintProcessorA answers TRUE and does nothing");
  char localServer[] = "";
  char name[] = "No Such Processor Here";
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(DeletePrintProcessorA(localServer, nullptr, name));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINTPROCESSOR));
}

}  // namespace
