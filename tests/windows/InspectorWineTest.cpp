// The end-to-end tier's inspector (e2e\inspect.exe) prints what the spooler and the registry
// hold in the lines its cases grep.
#include "contract/ContractEnv.h"

#include <winspool.h>

#include <string>

namespace {

class InspectorWineTest : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    suffix = contract::RunTag();
  }
  void TearDown() override {
    contract::DeleteSpoolerObjects({printer}, {driver}, {});
    ContractTest::TearDown();
  }

  // Runs the inspector with `arguments` and returns its output.
  static std::string Inspect(const std::string& arguments, DWORD* exitCode) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string command(module);
    command = "\"" + command.substr(0, command.rfind('\\') + 1) + "e2e\\inspect.exe\" " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    EXPECT_TRUE(CreatePipe(&read, &write, &inherit, 0));
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process = {};
    bool started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &startup, &process);
    CloseHandle(write);
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got)
      output.append(buffer, got);
    CloseHandle(read);
    EXPECT_TRUE(started) << command;
    if (!started) return output;
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return output;
  }

  // The inspector's form of a text: in double quotes, with \" and \\ inside.
  static std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    return out + "\"";
  }

  std::string suffix, printer, driver;
};

TEST_F(InspectorWineTest, ListsAnAddedPrinterWithItsDriverAndTheDefaultAndRegistryValues) {
  char driverDir[MAX_PATH] = "";
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(driverDir),
                                         sizeof driverDir, &needed));
  for (const char* file : {"ctdrv.dll", "ctdrv.gpd", "ctdrvui.dll", "ctdrv.hlp"})
    contract::PutFile(std::string(driverDir) + "\\" + file, "not a program");
  driver = "Inspected Driver" + suffix;
  DRIVER_INFO_3A info{};
  info.cVersion = 3;
  info.pName = &driver[0];
  info.pDriverPath = const_cast<char*>("ctdrv.dll");
  info.pDataFile = const_cast<char*>("ctdrv.gpd");
  info.pConfigFile = const_cast<char*>("ctdrvui.dll");
  info.pHelpFile = const_cast<char*>("ctdrv.hlp");
  info.pDependentFiles = const_cast<char*>("ctdrv.gpd\0");
  ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info))) << GetLastError();
  printer = "Inspected \"Printer\"" + suffix;
  PRINTER_INFO_2A record{};
  record.pPrinterName = &printer[0];
  record.pPortName = const_cast<char*>("LPT2:");
  record.pDriverName = &driver[0];
  record.pPrintProcessor = const_cast<char*>("WinPrint");
  record.pDatatype = const_cast<char*>("RAW");
  HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&record));
  ASSERT_NE(added, nullptr) << GetLastError();
  ClosePrinter(added);
  ASSERT_TRUE(SetDefaultPrinterA(printer.c_str()));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, contract::TestKeyPath(), 0, KEY_ALL_ACCESS, &key), 0);
  DWORD zero = 0;
  RegSetValueExA(key, "D1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  RegSetValueExA(key, "Driver", 0, REG_SZ, reinterpret_cast<const BYTE*>("aq\\proc.dll"), 12);
  RegCloseKey(key);
  std::string keyPath = std::string("HKCU\\") + contract::TestKeyPath();
  std::string quotedKey = Quote(keyPath);
  DWORD exitCode = 99;
  std::string out = Inspect(
      "printers drivers default reg \"" + keyPath + "\" reg HKLM\\Nothing\\Here", &exitCode);
  std::string name = Quote(printer);
  EXPECT_NE(out.find("printer " + name + " driver=\"" + driver +
                     "\" port=\"LPT2:\" processor=\"WinPrint\" datatype=\"RAW\""),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\" \"" + driver + "\" version=3 path=\""), std::string::npos) << out;
  EXPECT_NE(out.find("ctdrvui.dll\" help=\""), std::string::npos) << out;
  EXPECT_NE(out.find("default " + name + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("reg " + quotedKey + " \"D1\" dword 0\n"), std::string::npos) << out;
  EXPECT_NE(out.find("reg " + quotedKey + " \"Driver\" sz \"aq\\\\proc.dll\"\n"), std::string::npos)
      << out;
  EXPECT_NE(out.find("reg \"HKLM\\\\Nothing\\\\Here\" missing\n"), std::string::npos) << out;
  EXPECT_EQ(out.find('\r'), std::string::npos);
  EXPECT_EQ(exitCode, 0u) << out;
}

TEST_F(InspectorWineTest, ReportsFilesWithTheirVersionAndRefusesAnUnknownQuery) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string dir(module);
  dir = dir.substr(0, dir.rfind('\\') + 1);
  DWORD exitCode = 99;
  std::string out = Inspect(
      "file \"" + dir + "version-files\\versioned.dll\" file \"" + dir + "none.dll\" version",
      &exitCode);
  EXPECT_NE(out.find("versioned.dll\" size="), std::string::npos) << out;
  // A fixture of this tree: 32-bit in the i686 tree, PE32+ in windows64.
  std::string image = sizeof(void*) == 8 ? " image=PE32+" : " image=PE32";
  EXPECT_NE(out.find(image + " version=\"1.0.0.5\"\n"), std::string::npos) << out;
  EXPECT_NE(out.find("none.dll\" missing\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\nos "), std::string::npos) << out;
  EXPECT_EQ(exitCode, 0u);
  out = Inspect("printerz", &exitCode);
  EXPECT_EQ(out, "unknown query \"printerz\"\n");
  EXPECT_EQ(exitCode, 2u);
}

}  // namespace
