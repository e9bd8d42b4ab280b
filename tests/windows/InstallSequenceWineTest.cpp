// A whole installation on a parallel port, run by the install sequence against Wine's
// spooler with the sample medium's driver files.
#include "contract/ContractEnv.h"
#include "engine/InstallSequence.h"
#include "engine/SpoolerOperations.h"

#include <winspool.h>

#include <cstring>
#include <string>

namespace {

class InstallSequenceWineTest : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    GetCurrentDirectoryA(sizeof previousDirectory, previousDirectory);
    std::string medium = "Z:" + std::string(SOURCE_ROOT) + "/sample/medium";
    for (char& c : medium)
      if (c == '/') c = '\\';
    ASSERT_TRUE(SetCurrentDirectoryA(medium.c_str())) << medium;
    suffix = contract::RunTag();
  }
  void TearDown() override {
    contract::DeleteSpoolerObjects({selection.modelName}, {driverName}, {});
    SetCurrentDirectoryA(previousDirectory);
    ContractTest::TearDown();
  }

  char previousDirectory[MAX_PATH];
  std::string suffix;
  std::string driverName;
  SetupSelection selection;
};

TEST_F(InstallSequenceWineTest, AParallelPrinterIsInstalledFromTheSampleMedium) {
  ClearSelection(&selection);
  selection.targetOs = WinXp;
  selection.driverMode = GdiMode;
  snprintf(selection.modelName, sizeof selection.modelName, "QM-A210%s", suffix.c_str());
  strcpy(selection.portName, "LPT1:");
  selection.portKind = ParallelPort;
  selection.setAsDefault = 1;

  InstallWorkingData work;
  work.Clear();
  strcpy(work.files.driverPath, "AQGDI.DLL");
  strcpy(work.files.dataFile, "QMA210G.GPD");
  strcpy(work.files.configFile, "AQGDIUI.DLL");
  strcpy(work.files.helpFile, "AQGDI.HLP");
  strcpy(work.files.dataFileDll, "AQGDIRES.DLL");
  strcpy(work.files.processorDll, "0");
  strcpy(work.files.controlFontFile, "AQFONT1.TTF");
  driverName = "QM-A210 GDI" + suffix;
  work.driver.cVersion = 3;
  work.driver.pName = const_cast<char*>(driverName.c_str());
  work.driver.pDriverPath = work.files.driverPath;
  work.driver.pDataFile = work.files.dataFile;
  work.driver.pConfigFile = work.files.configFile;
  work.driver.pHelpFile = work.files.helpFile;
  char printerName[kPrinterNameSize];
  snprintf(printerName, sizeof printerName, "%s(P)", selection.modelName);
  work.printer.pPrinterName = printerName;
  work.printer.pPortName = selection.portName;
  work.printer.pDriverName = work.driver.pName;
  work.printer.pPrintProcessor = const_cast<char*>("WinPrint");
  // No datatype, as the module configuration gives the record: Windows takes the print
  // processor's default, and the printer is added as "RAW" where Wine refuses that.

  InstallCompletion completion;
  EXPECT_EQ(RunInstallSequence(InstallJob{&selection, &work, &completion}), 0);
  ASSERT_EQ(completion.result.load(), InstallSucceeded) << work.message;
  EXPECT_EQ(work.message, "Successfully installed printer driver");
  EXPECT_STREQ(selection.modelName, printerName);

  char driverDir[MAX_PATH];
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(driverDir),
                                         sizeof driverDir, &needed));
  for (const char* file :
       {"AQGDI.DLL", "QMA210G.GPD", "AQGDIUI.DLL", "AQGDI.HLP", "AQGDIRES.DLL", "3\\AQFONT1.TTF"})
    EXPECT_NE(GetFileAttributesA((std::string(driverDir) + "\\" + file).c_str()),
              INVALID_FILE_ATTRIBUTES)
        << file;
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterA(printerName, &printer, nullptr));
  ClosePrinter(printer);
  char current[kPrinterNameSize];
  DWORD size = sizeof current;
  ASSERT_TRUE(GetDefaultPrinterA(current, &size));
  EXPECT_STREQ(current, printerName);
}

}  // namespace
