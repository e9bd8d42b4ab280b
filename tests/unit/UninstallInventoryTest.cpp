#include "uninstall/UninstallInventory.h"

#include "unit/UninstallFixture.h"
#include "uninstall/UninstallText.h"
#include "winsim/MessageBoxControl.h"

namespace {

using Inventory = UninstallTest;

TEST_F(Inventory, FileSectionsOf2000AndXpAreSharedAndAnyOtherCodeReadsVista) {
  EXPECT_STREQ(UninstallOsSuffix(Win2000), UninstallOsSuffix(WinXp));
  EXPECT_STREQ(UninstallOsSuffix(UnsupportedPlatform), ".Vista");
}

TEST_F(Inventory, WindowsSevenAndLaterHaveFileSectionsOfTheirOwnForEachWidth) {
  EXPECT_STREQ(UninstallOsSuffix(Win7), ".Win7");
  EXPECT_STREQ(UninstallOsSuffix(Win7x64), ".Win7x64");
}

TEST_F(Inventory, TheWorkingDirectoryIsSearchedBeforeItsDrvconfig) {
  winsim::WriteFile("C:\\MEDIUM\\Uninstall.ini.bak", "");
  ASSERT_EQ(LocateUninstallIni(settings, nullptr), 1);
  // Any name containing "Uninstall.ini" ends the search; the fixed name is what is read.
  EXPECT_STREQ(settings.iniPath, "C:\\MEDIUM\\Uninstall.ini");
  winsim::RemovePath("C:\\MEDIUM\\Uninstall.ini.bak");
  ASSERT_EQ(LocateUninstallIni(settings, nullptr), 1);
  EXPECT_STREQ(settings.iniPath, "C:\\MEDIUM\\DRVCONFIG\\Uninstall.ini");
  EXPECT_TRUE(winsim::MessageBoxes().empty());
}

TEST_F(Inventory, ASearchThatFailsNamesWhyInAnErrorBox) {
  winsim::RemovePath("C:\\MEDIUM\\DRVCONFIG\\Uninstall.ini");
  EXPECT_EQ(LocateUninstallIni(settings, nullptr), 0);
  winsim::RemovePath("C:\\MEDIUM\\DRVCONFIG");
  EXPECT_EQ(LocateUninstallIni(settings, nullptr), 0);
  winsim::FailCall("GetCurrentDirectoryA", ERROR_ACCESS_DENIED);
  EXPECT_EQ(LocateUninstallIni(settings, nullptr), 0);
  std::vector<winsim::MessageBoxRecord> boxes = winsim::MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  const int reasons[] = {IDS_NO_UNINSTALL_INI, IDS_INVALID_FILE_HANDLE, IDS_SYSTEM_DIRECTORY_ERROR};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(boxes[i].text, UninstallText(reasons[i]));
    EXPECT_EQ(boxes[i].caption, "Error");
    EXPECT_EQ(boxes[i].type, static_cast<UINT>(MB_OK));
  }
  EXPECT_STREQ(settings.iniPath, "");
}

TEST_F(Inventory, OnlyTheMatchingEntryLosesItsAttributes) {
  const DWORD guarded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  for (const char* name : {"A.txt", "Uninstall.ini", "Z.txt"}) {
    winsim::WriteFile(std::string("C:\\MEDIUM\\") + name, "");
    SetFileAttributesA((std::string("C:\\MEDIUM\\") + name).c_str(), guarded);
  }
  SetFileAttributesA("C:\\", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  ASSERT_EQ(LocateUninstallIni(settings, nullptr), 1);
  EXPECT_EQ(GetFileAttributesA("C:\\MEDIUM\\Uninstall.ini"), DWORD(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesA("C:\\MEDIUM\\A.txt"), guarded);
  EXPECT_EQ(GetFileAttributesA("C:\\MEDIUM\\Z.txt"), guarded);
  // ".." is visited too: the parent directory is not touched either.
  EXPECT_TRUE(GetFileAttributesA("C:\\") & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(Inventory, PathsThatDoNotFitAreNotUsed) {
  std::string fits = "C:\\" + std::string(238, 'd');     // 241 characters: its Uninstall.ini fits
  std::string tooLong = "C:\\" + std::string(247, 'd');  // 250 characters
  for (const std::string& dir : {fits, tooLong}) {
    winsim::WriteFile(dir + "\\Uninstall.ini", kIni);
    winsim::WriteFile(dir + "\\DRVCONFIG\\Uninstall.ini", kIni);
    winsim::SetCurrentDirectory(dir);
  }
  winsim::SetCurrentDirectory(fits);
  ASSERT_EQ(LocateUninstallIni(settings, nullptr), 1);
  EXPECT_EQ(settings.iniPath, fits + "\\Uninstall.ini");
  winsim::SetCurrentDirectory(tooLong);
  EXPECT_EQ(LocateUninstallIni(settings, nullptr), 0);
  EXPECT_EQ(winsim::MessageBoxTexts().back(), UninstallText(IDS_INVALID_FILE_HANDLE));
  EXPECT_STREQ(settings.iniPath, "");
}

TEST_F(Inventory, FragmentsFollowTheIniRules) {
  struct Case {
    const char* ini;
    const char* name;
    bool listed;
  } cases[] = {
      {"MonitorNUM=2\nMONITORNAME1=AQ USB", "Port 10", true},  // entry 2 missing reads "0"
      // An empty entry would take every monitor, the system's own among them, for the
      // family's: it matches nothing.
      {"MonitorNUM=1\nMONITORNAME1=", "Local Port", false},
      {"MonitorNUM=2\nMONITORNAME1=\nMONITORNAME2=AQ", "AQ USB Monitor", true},
      {"MonitorNUM=1\nMONITORNAME1=aq usb", "AQ USB Monitor", false},
      {"MonitorNUM=10\nMONITORNAME:=Tenth", "The Tenth", true},
      {"MonitorNUM=0\nMONITORNAME1=", "Anything", false},
      {"MonitorNUM=-3\nMONITORNAME1=", "Anything", false},
      {"MonitorNUM=abc\nMONITORNAME1=", "Anything", false},
      {"MonitorNUM=1\nMONITORNAME1=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD",
       "ABCDEFGHIJKLMNOPQRSTUVWXYZ012 monitor", true},
  };
  for (const Case& c : cases) {
    UseIni(std::string("[AQMONITOR]\n") + c.ini + "\n");
    EXPECT_EQ(IsListedMonitor(settings, c.name), c.listed) << c.ini;
  }
  UseIni("[AQMONITOR]\nMonitorNUM=300\n");
  int before = winsim::CallCount("GetPrivateProfileStringA");
  EXPECT_FALSE(IsListedMonitor(settings, "No digit zero"));
  // Past entry 207 the key character would wrap round to earlier keys.
  EXPECT_EQ(winsim::CallCount("GetPrivateProfileStringA") - before, 1 + 207);
  UseIni("[AQPROC]\nPROCNUM=1\nPROCNAME1=AQ\n");
  EXPECT_TRUE(IsListedProcessor(settings, "AQ Print Processor"));
  EXPECT_FALSE(IsListedMonitor(settings, "AQ USB Monitor"));  // missing section
  settings.osCode = Win98Me;
  EXPECT_FALSE(IsListedProcessor(settings, "AQ Print Processor"));
}

TEST_F(Inventory, PrintersBelongByDriverNameWhenTheyOpenAndRead) {
  PutPrinter("Renamed by the user", "QM-100 STD");
  PutPrinter("QM-100 on a foreign driver", "Generic Text");
  EXPECT_TRUE(IsListedPrinter(settings, "Renamed by the user"));
  EXPECT_FALSE(IsListedPrinter(settings, "QM-100 on a foreign driver"));
  EXPECT_FALSE(IsListedPrinter(settings, "No such printer"));
  winsim::FailCall("GetPrinterA", ERROR_ACCESS_DENIED, 1);
  EXPECT_FALSE(IsListedPrinter(settings, "Renamed by the user"));
  winsim::FailCall("OpenPrinterA", ERROR_ACCESS_DENIED, 1);
  EXPECT_FALSE(IsListedPrinter(settings, "Renamed by the user"));
}

TEST_F(Inventory, TheListHoldsPrintersThenMonitorsThenProcessors) {
  PutProcessor("AQ Print Processor", "aqproc.dll");
  PutMonitor("AQ USB Monitor", "aqusbmon.dll");
  PutMonitor("AQ COM Monitor", "aqcommon.dll");
  PutMonitor("Other Monitor", "other.dll");
  PutPrinter("QM-200", "QM-200 GDI");
  PutPrinter("Office", "Laser");
  PutPrinter("A QM-100", "QM-100 STD");
  FillInventory(settings, view);
  EXPECT_EQ(view.Texts(), (std::vector<std::string>{"A QM-100", "QM-200", "AQ COM Monitor",
                                                    "AQ USB Monitor", "AQ Print Processor"}));
  view.items.clear();
  winsim::FailCall("EnumMonitorsA", ERROR_ACCESS_DENIED);
  settings.osCode = Win98Me;
  FillInventory(settings, view);
  EXPECT_EQ(view.Texts(), (std::vector<std::string>{"A QM-100", "QM-200"}));
}

TEST_F(Inventory, AnUninstallIniThatIsADirectoryListsNothing) {
  winsim::RemovePath("C:\\MEDIUM\\DRVCONFIG\\Uninstall.ini");
  winsim::MakeDirectory("C:\\MEDIUM\\Uninstall.ini");
  PutPrinter("QM-100", "QM-100 STD");
  ASSERT_EQ(LocateUninstallIni(settings, nullptr), 1);
  FillInventory(settings, view);
  EXPECT_TRUE(view.items.empty());
}

}  // namespace
