#include "engine/InstallSequence.h"

#include "engine/InstallCommand.h"
#include "engine/SetupText.h"
#include "engine/SpoolerOperations.h"
#include "unit/SampleMedium.h"
#include "winsim/FileControl.h"
#include "winsim/ServiceControl.h"
#include "winsim/SpoolerControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* const kMonitors = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";
const char* const kNtProcessors =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print Processors\\";
const char* const kWin9xProcessors =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows 4.0\\Print Processors\\";
const char* const kNtPorts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char* const kVendorPorts = "SOFTWARE\\VORTELL\\PRINTERPORT";
const char* const kComMonitor = "AQ COM Monitor";
const char* const kUsbMonitor = "AQ USB Monitor";
const char* const kProcessor = "AQ Print Processor";

const char* const kOsDirs[] = {"win98",   "winnt", "winnt", "winnt",
                               "win2003", "Vista", "Win7",  "Win7x64"};

class InstallSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\QM\\setup.exe");
    ASSERT_GT(LoadSampleMedium("D:\\QM"), 0);
    winsim::SetCurrentDirectory("D:\\QM");
    // Ports the vendor monitors offer once installed.
    winsim::AddPort("AQCOM1:");
    winsim::AddPort("USB_QM-A210_1");
    winsim::AddPort("USB_QM-C3_1");
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
  // The next case of a table on a fresh machine, once the last one has closed its handles.
  void StartOver() {
    TearDown();
    SetUp();
  }

  static void UseOs(TargetOs os) {
    static const DWORD versions[][3] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10}, {VER_PLATFORM_WIN32_NT, 4, 0},
        {VER_PLATFORM_WIN32_NT, 5, 0},       {VER_PLATFORM_WIN32_NT, 5, 1},
        {VER_PLATFORM_WIN32_NT, 5, 2},       {VER_PLATFORM_WIN32_NT, 6, 0},
        {VER_PLATFORM_WIN32_NT, 6, 1},       {VER_PLATFORM_WIN32_NT, 6, 1}};
    winsim::SetVersion(versions[os][0], versions[os][1], versions[os][2]);
    winsim::SetWindows64(os == Win7x64);
    winsim::SetWin9xSpooler(os == 0);
    if (os == 0)
      winsim::SetValue(HKEY_LOCAL_MACHINE,
                       "System\\CurrentControlSet\\Services\\Class\\Ports\\0000", "PortSubClass",
                       REG_BINARY, std::string(1, '\1'));
    else
      winsim::SetValue(HKEY_LOCAL_MACHINE, kNtPorts, "COM1:", REG_SZ,
                       std::string("9600,n,8,1", 11));
  }

  // Fills the install record the way the Install command does for this model, OS and port.
  void Prepare(TargetOs os, const char* port, DriverMode mode = StdMode,
               const char* model = "QM-A210", PrinterModule module = ReceiptModule) {
    UseOs(os);
    ClearSelection(&selection);
    selection.module = module;
    selection.targetOs = os;
    selection.driverMode = mode;
    strcpy(selection.modelName, model);
    strcpy(selection.portName, port);
    selection.portKind = PortKindOf(port);
    selection.setAsDefault = 1;
    selection.serial = SerialSettings{9600, 8, 1.0, 'N', 'x'};
    work = std::make_unique<InstallWorkingData>();
    PrepareInstallRecord(selection, *work);
    if (selection.portKind == UsbPort)
      winsim::SetValue(HKEY_LOCAL_MACHINE, kVendorPorts, "", REG_SZ, std::string(1, '\0'));
  }

  int Run() {
    completion.result = InstallRunning;
    EXPECT_EQ(RunInstallSequence(InstallJob{&selection, work.get(), &completion}), 0);
    return completion.result;
  }

  // The spooler's environment of the system, and its directories and processor keys.
  std::string Environment() const {
    if (selection.targetOs == Win98Me) return "Windows 4.0";
    return selection.targetOs == Win7x64 ? "Windows x64" : "Windows NT x86";
  }
  std::string DriverDirectory() const {
    return winsim::PrinterDriverDirectory(Environment().c_str());
  }
  std::string ProcessorDirectory() const {
    return winsim::PrintProcessorDirectory(Environment().c_str());
  }
  std::string ProcessorKey() const {
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" + Environment() +
           "\\Print Processors\\" + kProcessor;
  }
  std::string Medium(const char* file) const {
    return std::string("D:\\QM\\") + kOsDirs[selection.targetOs] + "\\" + file;
  }
  static DWORD Version(const std::string& key) {
    DWORD value = 0;
    return winsim::GetDword(HKEY_LOCAL_MACHINE, key, "DriverVersion", &value) ? value : 0xFFFFFFFF;
  }
  static std::string Driver(const std::string& key) {
    DWORD type = 0;
    std::string data;
    return winsim::GetValue(HKEY_LOCAL_MACHINE, key, "Driver", &type, &data)
               ? std::string(data.c_str())
               : "<none>";
  }
  // Sets or (null) removes the registered "DriverVersion" of a key.
  static void Register(const std::string& key, const char* value) {
    if (value) {
      DWORD v = static_cast<DWORD>(atoi(value));
      winsim::SetValue(HKEY_LOCAL_MACHINE, key, "DriverVersion", REG_DWORD,
                       std::string(reinterpret_cast<char*>(&v), 4));
    } else {
      HKEY handle;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &handle) ==
          ERROR_SUCCESS) {
        RegDeleteValueA(handle, "DriverVersion");
        RegCloseKey(handle);
      }
    }
  }
  // A monitor or processor of an earlier installation, in the spooler and the registry.
  void InstallOldMonitor(const char* name, const char* dll, const char* version) {
    winsim::WriteFile(winsim::SystemDirectory() + "\\" + dll, "old");
    winsim::MakeMonitorDll(winsim::SystemDirectory() + "\\" + dll);
    MONITOR_INFO_2A info{const_cast<char*>(name),
                         selection.targetOs == 0 ? const_cast<char*>("Windows 4.0") : nullptr,
                         const_cast<char*>(dll)};
    ASSERT_TRUE(AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)));
    Register(kMonitors + std::string(name), version);
    ResetCounts();
  }
  void InstallOldProcessor(const char* version) {
    winsim::WriteFile(winsim::PrintProcessorDirectory() + "\\aqproc.dll", "old");
    winsim::MakeProcessorDll(winsim::PrintProcessorDirectory() + "\\aqproc.dll");
    bool win9x = selection.targetOs == 0;
    ASSERT_TRUE(AddPrintProcessorA(nullptr,
                                   const_cast<char*>(win9x ? "Windows 4.0" : "Windows NT x86"),
                                   const_cast<char*>("aqproc.dll"), const_cast<char*>(kProcessor)));
    Register((win9x ? kWin9xProcessors : kNtProcessors) + std::string(kProcessor), version);
    ResetCounts();
  }
  // Calls made while arranging a test are not the run's.
  void ResetCounts() {
    for (const char* f : {"AddMonitorA", "AddPrintProcessorA", "CopyFileA"})
      baseline[f] = winsim::CallCount(f);
  }
  int Calls(const char* f) { return winsim::CallCount(f) - baseline[f]; }

  SetupSelection selection;
  std::unique_ptr<InstallWorkingData> work;
  InstallCompletion completion;
  std::map<std::string, int> baseline;
};

// ---- Whole installations --------------------------------------------------------------------

struct InstallCase {
  TargetOs os;
  const char* port;
};

class WholeInstallationTest : public InstallSequenceTest,
                              public ::testing::WithParamInterface<InstallCase> {};

TEST_P(WholeInstallationTest, InstallsEverythingTheModelNeeds) {
  const InstallCase& c = GetParam();
  Prepare(c.os, c.port);
  std::string expectedName = work->printerName;
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  int kind = selection.portKind;
  EXPECT_EQ(
      work->message,
      c.os == 0 ? "" : SetupText(kind == UsbPort ? IDS_INSTALLED_REPOWER_PRINTER : IDS_INSTALLED));

  // Driver files beside the spooler, the control font in the version-3 directory (which
  // Windows 98/Me lack: their sections name no font).
  std::string driverDir = DriverDirectory();
  for (const char* file :
       {work->files.configFile, work->files.dataFile, work->files.driverPath, work->files.helpFile})
    EXPECT_EQ(winsim::ReadFile(driverDir + "\\" + file), winsim::ReadFile(Medium(file))) << file;
  EXPECT_EQ(winsim::FileExists(driverDir + "\\3\\AQFONT1.TTF"), c.os != 0);
  winsim::SpoolerDriver driver;
  ASSERT_TRUE(winsim::FindDriver("QM-A210 STD", &driver));
  EXPECT_EQ(driver.environment, Environment());

  // The print processor, registered with the medium's version.
  EXPECT_TRUE(winsim::FileExists(ProcessorDirectory() + "\\aqproc.dll"));
  EXPECT_TRUE(winsim::HasProcessor(Environment(), kProcessor));
  EXPECT_EQ(Version(ProcessorKey()), 4u);

  // The port's monitor: the COM monitor never on Windows 98/Me, the USB monitor never on NT 4.0.
  bool comMonitor = kind == SerialPort && c.os != 0;
  bool usbMonitor = kind == UsbPort && c.os != 1;
  EXPECT_EQ(winsim::HasMonitor(kComMonitor), comMonitor);
  EXPECT_EQ(winsim::HasMonitor(kUsbMonitor), usbMonitor);
  if (comMonitor) {
    EXPECT_EQ(winsim::MonitorDll(kComMonitor), "aqcommon.dll");
    // In the native system directory on 64-bit Windows too, where its spooler looks.
    EXPECT_TRUE(winsim::FileExists(winsim::SystemDirectory() + "\\aqcomui.dll"));
    EXPECT_FALSE(winsim::FileExists(winsim::WindowsDirectory() + "\\SysWOW64\\aqcomui.dll"));
    EXPECT_EQ(Version(kMonitors + std::string(kComMonitor)), 2u);
  }
  if (usbMonitor) {
    EXPECT_EQ(winsim::MonitorDll(kUsbMonitor), c.os == 0 ? "aqusb98.dll" : "aqusbmon.dll");
    EXPECT_EQ(Version(kMonitors + std::string(kUsbMonitor)), 3u);
    DWORD value = 99;
    EXPECT_TRUE(winsim::GetDword(HKEY_LOCAL_MACHINE, kVendorPorts, c.port, &value));
    EXPECT_EQ(value, 0u);
  }

  // The printer under its name, the default printer, the final name in the record.
  winsim::SpoolerPrinter printer;
  ASSERT_TRUE(winsim::FindPrinter(expectedName, &printer));
  EXPECT_EQ(printer.port, c.port);
  EXPECT_EQ(printer.driver, "QM-A210 STD");
  EXPECT_STREQ(selection.modelName, expectedName.c_str());
  if (c.os == 1) {
    char device[300];
    GetPrivateProfileStringA("windows", "device", "", device, sizeof device, "win.ini");
    EXPECT_EQ(std::string(device), expectedName + ",QM-A210 STD," + c.port);
  } else {
    EXPECT_EQ(winsim::DefaultPrinter(), expectedName);
  }

  // Serial settings where the system keeps them; parity lower-cased.
  char profile[64];
  GetPrivateProfileStringA("Ports", "COM1:", "<none>", profile, sizeof profile, "win.ini");
  DWORD type = 0;
  std::string ntValue;
  bool ntWritten = winsim::GetValue(HKEY_LOCAL_MACHINE, kNtPorts, "COM1:", &type, &ntValue);
  std::string dcb;
  bool dcbWritten = winsim::GetValue(HKEY_LOCAL_MACHINE,
                                     "System\\CurrentControlSet\\Services\\Class\\Ports\\0000",
                                     "DCB", &type, &dcb);
  if (kind == SerialPort && c.os == 0) {
    EXPECT_STREQ(profile, "9600,n,8,1,x");
    ASSERT_TRUE(dcbWritten);
    EXPECT_EQ(dcb.size(), 28u);
  } else if (kind == SerialPort) {
    // NT keeps the settings under the COM name the port ends in; other ports keep theirs.
    std::string port = c.port;
    std::string com = port.substr(port.find("COM"));
    std::string written;
    ASSERT_TRUE(winsim::GetValue(HKEY_LOCAL_MACHINE, kNtPorts, com, &type, &written)) << com;
    EXPECT_EQ(std::string(written.c_str()), "9600,n,8,1,x") << com;
    if (com != "COM1:") {
      EXPECT_EQ(std::string(ntValue.c_str()), "9600,n,8,1");
    }
    EXPECT_STREQ(profile, "<none>");
  } else {
    EXPECT_STREQ(profile, "<none>");
    EXPECT_FALSE(dcbWritten);
    if (ntWritten) {
      EXPECT_EQ(std::string(ntValue.c_str()), "9600,n,8,1");
    }
  }

  // The only waits of a first installation: the start and the new processor's settling.
  EXPECT_EQ(winsim::Sleeps(), (std::vector<DWORD>{100, 200}));
  EXPECT_EQ(selection.installFlags, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryOsAndPortKind, WholeInstallationTest,
    ::testing::Values(InstallCase{Win98Me, "COM1:"}, InstallCase{Win98Me, "LPT1:"},
                      InstallCase{Win98Me, "USB_QM-A210_1"}, InstallCase{WinNt4, "AQCOM1:"},
                      InstallCase{WinNt4, "COM2:"}, InstallCase{WinNt4, "LPT1:"},
                      InstallCase{WinNt4, "USB_QM-A210_1"}, InstallCase{Win2000, "AQCOM1:"},
                      InstallCase{Win2000, "LPT1:"}, InstallCase{Win2000, "USB_QM-A210_1"},
                      InstallCase{WinXp, "AQCOM1:"}, InstallCase{WinXp, "LPT1:"},
                      InstallCase{WinXp, "USB_QM-A210_1"}, InstallCase{WinServer2003, "AQCOM1:"},
                      InstallCase{WinServer2003, "LPT1:"},
                      InstallCase{WinServer2003, "USB_QM-A210_1"}, InstallCase{WinVista, "AQCOM1:"},
                      InstallCase{WinVista, "LPT1:"}, InstallCase{WinVista, "USB_QM-A210_1"},
                      InstallCase{Win7, "AQCOM1:"}, InstallCase{Win7, "LPT1:"},
                      InstallCase{Win7, "USB_QM-A210_1"}, InstallCase{Win7x64, "AQCOM1:"},
                      InstallCase{Win7x64, "LPT1:"}, InstallCase{Win7x64, "USB_QM-A210_1"}),
    [](const ::testing::TestParamInfo<InstallCase>& info) {
      std::string port = info.param.port;
      return "Os" + std::to_string(info.param.os) + "_" + port.substr(0, port.find_first_of(":_"));
    });

TEST_F(InstallSequenceTest, Windows98CopiesTheColourLibraryAndTheSystemExtras) {
  Prepare(Win98Me, "LPT1:");
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  std::string driverDir = winsim::PrinterDriverDirectory();
  for (const char* file : {"DMCOLOR.DLL", "ICONLIB.DLL", "UNIDRV.DLL"})
    EXPECT_TRUE(winsim::FileExists(driverDir + "\\" + file)) << file;
}

TEST_F(InstallSequenceTest, TheSystemProcessorIsNeverInstalledNorLookedUp) {
  Prepare(WinXp, "LPT1:", GdiMode);
  ASSERT_STREQ(work->printer.pPrintProcessor, "WinPrint");
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(winsim::CallCount("AddPrintProcessorA"), 0);
  EXPECT_FALSE(winsim::KeyExists(HKEY_LOCAL_MACHINE, std::string(kNtProcessors) + "WinPrint"));
  EXPECT_EQ(winsim::Sleeps(), (std::vector<DWORD>{100}));
  EXPECT_TRUE(winsim::FileExists(winsim::PrinterDriverDirectory() + "\\AQGDIRES.DLL"));
}

TEST_F(InstallSequenceTest, DriverKitModelsGetTheKitFiles) {
  Prepare(WinXp, "LPT1:", GdiMode, "QM-C3", LabelModule);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  for (const char* file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
    EXPECT_TRUE(winsim::FileExists(winsim::PrinterDriverDirectory() + "\\" + file)) << file;
}

TEST_F(InstallSequenceTest, ATakenPrinterNameIsNumberedAndBecomesTheDefault) {
  Prepare(WinXp, "LPT1:");
  ASSERT_EQ(Run(), InstallSucceeded);
  // A second installation of the same model on the same kind of port.
  Prepare(WinXp, "LPT1:");
  work->message.clear();
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_STREQ(selection.modelName, "QM-A210(P)(1)");
  EXPECT_EQ(winsim::DefaultPrinter(), "QM-A210(P)(1)");
  EXPECT_STREQ(work->printerName, "QM-A210(P)") << "the record's own buffer is left as it was";
}

TEST_F(InstallSequenceTest, AUsbPrinterNameThatIsTakenEndsTheRunWithText103) {
  Prepare(WinXp, "USB_QM-A210_1");
  ASSERT_EQ(Run(), InstallSucceeded);
  Prepare(WinXp, "USB_QM-A210_1");
  work->message.clear();
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, "Maximum count of printers using the same port has been reached");
}

TEST_F(InstallSequenceTest, ARunOnAWorkerThreadSetsTheResultOnceAtItsEnd) {
  Prepare(WinVista, "AQCOM1:");
  completion.result = InstallRunning;
  InstallJob job{&selection, work.get(), &completion};
  std::thread worker([job] { RunInstallSequence(job); });
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (completion.result.load() == InstallRunning && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  worker.join();
  EXPECT_EQ(completion.result.load(), InstallSucceeded);
  EXPECT_EQ(work->message, "Successfully installed printer driver");
}

// ---- Failures -----------------------------------------------------------------------------

struct FailureCase {
  const char* name;
  TargetOs os;
  const char* port;
  void (*arrange)(InstallSequenceTest*);
  const char* message;
  InstallFailure failure;
  const char* lastCall;  // a call the run must not have reached
};

class InstallFailureTest : public InstallSequenceTest,
                           public ::testing::WithParamInterface<FailureCase> {
 public:
  SetupSelection& Selection() { return selection; }
  InstallWorkingData& Work() { return *work; }
  void OldComMonitor() { InstallOldMonitor(kComMonitor, "aqcommon.dll", "1"); }
};

TEST_P(InstallFailureTest, EndsWithItsTextAndResult1) {
  const FailureCase& c = GetParam();
  Prepare(c.os, c.port);
  c.arrange(this);
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, c.message);
  EXPECT_EQ(completion.failure, c.failure);
  EXPECT_EQ(winsim::CallCount(c.lastCall), 0) << c.lastCall;
}

void FailCopyOf(const char* destination, DWORD error) {
  winsim::FailCall("CopyFileA", error, 0, destination);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFailureText, InstallFailureTest,
    ::testing::Values(
        FailureCase{
            "MonitorNotAdded", WinXp, "AQCOM1:",
            [](InstallSequenceTest*) { winsim::FailCall("AddMonitorA", ERROR_ACCESS_DENIED); },
            "Add monitor error! Erro code is:5", MonitorFailure, "AddPrintProcessorA"},
        FailureCase{"ProcessorNotAdded", WinXp, "LPT1:",
                    [](InstallSequenceTest*) {
                      winsim::FailCall("AddPrintProcessorA", ERROR_INVALID_PARAMETER);
                    },
                    "Add printer processor error\nFatal error, try rebooting the system.",
                    ProcessorFailure, "EnumPortsA"},
        FailureCase{"PortsNotListed", WinXp, "USB_QM-A210_1",
                    [](InstallSequenceTest*) {
                      winsim::FailCall("EnumPortsA", RPC_S_SERVER_UNAVAILABLE, 2);
                    },
                    "Enum ports error er = 1722", PrinterFailure, "AddPrinterDriverA"},
        FailureCase{"MandatoryFileNameEmpty", WinXp, "LPT1:",
                    [](InstallSequenceTest* t) {
                      static_cast<InstallFailureTest*>(t)->Work().files.helpFile[0] = '\0';
                    },
                    "Lost of driver files, can't continue", DriverFilesFailure,
                    "AddPrinterDriverA"},
        // A missing key reads "0": it passes the emptiness check, is not copied, and the
        // spooler then finds no such file.
        FailureCase{"MandatoryFileKeyMissing", WinXp, "LPT1:",
                    [](InstallSequenceTest* t) {
                      auto& work = static_cast<InstallFailureTest*>(t)->Work();
                      strcpy(work.files.dataFile, "0");
                      work.driver.pDataFile = work.files.dataFile;
                    },
                    "Add printer driver error   er = 2", DriverFailure, "AddPrinterA"},
        FailureCase{"DriverFileNotCopied", WinXp, "LPT1:",
                    [](InstallSequenceTest*) {
                      FailCopyOf("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\AQSTD.DLL",
                                 ERROR_DISK_FULL);
                    },
                    "Copy driver files errorAQSTD.DLL  er = 112D:\\QM\\winnt\\AQSTD.DLL",
                    DriverFilesFailure, "AddPrinterDriverA"},
        FailureCase{"ControlFontNotCopied", WinServer2003, "LPT1:",
                    [](InstallSequenceTest*) {
                      FailCopyOf("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\AQFONT1.TTF",
                                 ERROR_DISK_FULL);
                    },
                    "Copy driver files errorAQFONT1.TTF  er = 112D:\\QM\\win2003\\AQFONT1.TTF",
                    DriverFilesFailure, "AddPrinterDriverA"},
        FailureCase{"ColourLibraryMissing", Win98Me, "LPT1:",
                    [](InstallSequenceTest*) { winsim::RemovePath("D:\\QM\\win98\\DMCOLOR.DLL"); },
                    "Copy driver files errorDMCOLOR.DLL  er = 2D:\\QM\\win98\\DMCOLOR.DLL",
                    DriverFilesFailure, "AddPrinterDriverA"},
        FailureCase{"IconLibraryMissingOnWindows98", Win98Me, "LPT1:",
                    [](InstallSequenceTest*) { winsim::RemovePath("D:\\QM\\win98\\ICONLIB.DLL"); },
                    "Copy driver files errorICONLIB.DLL  er = 2D:\\QM\\win98\\ICONLIB.DLL",
                    DriverFilesFailure, "AddPrinterDriverA"},
        FailureCase{"DriverNotAdded", WinVista, "LPT1:",
                    [](InstallSequenceTest*) {
                      winsim::FailCall("AddPrinterDriverA", ERROR_ACCESS_DENIED);
                    },
                    "Add printer driver error   er = 5", DriverFailure, "AddPrinterA"},
        FailureCase{
            "PrinterNotAdded", Win2000, "LPT1:",
            [](InstallSequenceTest*) { winsim::FailCall("AddPrinterA", ERROR_ACCESS_DENIED); },
            "Add printer errorer = 5", PrinterFailure, "SetDefaultPrinterA"},
        FailureCase{"DriverDirectoryUnavailable", WinXp, "LPT1:",
                    [](InstallSequenceTest*) {
                      winsim::FailCall("GetPrinterDriverDirectoryA", ERROR_INVALID_ENVIRONMENT);
                    },
                    "Cannot get printer driver directory", DriverFilesFailure, "AddPrinterDriverA"},
        FailureCase{
            "NoMemoryForThePortList", WinXp, "USB_QM-A210_1",
            [](InstallSequenceTest*) { winsim::FailCall("LocalAlloc", ERROR_NOT_ENOUGH_MEMORY); },
            "Printer installer could not allocate sufficient memory", SystemFailure,
            "AddPrinterDriverA"},
        FailureCase{"SystemDirectoryUnavailableOnWindows98", Win98Me, "LPT1:",
                    [](InstallSequenceTest*) {
                      winsim::FailCall("GetSystemDirectoryA", ERROR_NOT_ENOUGH_MEMORY);
                    },
                    "Cannot get system directory er= 8", DriverFilesFailure, "AddPrinterDriverA"},
        FailureCase{"WindowsDirectoryUnavailableOnWindows98", Win98Me, "LPT1:",
                    [](InstallSequenceTest*) {
                      winsim::FailCall("GetWindowsDirectoryA", ERROR_ACCESS_DENIED);
                    },
                    "Cannot get windows directory er= 5", DriverFilesFailure, "AddPrinterDriverA"},
        FailureCase{"SpoolerDoesNotStartAfterTheUpdate", WinXp, "AQCOM1:",
                    [](InstallSequenceTest* t) {
                      static_cast<InstallFailureTest*>(t)->OldComMonitor();
                      winsim::FailCall("StartServiceA", ERROR_SERVICE_DISABLED);
                    },
                    "Start spool service error, error code = 1058", SystemFailure,
                    "AddPrinterDriverA"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(InstallSequenceTest, DriverKitWithoutItsResourceFileEndsWithText142) {
  Prepare(WinXp, "LPT1:", GdiMode, "QM-C3", LabelModule);
  work->files.dataFileDll[0] = '\0';
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, "Lost of driver files, can't continue");
  EXPECT_TRUE(winsim::FileExists(winsim::PrinterDriverDirectory() + "\\UNIRES.DLL"))
      << "after the extras";
  EXPECT_EQ(winsim::CallCount("AddPrinterDriverA"), 0);
}

TEST_F(InstallSequenceTest, AMissingKeyReadsAsZeroAndIsNotCopied) {
  Prepare(WinXp, "LPT1:");
  strcpy(work->files.oemUiDll, "0");
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_FALSE(winsim::FileExists(winsim::PrinterDriverDirectory() + "\\0"));
}

TEST_F(InstallSequenceTest, OnWindows98ALeftOverTextReplacesTheSuccessText) {
  Prepare(Win98Me, "COM1:");
  strcpy(selection.modelName, "QM-R80");  // no colour library to check for
  winsim::RemovePath("D:\\QM\\win98\\ICONLIB.DLL");
  EXPECT_EQ(Run(), InstallSucceeded);
  EXPECT_EQ(work->message.rfind("Copy driver files errorICONLIB.DLL", 0), 0u) << work->message;
}

// ---- Outdated components ------------------------------------------------------------------

TEST_F(InstallSequenceTest, ComponentsOfTheMediumsVersionAreLeftAlone) {
  Prepare(WinXp, "AQCOM1:");
  InstallOldMonitor(kComMonitor, "aqcommon.dll", "2");
  InstallOldProcessor("4");
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(winsim::CallCount("ControlService"), 0);
  EXPECT_EQ(Calls("AddMonitorA"), 0);
  EXPECT_EQ(Calls("AddPrintProcessorA"), 0);
  EXPECT_EQ(winsim::ReadFile(winsim::SystemDirectory() + "\\aqcommon.dll"), "old");
  EXPECT_EQ(winsim::Sleeps(), (std::vector<DWORD>{100}));
}

TEST_F(InstallSequenceTest, AnOlderMonitorIsReplacedWhileTheSpoolerIsStopped) {
  struct Case {
    TargetOs os;
    std::vector<DWORD> sleeps;
  } cases[] = {{WinNt4, {100, 100, 500, 1000, 1000}},
               {Win2000, {100, 100, 500, 1000, 1000}},
               {WinXp, {100, 100, 500, 2500, 1000}},
               {WinServer2003, {100, 100, 500, 2500, 1000}},
               {WinVista, {100, 100, 500, 1000}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.os);
    StartOver();
    Prepare(c.os, "AQCOM1:");
    InstallOldMonitor(kComMonitor, "aqcommon.dll", "1");
    InstallOldProcessor("4");
    ASSERT_EQ(Run(), InstallSucceeded) << c.os << work->message;
    EXPECT_EQ(selection.installFlags, ComMonitorOutdated);
    EXPECT_EQ(winsim::ReadFile(winsim::SystemDirectory() + "\\aqcommon.dll"),
              winsim::ReadFile(Medium("aqcommon.dll")));
    EXPECT_EQ(Version(kMonitors + std::string(kComMonitor)), 2u);
    EXPECT_EQ(winsim::Sleeps(), c.sleeps) << c.os;
    EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(winsim::CallCount("ControlService"), 1);
  }
}

TEST_F(InstallSequenceTest, TheVendorPortValueIsNotWrittenWhenItsKeyIsAbsent) {
  Prepare(WinXp, "USB_QM-A210_1");
  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kVendorPorts), ERROR_SUCCESS);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_FALSE(winsim::KeyExists(HKEY_LOCAL_MACHINE, kVendorPorts));
}

TEST_F(InstallSequenceTest, AWindows98PortNameWithoutADigitGetsItsProfileEntryButNoClassKey) {
  winsim::AddPort("COMX:");
  Prepare(Win98Me, "COMX:");
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  char profile[64];
  GetPrivateProfileStringA("Ports", "COMX:", "<none>", profile, sizeof profile, "win.ini");
  EXPECT_STREQ(profile, "9600,n,8,1,x");
  DWORD type = 0;
  std::string dcb;
  EXPECT_FALSE(winsim::GetValue(HKEY_LOCAL_MACHINE,
                                "System\\CurrentControlSet\\Services\\Class\\Ports\\0000", "DCB",
                                &type, &dcb));
}

TEST_F(InstallSequenceTest, AMonitorWithoutAVersionValueIsOutdated) {
  Prepare(WinXp, "USB_QM-A210_1");
  InstallOldMonitor(kUsbMonitor, "aqusbmon.dll", nullptr);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(selection.installFlags, UsbMonitorOutdated);
  EXPECT_EQ(Driver(kMonitors + std::string(kUsbMonitor)), "aqusbmon.dll");
  EXPECT_EQ(Version(kMonitors + std::string(kUsbMonitor)), 3u);
}

TEST_F(InstallSequenceTest, AnOlderProcessorIsReplacedInTheProcessorDirectory) {
  Prepare(WinServer2003, "LPT1:");
  InstallOldProcessor("3");
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(selection.installFlags, ProcessorOutdated);
  EXPECT_EQ(winsim::ReadFile(winsim::PrintProcessorDirectory() + "\\aqproc.dll"),
            winsim::ReadFile(Medium("aqproc.dll")));
  EXPECT_EQ(Version(kNtProcessors + std::string(kProcessor)), 4u);
}

TEST_F(InstallSequenceTest, AProcessorWithoutAVersionValueIsOutdated) {
  Prepare(Win2000, "LPT1:");
  InstallOldProcessor(nullptr);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(selection.installFlags, ProcessorOutdated);
  EXPECT_EQ(Version(kNtProcessors + std::string(kProcessor)), 4u);
}

TEST_F(InstallSequenceTest, AProcessorWithoutANameIsNotTakenForTheListOfProcessors) {
  Prepare(WinXp, "LPT1:");
  InstallOldProcessor("9");
  StepMessage message;
  EXPECT_EQ(InstallPrintProcessor(work->config, WinXp, "", "aqproc.dll", message),
            InstallStepFailed);
  EXPECT_EQ(message.text, "Add printer processor error\nFatal error, try rebooting the system.");
}

TEST_F(InstallSequenceTest, WithBothOutdatedOnlyTheMonitorIsReplaced) {
  Prepare(WinXp, "AQCOM1:");
  InstallOldMonitor(kComMonitor, "aqcommon.dll", "1");
  InstallOldProcessor("3");
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(selection.installFlags, ComMonitorOutdated | ProcessorOutdated);
  EXPECT_EQ(Version(kMonitors + std::string(kComMonitor)), 2u);
  EXPECT_EQ(Version(kNtProcessors + std::string(kProcessor)), 3u);
  EXPECT_EQ(winsim::ReadFile(winsim::PrintProcessorDirectory() + "\\aqproc.dll"), "old");
}

TEST_F(InstallSequenceTest, ASpoolerSlowerThanThreeSecondsEndsTheRun) {
  Prepare(WinXp, "AQCOM1:");
  InstallOldMonitor(kComMonitor, "aqcommon.dll", "1");
  // Counted from the first start: 2.5 s and 1 s of fixed pauses, then 3 s of polls.
  winsim::SetSpoolerStartDelay(6600);
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, "StartSpoolService error");
  EXPECT_EQ(winsim::CallCount("StartServiceA"), 3);
  EXPECT_EQ(Calls("CopyFileA"), 2) << "processor and monitor, no driver file";
  std::vector<DWORD> sleeps = winsim::Sleeps();
  EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 300u), 10);
}

TEST_F(InstallSequenceTest, UpdateFailuresLeaveTheSpoolerStopped) {
  Prepare(WinXp, "AQCOM1:");
  InstallOldMonitor(kComMonitor, "aqcommon.dll", "1");
  FailCopyOf("C:\\WINDOWS\\system32\\aqcommon.dll", ERROR_DISK_FULL);
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message,
            "Copy driver files erroraqcommon.dll  er = 112D:\\QM\\winnt\\aqcommon.dll");
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(Version(kMonitors + std::string(kComMonitor)), 1u);
}

TEST_F(InstallSequenceTest, AFailedProcessorUpdateCopyLeavesTheSpoolerStopped) {
  Prepare(WinXp, "LPT1:");
  InstallOldProcessor("3");
  FailCopyOf("C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86\\aqproc.dll", ERROR_DISK_FULL);
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, "Copy driver files errorD:\\QM\\winnt\\aqproc.dll");
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(InstallSequenceTest, AnUpdateWithoutTheCurrentDirectoryLeavesTheSpoolerStopped) {
  Prepare(WinXp, "LPT1:");
  InstallOldProcessor("3");
  winsim::FailCall("GetCurrentDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, "Cannot get current system directory");
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(InstallSequenceTest, AProcessorDirectoryThatCannotBeHadStopsBeforeTheSpoolerIsTouched) {
  Prepare(WinXp, "LPT1:");
  InstallOldProcessor("3");
  winsim::FailCall("GetPrintProcessorDirectoryA", ERROR_INVALID_ENVIRONMENT);
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, "Cannot get printer processor directory");
  EXPECT_EQ(winsim::CallCount("OpenSCManagerA"), 0);
}

TEST_F(InstallSequenceTest, AnNtUpdateCopyOfAFileInUseGoesOnButKeepsTheOldVersion) {
  Prepare(WinXp, "AQCOM1:");
  InstallOldMonitor(kComMonitor, "aqcommon.dll", "1");
  winsim::SetFileInUse(winsim::SystemDirectory() + "\\aqcommon.dll", true);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(winsim::ReadFile(winsim::SystemDirectory() + "\\aqcommon.dll"), "old");
  EXPECT_EQ(Version(kMonitors + std::string(kComMonitor)), 1u)
      << "the old DLL stayed, so the next run must still see it as outdated";
}

TEST_F(InstallSequenceTest, AnNtUpdateCopyOfAProtectedFileGoesOnButKeepsTheOldVersion) {
  Prepare(WinXp, "USB_QM-A210_1");
  InstallOldMonitor(kUsbMonitor, "aqusbmon.dll", "1");
  winsim::SetFileProtected(winsim::SystemDirectory() + "\\aqusbmon.dll", true);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(Version(kMonitors + std::string(kUsbMonitor)), 1u);
}

TEST_F(InstallSequenceTest, AMonitorDllInUseAtFirstInstallIsRegisteredUnderItsPrefixedName) {
  Prepare(WinXp, "AQCOM1:");
  winsim::WriteFile(winsim::SystemDirectory() + "\\aqcommon.dll", "loaded");
  winsim::SetFileInUse(winsim::SystemDirectory() + "\\aqcommon.dll", true);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(winsim::MonitorDll(kComMonitor), "naqcommon.dll");
  EXPECT_EQ(winsim::ReadFile(winsim::SystemDirectory() + "\\naqcommon.dll"),
            winsim::ReadFile(Medium("aqcommon.dll")));
}

TEST_F(InstallSequenceTest, Windows98UpdatesAFileInUseThroughItsPrefixedCopy) {
  Prepare(Win98Me, "USB_QM-A210_1");
  InstallOldMonitor(kUsbMonitor, "aqusb98.dll", "1");
  winsim::SetFileInUse(winsim::SystemDirectory() + "\\aqusb98.dll", true);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(Driver(kMonitors + std::string(kUsbMonitor)), "naqusb98.dll");
  EXPECT_EQ(Version(kMonitors + std::string(kUsbMonitor)), 3u);
  EXPECT_EQ(winsim::CallCount("ControlService"), 0) << "no spooler service on Windows 98/Me";
}

TEST_F(InstallSequenceTest, Windows98UpdatesAProcessorInUseThroughItsPrefixedCopy) {
  Prepare(Win98Me, "LPT1:");
  InstallOldProcessor("2");
  winsim::SetFileInUse(winsim::PrintProcessorDirectory() + "\\aqproc.dll", true);
  ASSERT_EQ(Run(), InstallSucceeded) << work->message;
  EXPECT_EQ(Driver(kWin9xProcessors + std::string(kProcessor)), "naqproc.dll");
  EXPECT_EQ(Version(kWin9xProcessors + std::string(kProcessor)), 4u);
}

TEST_F(InstallSequenceTest, Windows98WithThePrefixedCopyInUseTooEndsWithText141) {
  Prepare(Win98Me, "USB_QM-A210_1");
  InstallOldMonitor(kUsbMonitor, "aqusb98.dll", "1");
  for (const char* file : {"aqusb98.dll", "naqusb98.dll"}) {
    winsim::WriteFile(winsim::SystemDirectory() + "\\" + file, "loaded");
    winsim::SetFileInUse(winsim::SystemDirectory() + "\\" + file, true);
  }
  EXPECT_EQ(Run(), InstallFailed);
  EXPECT_EQ(work->message, "Fatal error, try rebooting the system");
  EXPECT_EQ(Version(kMonitors + std::string(kUsbMonitor)), 1u);
}

}  // namespace
