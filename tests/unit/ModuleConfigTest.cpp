#include "package/ModuleConfig.h"

#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The names and items of a double-NUL-terminated list.
std::vector<std::string> Items(const char* list) {
  std::vector<std::string> items;
  for (const char* p = list; p && *p; p += strlen(p) + 1) items.push_back(p);
  return items;
}

class ModuleConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    winsim::SetModuleFileName("D:\\setup.exe");
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
  void Setup(const std::string& text) { winsim::WriteFile("D:\\DRVCONFIG\\setup.ini", text); }
  void Module(const char* name, const std::string& text) { winsim::WriteFile(std::string("D:\\DRVCONFIG\\") + name, text); }
};

TEST_F(ModuleConfigTest, DeviceNamesGiveModelAndModuleBySuffix) {
  Setup(
      "[DEVICENAME]\r\nDEVICENUMBER=4\r\nDEFAULTNAME=2\r\n"
      "DEVICENAME1=QM-A210-ReceiptPrinter\r\nDEVICENAME2=QM-B220-TicketPrinter\r\n"
      "DEVICENAME3=Foo-ReceiptPrinter-LabelPrinter\r\nDEVICENAME4=QM-X-Printer\r\n");
  ModuleConfig config;
  EXPECT_EQ(config.GetDeviceCount(), 4);
  char name[200];
  EXPECT_EQ(config.GetDeviceName(2, name), TicketModule);
  EXPECT_STREQ(name, "QM-B220");
  EXPECT_EQ(config.GetDeviceName(3, name), ReceiptModule) << "the receipt suffix is searched first";
  EXPECT_STREQ(name, "Foo");
  EXPECT_EQ(config.GetDeviceName(4, name), -1);
  EXPECT_STREQ(name, "QM-X-Printer");
  EXPECT_EQ(config.GetDeviceName(9, name), -1);
  EXPECT_STREQ(name, "0") << "a missing entry reads as its default";
  char fallback[260];
  EXPECT_EQ(config.GetDefaultDevice(fallback), TicketModule);
  EXPECT_STREQ(fallback, "QM-B220");
}

TEST_F(ModuleConfigTest, MissingSetupIniReadsAsDefaults) {
  ModuleConfig config;
  EXPECT_EQ(config.GetDeviceCount(), 0);
  EXPECT_EQ(config.ReadProcessorVersion(), 0);
  char name[260];
  EXPECT_EQ(config.GetDefaultDevice(name), -1);
  MonitorSet monitors;
  memset(&monitors, 0x55, sizeof monitors);
  config.ReadMonitorSet(WinXp, &monitors);
  EXPECT_STREQ(monitors.usbMonitor.pName, "0");
  EXPECT_STREQ(monitors.serialMonitor.pDLLName, "0");
  EXPECT_STREQ(monitors.usbMonitorUiDll, "0");
  EXPECT_EQ(monitors.usbMonitorVersion, 0);
  EXPECT_EQ(monitors.serialMonitor.pEnvironment, nullptr);
}

TEST_F(ModuleConfigTest, MonitorSetComesFromTheSectionOfTheOs) {
  Setup(
      "[COMMON-MONITOR.98]\r\nUSBMONitorPName=USB 98\r\nCOMMONitorPName=COM 98\r\nUSBMONitorVersion=5\r\n"
      "[COMMON-MONITOR.Vista]\r\nUSBMONitorPName=USB Vista\r\nUSBMONitorPDLLName=usbv.dll\r\n"
      "USBMONitorPUIDLLName=usbvui.dll\r\nUSBMONitorVersion=7x\r\nCOMMONitorVersion=12\r\n"
      "[COMMON-MONITOR]\r\nUSBMONitorPName=bare\r\n");
  ModuleConfig config;
  MonitorSet monitors;
  config.ReadMonitorSet(Win98Me, &monitors);
  EXPECT_STREQ(monitors.usbMonitor.pName, "USB 98");
  EXPECT_STREQ(monitors.serialMonitor.pName, "COM 98");
  EXPECT_STREQ(monitors.usbMonitor.pEnvironment, "Windows 4.0");
  EXPECT_STREQ(monitors.serialMonitor.pEnvironment, "Windows 4.0");
  EXPECT_EQ(monitors.usbMonitorVersion, 5);
  config.ReadMonitorSet(WinVista, &monitors);
  EXPECT_STREQ(monitors.usbMonitor.pDLLName, "usbv.dll");
  EXPECT_STREQ(monitors.usbMonitorUiDll, "usbvui.dll");
  EXPECT_EQ(monitors.usbMonitorVersion, 7);
  EXPECT_EQ(monitors.serialMonitorVersion, 12);
  EXPECT_EQ(monitors.usbMonitor.pEnvironment, nullptr);
  config.ReadMonitorSet(static_cast<TargetOs>(9), &monitors);
  EXPECT_STREQ(monitors.usbMonitor.pName, "bare");
}

TEST_F(ModuleConfigTest, NamesAreReadWithTheirCapacities) {
  std::string longName(120, 'M');
  std::string longDll(260, 'd');
  Setup("[COMMON-MONITOR.XP]\r\nUSBMONitorPName=" + longName + "\r\nUSBMONitorPDLLName=" + longDll +
        "\r\nUSBMONitorPUIDLLName=" + longName + "\r\nUSBMONitorVersion=123456789012\r\n"
        "[ProcessorVersion]\r\nDriverVersion=99999999999999999999\r\n");
  ModuleConfig config;
  MonitorSet monitors;
  config.ReadMonitorSet(WinXp, &monitors);
  EXPECT_EQ(std::string(monitors.usbMonitor.pName), longName.substr(0, 49));
  EXPECT_EQ(std::string(monitors.usbMonitor.pDLLName), longDll.substr(0, 199));
  EXPECT_EQ(std::string(monitors.usbMonitorUiDll), longName.substr(0, 49));
  EXPECT_EQ(monitors.usbMonitorVersion, 123456789) << "a version is read with capacity 10";
  EXPECT_EQ(config.ReadProcessorVersion(), 2147483647) << "an overlong number is held at the limit";
}

const char* kTicketIni =
    "[QM-B220.XP]\r\n"
    "STDDriverName=QM-B220 STD\r\nSTDDriverPath=AQSTD.DLL\r\nSTDDataFile=QMB220.GPD\r\n"
    "STDConfigFile=AQSTDUI.DLL\r\nSTDHelpFile=AQSTD.HLP\r\nSTDPrintProcessor=AQ Proc\r\n"
    "STDProcessorDLLName=aqproc.dll\r\n"
    "GDIDriverName=QM-B220 GDI\r\nGDIDriverPath=AQGDI.DLL\r\nGDIDataFile=QMB220G.GPD\r\n"
    "GDIConfigFile=AQGDIUI.DLL\r\nGDIHelpFile=AQGDI.HLP\r\nGDIDataFileDLLName=AQRES.DLL\r\n"
    "GDIDataOemuiDLL=0\r\nGDIDataOemuniDLL=AQUNI.DLL\r\nGDIDataOemuniini=AQ.INI\r\n"
    "GDIPrintProcessor=WinPrint\r\nControlFontFile=AQ.TTF\r\nATTRIBUTES=576\r\nGDI2KDDKDEV=1\r\n"
    "[QM-B220.NT]\r\nGDIDriverName=NT GDI\r\nGDIDataFile=NT.GPD\r\nGDI2KDDKDEV=1\r\nATTRIBUTES=0x240\r\n"
    "[QM-B220.98]\r\nSTDDriverName=98 STD\r\nGDI2KDDKDEV=2\r\nSTD2KDDKDEV=2\r\n"
    "[QM-B220.2003]\r\nSTD2KDDKDEV=1\r\n";

TEST_F(ModuleConfigTest, DriverInfoOfXpBuildsTheDependentFilesList) {
  Module("setup_ticket.ini", kTicketIni);
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  config.ReadDriverInfo(TicketModule, "QM-B220", WinXp, &info, GdiMode);
  EXPECT_EQ(info.cVersion, 3u);
  EXPECT_STREQ(info.pName, "QM-B220 GDI");
  EXPECT_EQ(info.pEnvironment, nullptr);
  EXPECT_STREQ(info.pDriverPath, "AQGDI.DLL");
  EXPECT_STREQ(info.pDataFile, "QMB220G.GPD");
  EXPECT_STREQ(info.pConfigFile, "AQGDIUI.DLL");
  EXPECT_STREQ(info.pHelpFile, "AQGDI.HLP");
  EXPECT_EQ(info.pMonitorName, nullptr);
  EXPECT_EQ(info.pDefaultDataType, nullptr);
  // The OEM UI DLL is "0" and so left out.
  EXPECT_EQ(Items(info.pDependentFiles),
            (std::vector<std::string>{"QMB220G.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                      "AQRES.DLL", "AQUNI.DLL", "AQ.INI"}));
}

TEST_F(ModuleConfigTest, ABlankPlugInValueIsLeftOutAndTheNamesAfterItStay) {
  std::string ini = kTicketIni;
  for (const char* blanked : {"GDIDataFileDLLName=AQRES.DLL", "GDIDataOemuniDLL=AQUNI.DLL"})
    ini.replace(ini.find(blanked), strlen(blanked), std::string(blanked, strchr(blanked, '=') + 1));
  Module("setup_ticket.ini", ini.c_str());
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  config.ReadDriverInfo(TicketModule, "QM-B220", WinXp, &info, GdiMode);
  EXPECT_EQ(Items(info.pDependentFiles),
            (std::vector<std::string>{"QMB220G.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                      "AQ.INI"}));
}

TEST_F(ModuleConfigTest, MediumRootGivenToTheReaderReplacesPackageRoot) {
  winsim::WriteFile("E:\\Medium\\DRVCONFIG\\setup.ini",
                    "[ProcessorVersion]\r\nDriverVersion=7\r\n");
  EXPECT_EQ(ModuleConfig("E:\\Medium\\").ReadProcessorVersion(), 7);
  EXPECT_EQ(ModuleConfig().ReadProcessorVersion(), 0) << "D:\\DRVCONFIG has none";
}

TEST_F(ModuleConfigTest, StdReadUsesTheGdiKitKeyForTheList) {
  Module("setup_ticket.ini", kTicketIni);
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  config.ReadDriverInfo(TicketModule, "QM-B220", WinXp, &info, StdMode);
  EXPECT_STREQ(info.pName, "QM-B220 STD");
  // STD has no plug-in keys: they read "0" and are left out.
  EXPECT_EQ(Items(info.pDependentFiles),
            (std::vector<std::string>{"QMB220.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}));
  EXPECT_FALSE(config.UsesDdkDriver(TicketModule, "QM-B220", WinXp, StdMode));
  EXPECT_TRUE(config.UsesDdkDriver(TicketModule, "QM-B220", WinXp, GdiMode));
}

TEST_F(ModuleConfigTest, Nt4AndWin98GetNoDependentFilesAndTheirOwnVersion) {
  Module("setup_ticket.ini", kTicketIni);
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  config.ReadDriverInfo(TicketModule, "QM-B220", WinNt4, &info, GdiMode);
  EXPECT_EQ(info.cVersion, 2u);
  EXPECT_STREQ(info.pName, "NT GDI");
  EXPECT_TRUE(Items(info.pDependentFiles).empty());
  config.ReadDriverInfo(TicketModule, "QM-B220", Win98Me, &info, StdMode);
  EXPECT_EQ(info.cVersion, 0u);
  EXPECT_STREQ(info.pEnvironment, "Windows 4.0");
  EXPECT_STREQ(info.pName, "98 STD");
  EXPECT_STREQ(info.pDriverPath, "0") << "missing keys read as \"0\"";
  EXPECT_TRUE(Items(info.pDependentFiles).empty());
}

TEST_F(ModuleConfigTest, KitKeyOfTwoCountsForTheListButNotForUsesDdkDriver) {
  std::string ini = std::string(kTicketIni) + "[QM-B220.2K]\r\nGDI2KDDKDEV=2\r\nSTD2KDDKDEV=2\r\nGDIDataFile=2K.GPD\r\n";
  Module("setup_ticket.ini", ini);
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  config.ReadDriverInfo(TicketModule, "QM-B220", Win2000, &info, GdiMode);
  EXPECT_EQ(Items(info.pDependentFiles),
            (std::vector<std::string>{"2K.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"}));
  EXPECT_FALSE(config.UsesDdkDriver(TicketModule, "QM-B220", Win2000, GdiMode));
  EXPECT_FALSE(config.UsesDdkDriver(TicketModule, "QM-B220", Win2000, StdMode));
  EXPECT_TRUE(config.UsesDdkDriver(TicketModule, "QM-B220", WinServer2003, StdMode));
  EXPECT_FALSE(config.UsesDdkDriver(TicketModule, "QM-B220", WinServer2003, static_cast<DriverMode>(7)));
}

TEST_F(ModuleConfigTest, PrinterInfoTakesDriverProcessorAndDecimalAttributes) {
  Module("setup_ticket.ini", kTicketIni);
  ModuleConfig config;
  PRINTER_INFO_2A info = {};
  config.ReadPrinterInfo(TicketModule, "QM-B220", WinXp, &info, StdMode);
  EXPECT_STREQ(info.pPrinterName, "QM-B220");
  EXPECT_STREQ(info.pDriverName, "QM-B220 STD") << "STDDRIVERNAME is STDDriverName";
  EXPECT_STREQ(info.pPrintProcessor, "AQ Proc");
  EXPECT_EQ(info.Attributes, 576u);
  EXPECT_EQ(info.pPortName, nullptr);
  config.ReadPrinterInfo(TicketModule, "QM-B220", WinNt4, &info, GdiMode);
  EXPECT_EQ(info.Attributes, 0u) << "0x240 is not decimal";
  EXPECT_STREQ(info.pPrintProcessor, "0");
}

TEST_F(ModuleConfigTest, DriverFilesFillTheTableInItsSlots) {
  Module("setup_ticket.ini", kTicketIni);
  ModuleConfig config;
  DriverFileSet files;
  memset(&files, 0, sizeof files);
  config.ReadDriverFiles(TicketModule, "QM-B220", WinXp, &files, GdiMode);
  EXPECT_STREQ(files.driverPath, "AQGDI.DLL");
  EXPECT_STREQ(files.dataFile, "QMB220G.GPD");
  EXPECT_STREQ(files.configFile, "AQGDIUI.DLL");
  EXPECT_STREQ(files.helpFile, "AQGDI.HLP");
  EXPECT_STREQ(files.sequenceFile, "");
  EXPECT_STREQ(files.processorDll, "0");
  EXPECT_STREQ(files.dataFileDll, "AQRES.DLL");
  EXPECT_STREQ(files.oemRenderingDll, "AQUNI.DLL");
  EXPECT_STREQ(files.oemPluginIni, "AQ.INI");
  EXPECT_STREQ(files.oemUiDll, "0");
  EXPECT_STREQ(files.controlFontFile, "AQ.TTF");
  memset(&files, 0, sizeof files);
  config.ReadDriverFiles(TicketModule, "QM-B220", WinXp, &files, static_cast<DriverMode>(5));
  EXPECT_STREQ(files.driverPath, "") << "another mode reads nothing";
}

TEST_F(ModuleConfigTest, ModuleOrOsOutOfRangeReadsDefaults) {
  Module("setup_ticket.ini", kTicketIni);
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  info.cVersion = 42;
  config.ReadDriverInfo(static_cast<PrinterModule>(7), "QM-B220", WinXp, &info, GdiMode);
  EXPECT_STREQ(info.pName, "0");
  config.ReadDriverInfo(TicketModule, "QM-B220", static_cast<TargetOs>(6), &info, GdiMode);
  EXPECT_EQ(info.cVersion, 3u) << "left as the previous read set it";
  EXPECT_STREQ(info.pName, "0");
  info.cVersion = 42;
  config.ReadDriverInfo(TicketModule, "QM-B220", UnsupportedPlatform, &info, GdiMode);
  EXPECT_EQ(info.cVersion, 42u);
}

TEST_F(ModuleConfigTest, AllFourModuleFilesAreFoundUnderBothSpellings) {
  Module("SETUP_RECEIPT.INI", "[A.XP]\r\nSTDDriverName=receipt\r\n");
  Module("setup_Ticket.ini", "[A.XP]\r\nSTDDriverName=ticket\r\n");
  Module("setup_Lable.ini", "[A.XP]\r\nSTDDriverName=label\r\n");
  Module("setup_Embedded.ini", "[A.XP]\r\nSTDDriverName=embedded\r\n");
  ModuleConfig config;
  const char* expected[] = {"receipt", "ticket", "label", "embedded"};
  for (PrinterModule module : kPrinterModules) {
    DRIVER_INFO_3A info = {};
    config.ReadDriverInfo(module, "A", WinXp, &info, StdMode);
    EXPECT_STREQ(info.pName, expected[module]);
  }
}

TEST_F(ModuleConfigTest, OverlongValuesAndModelNamesAreCutAtEveryCapacity) {
  std::string huge(400, 'x');
  std::string model(300, 'Q');
  std::string ini = "[" + model.substr(0, 200) + ".XP]\r\n";
  for (const char* key : {"GDIDriverName", "GDIDriverPath", "GDIDataFile", "GDIConfigFile", "GDIHelpFile",
                          "GDIDataFileDLLName", "GDIDataOemuiDLL", "GDIDataOemuniDLL", "GDIDataOemuniini",
                          "GDIProcessorDLLName", "ControlFontFile", "GDIPrintProcessor", "ATTRIBUTES"})
    ini += std::string(key) + "=" + huge + "\r\n";
  ini += "GDI2KDDKDEV=1\r\n";
  Module("setup_receipt.ini", ini);
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  PRINTER_INFO_2A printer = {};
  DriverFileSet files;
  memset(&files, 0, sizeof files);
  // A 300-character model name: the printer name is cut to 199 characters.
  config.ReadPrinterInfo(ReceiptModule, model.c_str(), WinXp, &printer, GdiMode);
  EXPECT_EQ(std::string(printer.pPrinterName), model.substr(0, 199));
  // 199-character model: its section name fits and every value is cut to its capacity.
  std::string fitting = model.substr(0, 200);
  config.ReadDriverInfo(ReceiptModule, fitting.c_str(), WinXp, &info, GdiMode);
  config.ReadPrinterInfo(ReceiptModule, fitting.c_str(), WinXp, &printer, GdiMode);
  config.ReadDriverFiles(ReceiptModule, fitting.c_str(), WinXp, &files, GdiMode);
  EXPECT_EQ(strlen(info.pName), 49u);
  EXPECT_EQ(strlen(info.pDriverPath), 199u);
  EXPECT_EQ(strlen(printer.pDriverName), 49u);
  EXPECT_EQ(strlen(printer.pPrintProcessor), 49u);
  EXPECT_EQ(strlen(files.controlFontFile), 199u);
  EXPECT_EQ(strlen(files.oemUiDll), 199u);
  // A 199-character data file fills the 200-byte list alone: nothing fits and the list
  // stays empty instead of running past its end.
  EXPECT_TRUE(Items(info.pDependentFiles).empty());
}

TEST_F(ModuleConfigTest, DependentFilesListStopsAtTheFirstNameThatDoesNotFit) {
  // Data file of 170 characters: with "TTFSUB.GPD" (11) and "UNIRES.DLL" (11) the list holds
  // 193 bytes; "STDNAMES.GPD" (13) plus the two closing NULs would pass 200.
  std::string ini = "[M.XP]\r\nGDIDataFile=" + std::string(170, 'f') + "\r\nGDIDataFileDLLName=R.DLL\r\nGDI2KDDKDEV=1\r\n";
  Module("setup_receipt.ini", ini);
  ModuleConfig config;
  DRIVER_INFO_3A info = {};
  config.ReadDriverInfo(ReceiptModule, "M", WinXp, &info, GdiMode);
  EXPECT_EQ(Items(info.pDependentFiles),
            (std::vector<std::string>{std::string(170, 'f'), "TTFSUB.GPD", "UNIRES.DLL"}));
}

// Every model, OS and mode of the sample medium, against the INI text itself.
TEST_F(ModuleConfigTest, SampleMediumReadsForEveryModelOsAndMode) {
  ASSERT_GT(winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", "D:\\"), 20);
  ModuleConfig config;
  int count = config.GetDeviceCount();
  ASSERT_GE(count, 6);
  int modules[4] = {};
  const char* const moduleInis[] = {"setup_receipt.ini", "setup_Ticket.ini", "setup_Lable.ini",
                                    "setup_Embedded.ini"};
  const char* const osDirs[] = {"win98", "winnt",   "winnt", "winnt",
                                "win2003", "Vista", "Win7",  "Win7x64"};
  for (int n = 1; n <= count; ++n) {
    char model[200];
    PrinterModule module = config.GetDeviceName(n, model);
    if (module == NoModule) continue;
    ++modules[module];
    std::string iniPath = std::string("D:\\DRVCONFIG\\") + moduleInis[module];
    auto key = [&](const std::string& section, const char* name, const char* fallback = "0") {
      char text[300];
      GetPrivateProfileStringA(section.c_str(), name, fallback, text, sizeof text, iniPath.c_str());
      return std::string(text);
    };
    for (TargetOs os : kTargetOses) {
      std::string section = std::string(model) + OsSectionSuffix(os);
      // Windows 7 and later only for the models whose port section claims them.
      const char* claim = os == Win7 ? "System7Supported" : "System7x64Supported";
      if (IsWindows7OrLater(os) && key(std::string(model) + ".PORT", claim) == "0") continue;
      ASSERT_NE(key(section, "STDDriverName"), "0") << section << " is missing from the medium";
      for (DriverMode mode : {StdMode, GdiMode}) {
        std::string prefix = mode == StdMode ? "STD" : "GDI";
        DRIVER_INFO_3A driver = {};
        PRINTER_INFO_2A printer = {};
        DriverFileSet files;
        memset(&files, 0, sizeof files);
        config.ReadDriverFiles(module, model, os, &files, mode);
        config.ReadDriverInfo(module, model, os, &driver, mode);
        config.ReadPrinterInfo(module, model, os, &printer, mode);
        SCOPED_TRACE(section + " " + prefix);
        EXPECT_EQ(driver.pName, key(section, (prefix + "DriverName").c_str()));
        EXPECT_EQ(printer.pDriverName, std::string(driver.pName));
        EXPECT_EQ(driver.pDriverPath, key(section, (prefix + "DriverPath").c_str()));
        EXPECT_EQ(files.driverPath, std::string(driver.pDriverPath));
        EXPECT_EQ(files.dataFile, key(section, (prefix + "DataFile").c_str()));
        EXPECT_EQ(files.processorDll, key(section, (prefix + "ProcessorDLLName").c_str()));
        EXPECT_EQ(files.controlFontFile, key(section, "ControlFontFile"));
        EXPECT_EQ(printer.pPrintProcessor, key(section, (prefix + "PrintProcessor").c_str()));
        EXPECT_EQ(printer.Attributes, static_cast<DWORD>(atoi(key(section, "ATTRIBUTES").c_str())));
        EXPECT_EQ(driver.cVersion, os == Win98Me ? 0u : os == WinNt4 ? 2u : 3u);
        bool kit = key(section, "GDI2KDDKDEV") != "0" && os >= Win2000;
        std::vector<std::string> dependents = Items(driver.pDependentFiles);
        EXPECT_EQ(dependents.empty(), !kit);
        if (kit) {
          EXPECT_EQ(dependents[0], files.dataFile);
        }
        EXPECT_EQ(config.UsesDdkDriver(module, model, os, mode), key(section, (prefix + "2KDDKDEV").c_str())[0] == '1');
        // Every file the table names is on the medium, in the driver directory of the OS.
        for (const char* file : {files.driverPath, files.dataFile, files.configFile, files.helpFile,
                                 files.processorDll, files.dataFileDll, files.oemUiDll,
                                 files.oemRenderingDll, files.oemPluginIni, files.controlFontFile}) {
          if (file[0] == '0') continue;
          EXPECT_TRUE(winsim::FileExists(std::string("D:\\") + osDirs[os] + "\\" + file)) << file;
        }
      }
    }
    std::string port = std::string(model) + ".PORT";
    for (const char* portKey : {"USBSUPPORTED", "LPTDEFAULT", "AdvancedSetup", "System2003Supported", "SystemVistaSupported"})
      EXPECT_NE(key(port, portKey, "<missing>"), "<missing>") << port << " " << portKey;
  }
  for (int module = 0; module < 4; ++module) EXPECT_GT(modules[module], 0) << "module " << module;
  char fallback[260];
  EXPECT_GE(config.GetDefaultDevice(fallback), 0);
  for (TargetOs os : kTargetOses) {
    MonitorSet monitors;
    config.ReadMonitorSet(os, &monitors);
    EXPECT_NE(std::string(monitors.usbMonitor.pName), "0");
    EXPECT_GT(monitors.usbMonitorVersion, 0);
    EXPECT_GT(monitors.serialMonitorVersion, 0);
    const char* dir = osDirs[os];
    const char* monitorFiles[] = {monitors.usbMonitor.pDLLName, monitors.serialMonitor.pDLLName,
                                  monitors.usbMonitorUiDll, monitors.serialMonitorUiDll};
    for (const char* file : monitorFiles)
      EXPECT_TRUE(winsim::FileExists(std::string("D:\\") + dir + "\\" + file)) << file;
  }
  EXPECT_GT(config.ReadProcessorVersion(), 0);
}

}  // namespace

namespace {

// What the list holds is checked through ReadDriverInfo above; here the size the checker asks.
TEST(DependentFilesTest, AnswersTheWholeListsSizeWithoutTheBlankNamesItLeavesOut) {
  const std::string longName(160, 'L');
  const char* const blanks[4] = {"", "U.DLL", "0", ""};
  const char* const tooLong[4] = {longName.c_str(), "U.DLL", "0", "0"};
  char list[kDependentFilesCapacity];
  // "A.GPD", the kit's three names (11 + 11 + 13 bytes) and the two closing NULs.
  EXPECT_EQ(BuildDependentFiles(list, sizeof list, "A.GPD", blanks), 6u + 35 + 6 + 2);
  EXPECT_EQ(BuildDependentFiles(list, sizeof list, "A.GPD", tooLong), 6u + 35 + 161 + 6 + 2);
  EXPECT_EQ(Items(list).back(), "STDNAMES.GPD")
      << "the names after one that does not fit are left out";
}

}  // namespace
