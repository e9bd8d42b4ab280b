// The spooler calls the installation makes, on winsim and on the real spooler.
#include "contract/ContractEnv.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The environment of this process's spooler: winsim is a 32-bit Windows.
#if defined(_WIN64) && !defined(WINSIM)
const char* const kEnvironment = "Windows x64";
#else
const char* const kEnvironment = "Windows NT x86";
#endif

class SpoolerContractTest : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    suffix = contract::RunTag();
  }
  void TearDown() override {
    contract::DeleteSpoolerObjects(printers, drivers, monitors);
#if !defined(WINSIM)
    for (const std::string& name : processors)
      DeletePrintProcessorA(nullptr, nullptr, const_cast<char*>(name.c_str()));
#endif
    EXPECT_EQ(contract::OpenHandles(), 0);
    ContractTest::TearDown();
  }

  static std::string DriverDirectory() {
    char dir[MAX_PATH] = "";
    DWORD needed = 0;
    EXPECT_TRUE(GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir),
                                           sizeof dir, &needed));
    return dir;
  }

  static std::string ProcessorDirectory() {
    char dir[MAX_PATH] = "";
    DWORD needed = 0;
    EXPECT_TRUE(GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir),
                                            sizeof dir, &needed));
    return dir;
  }

  BOOL AddProcessor(const std::string& dll, const std::string& name) {
    BOOL added = AddPrintProcessorA(nullptr, nullptr, const_cast<char*>(dll.c_str()),
                                    const_cast<char*>(name.c_str()));
    if (added) processors.push_back(name);
    return added;
  }

  // A level-3 driver record whose (dummy) files lie in the driver directory.
  DRIVER_INFO_3A DriverRecord(const std::string& name) {
    std::string driverDir = DriverDirectory();
    for (const char* file : {"ctdrv.dll", "ctdrv.gpd", "ctdrvui.dll", "ctdrv.hlp"})
      contract::PutFile(driverDir + "\\" + file, "not a program");
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name.c_str());
    info.pDriverPath = const_cast<char*>("ctdrv.dll");
    info.pDataFile = const_cast<char*>("ctdrv.gpd");
    info.pConfigFile = const_cast<char*>("ctdrvui.dll");
    info.pHelpFile = const_cast<char*>("ctdrv.hlp");
    info.pDependentFiles = const_cast<char*>("ctdrv.gpd\0");
    return info;
  }

  std::string AddDriver() {
    std::string name = "Contract Driver" + suffix;
    DRIVER_INFO_3A info = DriverRecord(name);
    EXPECT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info))) << GetLastError();
    drivers.push_back(name);
    return name;
  }

  HANDLE OpenWith(const std::string& name, PRINTER_DEFAULTSA* defaults) {
    HANDLE printer = nullptr;
    EXPECT_TRUE(OpenPrinterA(const_cast<char*>(name.c_str()), &printer, defaults))
        << GetLastError();
    return printer;
  }

  // SetPrinterA at level 2 with the record the printer has.
  BOOL Rewrite(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!GetPrinterA(printer, 2, buffer.data(), needed, &needed)) return FALSE;
    return SetPrinterA(printer, 2, buffer.data(), 0);
  }

  HANDLE AddTestPrinter(const std::string& name, const std::string& driver) {
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>("LPT1:");
    info.pDriverName = const_cast<char*>(driver.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = datatype;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (printer) printers.push_back(name);
    return printer;
  }

  std::string suffix;
  char* datatype = const_cast<char*>("RAW");
  std::vector<std::string> printers;
  std::vector<std::string> drivers;
  std::vector<std::string> monitors;
  std::vector<std::string> processors;
};

TEST_F(SpoolerContractTest, DirectoryQueriesGiveAnExistingDirectoryAndTheSizeNeeded) {
  using Query = BOOL(WINAPI*)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD);
  for (Query query : {Query(GetPrinterDriverDirectoryA), Query(GetPrintProcessorDirectoryA)}) {
    char dir[MAX_PATH] = "";
    DWORD needed = 0;
    ASSERT_TRUE(query(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir), sizeof dir, &needed));
    DWORD attributes = GetFileAttributesA(dir);
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << dir;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << dir;
    needed = 0;
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(query(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir), 2, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    // Windows may report the size of the wide-character text; enough room is what counts.
    EXPECT_GE(needed, strlen(dir) + 1);
  }
}

TEST_F(SpoolerContractTest, APrinterOfAnAddedDriverReadsBackAtLevel2) {
  std::string driver = AddDriver();
  std::string name = "Contract Printer" + suffix;
  HANDLE added = AddTestPrinter(name, driver);
  ASSERT_NE(added, nullptr) << GetLastError();
  EXPECT_TRUE(ClosePrinter(added));

  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) << GetLastError();
  DWORD needed = 0;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(GetPrinterA(printer, 2, nullptr, 0, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_GT(needed, sizeof(PRINTER_INFO_2A));
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(GetPrinterA(printer, 2, buffer.data(), needed, &needed)) << GetLastError();
  auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
  EXPECT_STREQ(info->pPrinterName, name.c_str());
  EXPECT_STREQ(info->pPortName, "LPT1:");
  EXPECT_STREQ(info->pDriverName, driver.c_str());
  EXPECT_TRUE(ClosePrinter(printer));
}

TEST_F(SpoolerContractTest, AHandleOpenedToAdministerChangesThePrinter) {
  std::string name = "Contract Admin" + suffix;
  HANDLE added = AddTestPrinter(name, AddDriver());
  ASSERT_NE(added, nullptr) << GetLastError();
  ClosePrinter(added);
  PRINTER_DEFAULTSA all{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = OpenWith(name, &all);
  ASSERT_NE(printer, nullptr);
  EXPECT_TRUE(Rewrite(printer)) << GetLastError();
  ClosePrinter(printer);
}

TEST_F(SpoolerContractTest, AHandleOpenedToUseThePrinterCannotChangeIt) {
  SKIP_ON_WINE("Wine's SetPrinterA checks no access rights");
  std::string name = "Contract User" + suffix;
  HANDLE added = AddTestPrinter(name, AddDriver());
  ASSERT_NE(added, nullptr) << GetLastError();
  ClosePrinter(added);
  PRINTER_DEFAULTSA use{nullptr, nullptr, PRINTER_ACCESS_USE};
  for (PRINTER_DEFAULTSA* defaults : {static_cast<PRINTER_DEFAULTSA*>(nullptr), &use}) {
    HANDLE printer = OpenWith(name, defaults);
    ASSERT_NE(printer, nullptr);
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(Rewrite(printer));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ClosePrinter(printer);
  }
}

TEST_F(SpoolerContractTest, APrinterNameWithACommaOrBackslashGives1801) {
  SKIP_ON_WINE("Wine's AddPrinterA adds printers with , or \\ in their names");
  std::string driver = AddDriver();
  for (const char* name : {"Contract,Comma", "Contract\\Backslash"}) {
    SetLastError(0xdeadbeef);
    HANDLE printer = AddTestPrinter(name + suffix, driver);
    EXPECT_EQ(printer, nullptr) << name;
    if (printer) ClosePrinter(printer);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME)) << name;
  }
}

TEST_F(SpoolerContractTest, ADriverIsRefusedUnlessEveryFileItNamesLiesInTheDriverDirectory) {
  SKIP_ON_WINE("Wine's AddPrinterDriverA registers a driver whose files it could not copy");
  std::string name = "Contract Missing Files" + suffix;
  contract::PutDirectory(DriverDirectory() + "\\ctfolder");
  contract::PutFile(dir + "ctlocal.dll", "here, not in the driver directory");
  char previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(sizeof previous, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  struct Case {
    const char* what;
    void (*spoil)(DRIVER_INFO_3A&);
    DWORD error;
  } cases[] = {
      {"help file missing",
       [](DRIVER_INFO_3A& i) { i.pHelpFile = const_cast<char*>("cthelp.hlp"); },
       ERROR_FILE_NOT_FOUND},
      {"dependent file missing",
       [](DRIVER_INFO_3A& i) { i.pDependentFiles = const_cast<char*>("ctdrv.gpd\0ctdep.dll\0"); },
       ERROR_FILE_NOT_FOUND},
      {"driver path a directory",
       [](DRIVER_INFO_3A& i) { i.pDriverPath = const_cast<char*>("ctfolder"); },
       ERROR_FILE_NOT_FOUND},
      {"driver path in the current directory only",
       [](DRIVER_INFO_3A& i) { i.pDriverPath = const_cast<char*>("ctlocal.dll"); },
       ERROR_FILE_NOT_FOUND},
      {"config file empty", [](DRIVER_INFO_3A& i) { i.pConfigFile = const_cast<char*>(""); },
       ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    DRIVER_INFO_3A info = DriverRecord(name);
    c.spoil(info);
    SetLastError(0xdeadbeef);
    BOOL added = AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info));
    if (added) drivers.push_back(name);
    EXPECT_FALSE(added) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
  SetCurrentDirectoryA(previous);
}

TEST_F(SpoolerContractTest, ATakenPrinterNameGives1802) {
  SKIP_ON_WINE("Wine's AddPrinterA overwrites a printer of the same name instead of 1802");
  std::string driver = AddDriver();
  std::string name = "Contract Twice" + suffix;
  HANDLE first = AddTestPrinter(name, driver);
  ASSERT_NE(first, nullptr);
  ClosePrinter(first);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(AddTestPrinter(name, driver), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRINTER_ALREADY_EXISTS));
}

TEST_F(SpoolerContractTest, AnUnknownDriverGives1797) {
  SKIP_ON_WINE("Wine's AddPrinterA answers 87 for an unknown driver");
  SetLastError(0xdeadbeef);
  EXPECT_EQ(AddTestPrinter("Contract Orphan" + suffix, "No Such Driver"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINTER_DRIVER));
}

TEST_F(SpoolerContractTest, APrinterWithoutADatatypeIsAdded) {
  SKIP_ON_WINE("Wine's AddPrinterA answers 87 when the record names no datatype");
  std::string driver = AddDriver();
  datatype = nullptr;
  HANDLE added = AddTestPrinter("Contract Raw" + suffix, driver);
  ASSERT_NE(added, nullptr) << GetLastError();
  ClosePrinter(added);
}

TEST_F(SpoolerContractTest, AnUnknownPrinterDoesNotOpen) {
  HANDLE printer = nullptr;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(OpenPrinterA(const_cast<char*>("No Such Printer Here"), &printer, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
}

TEST_F(SpoolerContractTest, EnumPortsListsTheSystemPortsAfterASizeQuery) {
  DWORD needed = 0;
  DWORD count = 0;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(EnumPortsA(nullptr, 1, nullptr, 0, &needed, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_GT(needed, 0u);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumPortsA(nullptr, 1, buffer.data(), needed, &needed, &count)) << GetLastError();
  auto* ports = reinterpret_cast<PORT_INFO_1A*>(buffer.data());
  std::vector<std::string> names;
  for (DWORD i = 0; i < count; ++i) names.push_back(ports[i].pName);
  for (const char* expected : {"LPT1:", "COM1:"})
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
}

TEST_F(SpoolerContractTest, AMonitorIsAddedOnceFromTheSystemDirectory) {
  char system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
  std::string dll = "aqtestmon.dll";
  contract::PutModule(std::string(system) + "\\" + dll, "port-monitor\\aqtestmon.dll");
  std::string name = "Contract Monitor" + suffix;
  MONITOR_INFO_2A info{const_cast<char*>(name.c_str()), nullptr, const_cast<char*>(dll.c_str())};
  ASSERT_TRUE(AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info))) << GetLastError();
  monitors.push_back(name);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                          ("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + name).c_str(),
                          0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRINT_MONITOR_ALREADY_INSTALLED));
}

TEST_F(SpoolerContractTest, AMonitorWhoseDllIsMissingGives126) {
  std::string name = "Contract Lost Monitor" + suffix;
  MONITOR_INFO_2A info{const_cast<char*>(name.c_str()), nullptr,
                       const_cast<char*>("nosuchmon.dll")};
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(SpoolerContractTest, AMonitorDllThatDoesNotLoadGives126AndOneWithoutItsEntryGives127) {
  char system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
  std::string empty = "aqemptymon" + suffix + ".dll";
  std::string plain = "aqplainmon" + suffix + ".dll";
  contract::PutFile(std::string(system) + "\\" + empty, "");
  contract::PutModule(std::string(system) + "\\" + plain, "version-files\\plain.dll");
  struct Case {
    const std::string& dll;
    DWORD error;
  } cases[] = {{empty, ERROR_MOD_NOT_FOUND}, {plain, ERROR_PROC_NOT_FOUND}};
  for (const Case& c : cases) {
    std::string name = "Contract Bad Monitor " + c.dll;
    MONITOR_INFO_2A info{const_cast<char*>(name.c_str()), nullptr,
                         const_cast<char*>(c.dll.c_str())};
    SetLastError(0xdeadbeef);
    if (AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info))) monitors.push_back(name);
    EXPECT_EQ(GetLastError(), c.error) << c.dll;
  }
  for (const std::string& dll : {empty, plain})
    DeleteFileA((std::string(system) + "\\" + dll).c_str());
}

TEST_F(SpoolerContractTest, APrintProcessorIsRegisteredForTheCurrentEnvironment) {
  std::string dll = "aqtestproc" + suffix + ".dll";
  contract::PutModule(ProcessorDirectory() + "\\" + dll, "print-processor\\aqtestproc.dll");
  std::string name = "Contract Processor" + suffix;
  ASSERT_TRUE(AddProcessor(dll, name)) << GetLastError();
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                          ("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" +
                           std::string(kEnvironment) + "\\Print Processors\\" + name)
                              .c_str(),
                          0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(SpoolerContractTest, AnInstalledPrintProcessorGives3005) {
  SKIP_ON_WINE("Wine's AddPrintProcessorA rewrites an installed processor's entry");
  std::string dll = "aqtestproc" + suffix + ".dll";
  contract::PutModule(ProcessorDirectory() + "\\" + dll, "print-processor\\aqtestproc.dll");
  std::string name = "Contract Twice Processor" + suffix;
  ASSERT_TRUE(AddProcessor(dll, name)) << GetLastError();
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(AddProcessor(dll, name));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED));
}

TEST_F(SpoolerContractTest, APrintProcessorThatDoesNotLoadGives126Or127) {
  SKIP_ON_WINE("Wine's AddPrintProcessorA registers the file without loading it");
  std::string empty = "aqemptyproc" + suffix + ".dll";
  std::string plain = "aqplainproc" + suffix + ".dll";
  contract::PutFile(ProcessorDirectory() + "\\" + empty, "");
  contract::PutModule(ProcessorDirectory() + "\\" + plain, "version-files\\plain.dll");
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(AddProcessor(empty, "Contract Empty Processor" + suffix));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(AddProcessor(plain, "Contract Plain Processor" + suffix));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
}

TEST_F(SpoolerContractTest, SetDefaultPrinterIsFoundInWinspoolAndKnowsThePrinters) {
  std::string driver = AddDriver();
  std::string name = "Contract Default" + suffix;
  HANDLE added = AddTestPrinter(name, driver);
  ASSERT_NE(added, nullptr);
  ClosePrinter(added);
  HMODULE winspool = LoadLibraryA("winspool.drv");
  ASSERT_NE(winspool, nullptr);
  typedef BOOL(WINAPI * SetDefault)(LPCSTR);
  auto setDefault = reinterpret_cast<SetDefault>(
      reinterpret_cast<void*>(GetProcAddress(winspool, "SetDefaultPrinterA")));
  ASSERT_NE(setDefault, nullptr);
  EXPECT_TRUE(setDefault(name.c_str())) << GetLastError();
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(setDefault("No Such Printer Here"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  EXPECT_TRUE(FreeLibrary(winspool));
}

}  // namespace
