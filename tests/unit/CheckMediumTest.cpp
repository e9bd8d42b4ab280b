#include "checkmedium/MediumCheck.h"

#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const kSetupIni = "D:\\QM\\DRVCONFIG\\setup.ini";
const char* const kReceiptIni = "D:\\QM\\DRVCONFIG\\setup_receipt.ini";
const char* const kTicketIni = "D:\\QM\\DRVCONFIG\\setup_Ticket.ini";
const char* const kLabelIni = "D:\\QM\\DRVCONFIG\\setup_Lable.ini";
const char* const kEmbeddedIni = "D:\\QM\\DRVCONFIG\\setup_Embedded.ini";
const char* const kUninstallIni = "D:\\QM\\DRVCONFIG\\Uninstall.ini";

void Set(const char* file, const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, file);
}

class CheckMediumTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    ASSERT_GT(winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", "D:\\QM"), 0);
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
  int Check(const char* dir = "D:\\QM") {
    findings = FindingList();
    return CheckMedium(dir, &findings);
  }
  std::string Report() const {
    std::string text;
    for (const Finding& finding : findings.All()) text += FormatFinding(finding) + "\n";
    return text;
  }
  FindingList findings;
};

TEST_F(CheckMediumTest, SampleMediumPassesClean) {
  EXPECT_EQ(Check(), MediumClean) << Report();
  EXPECT_EQ(Check("D:\\QM\\"), MediumClean) << "a trailing backslash changes nothing";
}

// One fault in a copy of the sample medium, and the finding it must give.
struct Fault {
  const char* name;
  std::function<void()> apply;
  const char* code;
  std::string section;
  const char* key;
  const char* textPart;  // what setup or uninstall would do
  int result;
};

TEST_F(CheckMediumTest, EachFaultOfABrokenCopyGivesItsFindingAndExitCode) {
  const Fault faults[] = {
      {"entry without module suffix",
       [] { Set(kSetupIni, "DEVICENAME", "DEVICENAME3", "QM-B220-Ticket"); }, "no-module-suffix",
       "DEVICENAME", "DEVICENAME3", "leaves the model out", MediumErrors},
      {"model without a section for XP", [] { Set(kReceiptIni, "QM-A210.XP", nullptr, nullptr); },
       "missing-section", "QM-A210.XP", "", "driver named \"0\"", MediumErrors},
      {"driver name longer than 49",
       [] {
         Set(kReceiptIni, "QM-A210.2K", "STDDriverName", ("QM-" + std::string(57, 'Q')).c_str());
       },
       "value-cut", "QM-A210.2K", "STDDriverName", "only the first 49", MediumWarnings},
      {"driver file missing from winnt", [] { winsim::RemovePath("D:\\QM\\winnt\\AQSTD.DLL"); },
       "missing-file", "QM-A210.NT", "STDDriverPath", "winnt\\AQSTD.DLL is missing", MediumErrors},
      {"serial monitor DLL missing", [] { winsim::RemovePath("D:\\QM\\win2003\\aqcommon.dll"); },
       "missing-file", "COMMON-MONITOR.2003", "COMMONitorPDLLName", "Copy driver files error",
       MediumErrors},
      {"processor DLL missing", [] { winsim::RemovePath("D:\\QM\\Vista\\aqproc.dll"); },
       "missing-file", "QM-C3.Vista", "STDProcessorDLLName", "Add printer processor error",
       MediumErrors},
      {"no fragment for the drivers",
       [] { Set(kUninstallIni, "AQPRINTER", "PRINTERNAME1", "XX-"); }, "printer-not-listed",
       "AQPRINTER", "PRINTERNAME", "never lists its printers", MediumErrors},
      {"no fragment for a monitor",
       [] { Set(kUninstallIni, "AQMONITOR", "MONITORNAME2", "AQ SER"); }, "monitor-not-listed",
       "AQMONITOR", "MONITORNAME", "AQ COM Monitor", MediumErrors},
      {"fragment count beyond the entries",
       [] { Set(kUninstallIni, "AQPRINTER", "PRINTERNUM", "2"); }, "missing-key", "AQPRINTER",
       "PRINTERNAME2", "digit 0", MediumWarnings},
      {"uninstall deletes another DLL",
       [] { Set(kUninstallIni, "AQCOMMonitor.2K", "MonitorPDLLName", "aqcom.dll"); },
       "dll-mismatch", "AQCOMMonitor.2K", "MonitorPDLLName", "setup installs aqcommon.dll",
       MediumWarnings},
      {"DEFAULTNAME beyond the list", [] { Set(kSetupIni, "DEVICENAME", "DEFAULTNAME", "9"); },
       "default-names-no-entry", "DEVICENAME", "DEFAULTNAME", "checks no module", MediumWarnings},
      {"AdvancedSetup missing", [] { Set(kReceiptIni, "QM-A210.PORT", "AdvancedSetup", nullptr); },
       "missing-key", "QM-A210.PORT", "AdvancedSetup", "only the typical setup", MediumWarnings},
      {"System2003Supported missing",
       [] { Set(kReceiptIni, "QM-A210.PORT", "System2003Supported", nullptr); }, "missing-key",
       "QM-A210.PORT", "System2003Supported", "WINDOWS SEVER 2003", MediumWarnings},
      {"baud rate the list lacks", [] { Set(kReceiptIni, "QM-A210.PORT", "BaudRate", "14400"); },
       "baud-rate", "QM-A210.PORT", "BaudRate", "set to 14400 baud", MediumWarnings},
      {"USB port without device entry",
       [] { Set(kSetupIni, "SUPPORTED-USB-DEVICE", "USB_QM-B220_3", nullptr); },
       "usb-device-missing", "SUPPORTED-USB-DEVICE", "USB_QM-B220_3", "records 0", MediumWarnings},
      {"processor version not a number",
       [] { Set(kSetupIni, "ProcessorVersion", "DriverVersion", "v4"); }, "not-a-number",
       "ProcessorVersion", "DriverVersion", "read it as 0", MediumWarnings},
      {"monitor version not a number",
       [] { Set(kSetupIni, "COMMON-MONITOR.XP", "USBMONitorVersion", "3b"); }, "not-a-number",
       "COMMON-MONITOR.XP", "USBMONitorVersion", "read it as 3", MediumWarnings},
      {"misspelt key", [] { Set(kReceiptIni, "QM-R80.2K", "STDDriverNmae", "QM-R80 STD"); },
       "unknown-key", "QM-R80.2K", "STDDriverNmae", "never reads it", MediumWarnings},
      {"misspelt model section", [] { Set(kReceiptIni, "QM-A21O.XP", "ATTRIBUTES", "576"); },
       "unknown-section", "QM-A21O.XP", "", "never reads it", MediumWarnings},
      {"entry beyond DEVICENUMBER",
       [] { Set(kSetupIni, "DEVICENAME", "DEVICENAME8", "QM-Z1-ReceiptPrinter"); }, "unknown-key",
       "DEVICENAME", "DEVICENAME8", "DEVICENAME1 to DEVICENAME7 only", MediumWarnings},
      {"licence missing", [] { winsim::RemovePath("D:\\QM\\License.txt"); }, "missing-file", "", "",
       "Can't load file License.txt!", MediumErrors},
      {"module INI missing", [] { winsim::RemovePath("D:\\QM\\DRVCONFIG\\setup_Embedded.ini"); },
       "module-ini-missing", "", "", "QM-E50", MediumErrors},
      {"Uninstall.ini missing", [] { winsim::RemovePath(kUninstallIni); }, "missing-file", "", "",
       "Can't find file Uninstall.ini!", MediumErrors},
      {"monitor section missing", [] { Set(kSetupIni, "COMMON-MONITOR.Vista", nullptr, nullptr); },
       "missing-section", "COMMON-MONITOR.Vista", "", "Add monitor error!", MediumErrors},
      {"driver file key empty", [] { Set(kEmbeddedIni, "QM-E50.XP", "GDIHelpFile", ""); },
       "empty-value", "QM-E50.XP", "GDIHelpFile", "Lost of driver files", MediumErrors},
      {"file of the GDI mode missing", [] { winsim::RemovePath("D:\\QM\\winnt\\AQGDIUI.DLL"); },
       "missing-file", "QM-A210.NT", "GDIConfigFile", "Copy driver files error", MediumErrors},
      {"driver-kit file missing", [] { winsim::RemovePath("D:\\QM\\Vista\\TTFSUB.GPD"); },
       "missing-file", "QM-C3.Vista", "GDI2KDDKDEV", "Add printer driver error", MediumErrors},
      {"Windows 98 library missing", [] { winsim::RemovePath("D:\\QM\\win98\\ICONLIB.DLL"); },
       "missing-file", "", "", "on Windows 98/Me", MediumErrors},
      {"library of a model on Windows 98 missing",
       [] { winsim::RemovePath("D:\\QM\\win98\\DMCOLOR.DLL"); }, "missing-file", "", "",
       "fails for QM-A210 on Windows 98/Me", MediumErrors},
      {"no fragment for the processor",
       [] { Set(kUninstallIni, "AQPROC", "PROCNAME1", "XQ Print"); }, "processor-not-listed",
       "AQPROC", "PROCNAME", "AQ Print Processor", MediumErrors},
      {"entry without model name",
       [] { Set(kSetupIni, "DEVICENAME", "DEVICENAME7", "-EmbeddedPrinter"); }, "empty-model",
       "DEVICENAME", "DEVICENAME7", "empty entry", MediumErrors},
      {"DEVICENUMBER missing", [] { Set(kSetupIni, "DEVICENAME", "DEVICENUMBER", nullptr); },
       "missing-key", "DEVICENAME", "DEVICENUMBER", "lists no model", MediumErrors},
      {"DEVICENUMBER beyond what the page reads",
       [] { Set(kSetupIni, "DEVICENAME", "DEVICENUMBER", "5000"); }, "device-count", "DEVICENAME",
       "DEVICENUMBER", "first 1000", MediumWarnings},
      {"model listed twice",
       [] { Set(kSetupIni, "DEVICENAME", "DEVICENAME2", "QM-A210-ReceiptPrinter"); },
       "duplicate-model", "DEVICENAME", "DEVICENAME2", "twice", MediumWarnings},
      {"ATTRIBUTES missing", [] { Set(kTicketIni, "QM-T95.2003", "ATTRIBUTES", nullptr); },
       "missing-key", "QM-T95.2003", "ATTRIBUTES", "no attributes", MediumWarnings},
      {"port section missing", [] { Set(kEmbeddedIni, "QM-E50.PORT", nullptr, nullptr); },
       "missing-section", "QM-E50.PORT", "", "Vista refused", MediumWarnings},
      {"empty monitor fragment", [] { Set(kUninstallIni, "AQMONITOR", "MONITORNAME1", ""); },
       "empty-value", "AQMONITOR", "MONITORNAME1", "lists no port monitor", MediumErrors},
      {"fragment beyond the count", [] { Set(kUninstallIni, "AQPROC", "PROCNAME2", "AQ"); },
       "unknown-key", "AQPROC", "PROCNAME2", "never reads it", MediumWarnings},
      {"processor DLL entry missing",
       [] { Set(kUninstallIni, "AQ Print Processor.Vista", "ProcessorDllName", nullptr); },
       "missing-key", "AQ Print Processor.Vista", "ProcessorDllName", "instead of aqproc.dll",
       MediumWarnings},
      {"USB model name too long for a port",
       [] {
         std::string model(48, 'M');
         Set(kSetupIni, "DEVICENAME", "DEVICENUMBER", "8");
         Set(kSetupIni, "DEVICENAME", "DEVICENAME8", (model + "-TicketPrinter").c_str());
         Set(kTicketIni, (model + ".PORT").c_str(), "USBSUPPORTED", "1");
       },
       "usb-name-too-long", std::string(48, 'M') + ".PORT", "USBSUPPORTED", "no USB port",
       MediumErrors},
      {"dependent files beyond 200 bytes",
       [] {
         std::string plugin(150, 'P');
         Set(kLabelIni, "QM-C3.XP", "GDIDataOemuniDLL", plugin.c_str());
         winsim::WriteFile("D:\\QM\\winnt\\" + plugin, "");
       },
       "dependent-files-cut", "QM-C3.XP", "GDI2KDDKDEV", "leaves the last names out",
       MediumWarnings},
      {"font in a Windows 98 section",
       [] { Set(kLabelIni, "QM-C3.98", "ControlFontFile", "AQFONT3.TTF"); }, "font-on-98",
       "QM-C3.98", "ControlFontFile", "Copy driver files error", MediumWarnings},
      {"fragment longer than 29",
       [] { Set(kUninstallIni, "AQPRINTER", "PRINTERNAME1", "QM-ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"); },
       "value-cut", "AQPRINTER", "PRINTERNAME1", "only the first 29", MediumErrors},
      {"setup.ini missing", [] { winsim::RemovePath(kSetupIni); }, "medium-unreadable", "", "",
       "no device list", MediumUnreadable},
      {"64-bit Windows claimed without the files",
       [] { winsim::RemovePath("D:\\QM\\Win7x64\\AQSTD.DLL"); }, "missing-file",
       "QM-A210.Win7x64", "STDDriverPath", "Win7x64\\AQSTD.DLL is missing", MediumErrors},
      {"Windows 7 claimed without the files",
       [] { winsim::RemovePath("D:\\QM\\Win7\\QMC3.GPD"); }, "missing-file", "QM-C3.Win7",
       "STDDataFile", "Win7\\QMC3.GPD is missing", MediumErrors},
      {"64-bit Windows claimed without its section",
       [] { Set(kReceiptIni, "QM-R80.PORT", "System7x64Supported", "1"); }, "missing-section",
       "QM-R80.Win7x64", "", "driver named \"0\"", MediumErrors},
      {"Windows 7 monitor section missing",
       [] { Set(kSetupIni, "COMMON-MONITOR.Win7", nullptr, nullptr); }, "missing-section",
       "COMMON-MONITOR.Win7", "", "Add monitor error!", MediumErrors},
  };
  for (const Fault& fault : faults) {
    SetUp();
    fault.apply();
    int result = Check();
    EXPECT_EQ(result, fault.result) << fault.name << "\n" << Report();
    bool found = false;
    for (const Finding& finding : findings.All())
      found = found ||
              (finding.code == fault.code && finding.section == fault.section &&
               finding.key == fault.key && finding.text.find(fault.textPart) != std::string::npos);
    EXPECT_TRUE(found) << fault.name << ": no " << fault.code << " [" << fault.section << "] "
                       << fault.key << "\n"
                       << Report();
  }
}

TEST_F(CheckMediumTest, WhatTheProgramsReadAlikeOrNeverReachGivesNoFinding) {
  const struct {
    const char* name;
    std::function<void()> apply;
  } cases[] = {
      {"no Vista section where Vista is refused",
       [] { Set(kReceiptIni, "QM-R80.Vista", nullptr, nullptr); }},
      {"a medium made before Windows 7",
       [] {
         for (const char* key : {"System7Supported", "System7x64Supported"}) {
           Set(kReceiptIni, "QM-A210.PORT", key, nullptr);
           Set(kLabelIni, "QM-C3.PORT", key, nullptr);
         }
         Set(kSetupIni, "COMMON-MONITOR.Win7", nullptr, nullptr);
         Set(kSetupIni, "COMMON-MONITOR.Win7x64", nullptr, nullptr);
       }},
      {"a key in other letters",
       [] {
         Set(kReceiptIni, "QM-A210.XP", "STDDriverName", nullptr);
         Set(kReceiptIni, "QM-A210.XP", "stddrivername", "QM-A210 STD");
       }},
      {"Uninstall.ini in the medium's root",
       [] {
         std::string text = winsim::ReadFile(kUninstallIni);
         winsim::RemovePath(kUninstallIni);
         winsim::WriteFile("D:\\QM\\Uninstall.ini", text);
       }},
      {"no optional file", [] { Set(kReceiptIni, "QM-A210.XP", "GDIDataFileDLLName", "0"); }},
  };
  for (const auto& item : cases) {
    SetUp();
    item.apply();
    EXPECT_EQ(Check(), MediumClean) << item.name << "\n" << Report();
  }
}

TEST_F(CheckMediumTest, MediumThatIsNoDirectoryIsUnreadable) {
  EXPECT_EQ(Check("D:\\Nowhere"), MediumUnreadable);
  ASSERT_EQ(findings.All().size(), 1u);
  EXPECT_EQ(FormatFinding(findings.All()[0]),
            "error medium-unreadable DRVCONFIG\\setup.ini [-] -: the medium's directory cannot be "
            "read");
}

TEST(IniFileTest, ListsEveryKeyOfALongSectionAndWholeValues) {
  winsim::Reset();
  std::string text = "[Many]\r\n";
  for (int i = 0; i < 600; ++i) text += "SomeLongKeyName" + std::to_string(i) + "=1\r\n";
  text += "[other]\r\nLong=" + std::string(700, 'v') + "\r\n";
  winsim::WriteFile("D:\\M\\x.ini", text);
  IniFile ini("D:\\M\\", "x.ini");
  EXPECT_EQ(ini.Keys("many").size(), 600u) << "a list beyond the first buffer is read whole";
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Many", "other"}));
  EXPECT_TRUE(ini.HasKey("MANY", "somelongkeyname599"));
  EXPECT_FALSE(ini.HasKey("Many", "SomeLongKeyName600"));
  EXPECT_EQ(ini.Value("Other", "long").size(), 700u);
  EXPECT_FALSE(IniFile("D:\\M\\", "y.ini").Exists());
}

TEST(IniFileTest, DecimalTextIsWhatTheReadersReadWhole) {
  for (const char* text : {"0", "576", "+3", "-1", "  42"})
    EXPECT_TRUE(IsDecimalText(text)) << text;
  for (const char* text : {"", "0x240", "4a", "v4", "1.5", "-", "3 "})
    EXPECT_FALSE(IsDecimalText(text)) << text;
}

TEST(ModuleIniCaseTest, BothSpellingsAsTwoFilesAreFound) {
  using Names = std::vector<std::string>;
  EXPECT_TRUE(ModuleNamesWithTwoFiles(TicketModule, {"setup.ini", "setup_Ticket.ini"}).empty());
  EXPECT_EQ(ModuleNamesWithTwoFiles(TicketModule, {"setup_Ticket.ini", "x", "setup_ticket.ini"}),
            (Names{"setup_Ticket.ini", "setup_ticket.ini"}));
  EXPECT_EQ(ModuleNamesWithTwoFiles(LabelModule, {"SETUP_LABLE.INI", "setup_Lable.ini"}),
            (Names{"SETUP_LABLE.INI", "setup_Lable.ini"}));
  EXPECT_TRUE(ModuleNamesWithTwoFiles(LabelModule, {"setup_Label.ini", "setup_Lable.ini"}).empty());
}

TEST(FindingListTest, ResultFollowsTheWorstFindingAndRepeatsAreKeptOnce) {
  FindingList list;
  EXPECT_EQ(list.Result(), MediumClean);
  list.Add(WarningFinding, "value-cut", "f", "s", "k", "t");
  list.Add(WarningFinding, "value-cut", "f", "s", "k", "t");
  EXPECT_EQ(list.Result(), MediumWarnings);
  EXPECT_EQ(list.All().size(), 1u);
  list.Add(ErrorFinding, "missing-file", "f", "", "", "a\nb");
  EXPECT_EQ(list.Result(), MediumErrors);
  EXPECT_EQ(FormatFinding(list.All()[1]), "error missing-file f [-] -: a b");
}

}  // namespace
