// uninstall's main window created in-process from its own resources, over a printer the test
// adds to Wine's spooler and an Uninstall.ini that names only that printer's driver.
#include "windows/support/DialogWatcher.h"
#include "windows/support/WindowTestSupport.h"

#include "UninstallIds.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"
#include "uninstall/window/UninstallDialog.h"

#include <commctrl.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace wintest;

namespace {

bool RunningOnWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

void PutFile(const std::string& path, const std::string& text) {
  if (FILE* file = fopen(path.c_str(), "wb")) {
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
  }
}

class UninstallWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!IsWindow(
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)))
      GTEST_SKIP() << "no display";
    char tag[32];
    snprintf(tag, sizeof tag, "UW%lu", GetCurrentProcessId());
    printer = std::string("Window Test Printer ") + tag;
    driver = std::string(tag) + " Driver";
    GetCurrentDirectoryA(sizeof previous, previous);
    std::string dir = std::string(previous) + "\\" + tag;
    CreateDirectoryA(dir.c_str(), nullptr);
    PutFile(dir + "\\Uninstall.ini", std::string("[AQPRINTER]\r\nPRINTERNUM=1\r\nPRINTERNAME1=") +
                                         tag + "\r\n[AQMONITOR]\r\nMonitorNUM=0\r\n");
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    PutPrinter();
    ASSERT_TRUE(window.CreateModeless());
    SetWindowPos(window.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump(200);
  }
  void TearDown() override {
    if (window.Handle()) DestroyWindow(window.Handle());
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(&printer[0], &handle, &access)) {
      DeletePrinter(handle);
      ClosePrinter(handle);
    }
    DeletePrinterDriverA(nullptr, nullptr, &driver[0]);
    if (previous[0]) SetCurrentDirectoryA(previous);
  }
  void PutPrinter() {
    char dir[MAX_PATH] = "";
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir), sizeof dir,
                               &needed);
    PutFile(std::string(dir) + "\\uwtest.dll", "not a program");
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = &driver[0];
    info.pDriverPath = info.pDataFile = info.pConfigFile = const_cast<char*>("uwtest.dll");
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info))) << GetLastError();
    PRINTER_INFO_2A record{};
    record.pPrinterName = &printer[0];
    record.pPortName = const_cast<char*>("LPT1:");
    record.pDriverName = &driver[0];
    record.pPrintProcessor = const_cast<char*>("WinPrint");
    record.pDatatype = const_cast<char*>("RAW");
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&record));
    ASSERT_TRUE(added) << GetLastError();
    ClosePrinter(added);
  }
  HWND Item(int id) const { return GetDlgItem(window.Handle(), id); }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  std::string ClassOf(int id) const {
    char name[64] = {};
    GetClassNameA(Item(id), name, sizeof name);
    return name;
  }
  std::vector<std::string> StatusLines() const {
    std::vector<std::string> lines;
    int count = static_cast<int>(SendMessageA(Item(IDC_STATUS_LIST), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char line[512] = {};
      SendMessageA(Item(IDC_STATUS_LIST), LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
    }
    return lines;
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < window.Controls().ItemCount(); ++i) {
      char text[kItemNameSize];
      window.Controls().GetItemText(i, text, sizeof text);
      entries.push_back(text);
    }
    return entries;
  }

  char previous[MAX_PATH] = "";
  std::string printer, driver;
  UninstallDialog window;
};

TEST_F(UninstallWindowTest, OpensFromItsTemplateWithTheFamilysPrinterAndTheFirstTexts) {
  EXPECT_EQ("Uninstall", Text(window.Handle()));
  struct Control {
    int id;
    const char* className;
    const char* text;
  } controls[] = {{IDC_INSTRUCTIONS, "Edit", UninstallText(IDS_SELECT_MULTIPLE_PRINTERS)},
                  {IDC_INVENTORY, "SysListView32", ""},
                  {IDC_USB_DRIVER, "Button", "Uninstall USB device driver(not recommended)"},
                  {IDC_STATUS_LIST, "ListBox", ""},
                  {IDC_UNINSTALL, "Button", "&Uninstall"},
                  {IDC_SELECT_ALL, "Button", "&Select All"},
                  {IDC_EXIT, "Button", "&Exit"}};
  for (const Control& c : controls) {
    EXPECT_EQ(c.className, ClassOf(c.id)) << c.id;
    EXPECT_EQ(c.text, Text(Item(c.id))) << c.id;
  }
  EXPECT_EQ(LVS_LIST, GetWindowLongA(Item(IDC_INVENTORY), GWL_STYLE) & LVS_TYPEMASK);
  EXPECT_EQ(static_cast<LRESULT>(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT |
                                 LVS_EX_FULLROWSELECT),
            SendMessageA(Item(IDC_INVENTORY), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(std::vector<std::string>{printer}, Entries());
  EXPECT_FALSE(window.Controls().IsItemChecked(0));
  EXPECT_EQ(std::vector<std::string>{UninstallText(IDS_SELECT_PRINTERS)}, StatusLines());
  EXPECT_TRUE(window.Icon());
  EXPECT_EQ(reinterpret_cast<LRESULT>(window.Icon()),
            SendMessageA(window.Handle(), WM_GETICON, ICON_BIG, 0));

  HMENU menu = GetSystemMenu(window.Handle(), FALSE);
  int last = GetMenuItemCount(menu) - 1;
  char about[64] = {};
  GetMenuStringA(menu, last, about, sizeof about, MF_BYPOSITION);
  EXPECT_EQ(static_cast<UINT>(IDM_ABOUT), GetMenuItemID(menu, last));
  EXPECT_STREQ(UninstallText(IDS_ABOUT_UNINSTALL), about);
  EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR),
            GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR);
  Pump(300);
  EXPECT_TRUE(SaveScreenshot(window.Handle(), "uninstall-window"));
}

TEST_F(UninstallWindowTest, TheSystemMenusAboutEntryOpensTheAboutBox) {
  DialogWatcher about("About Uninstall", IDOK, "uninstall-about");
  SendMessageA(window.Handle(), WM_SYSCOMMAND, IDM_ABOUT, 0);
  EXPECT_EQ(1, about.Answered());
  std::vector<std::string> texts = about.Texts();
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "Uninstall Version 2.30"));
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "&OK"));
}

TEST_F(UninstallWindowTest, SelectAllTicksEveryEntryIncludingOnesAlreadyTicked) {
  window.Controls().AppendItem("Second entry");
  window.Controls().AppendItem("Third entry");
  ListView_SetCheckState(Item(IDC_INVENTORY), 1, TRUE);
  Click(Item(IDC_SELECT_ALL));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(window.Controls().IsItemChecked(i)) << i;
  EXPECT_EQ(3, window.Controls().ItemCount());
}

TEST_F(UninstallWindowTest, ARunRemovesTheTickedPrinterWithItsLinesAndGivesTheControlsBack) {
  // The removal path of XP: the printer, then its driver.
  window.Settings().osCode = WinXp;
  DialogWatcher restart("Restart Computer", IDCANCEL, "uninstall-restart");
  Click(Item(IDC_SELECT_ALL));
  Click(Item(IDC_UNINSTALL));
  // The worker takes every control away first and gives them back as its last act, the USB
  // box last of all.
  ASSERT_TRUE(PumpUntil([&] { return !Enabled(IDC_USB_DRIVER); }));
  for (int id : {IDC_UNINSTALL, IDC_INVENTORY, IDC_SELECT_ALL, IDC_EXIT, IDC_USB_DRIVER})
    EXPECT_FALSE(Enabled(id)) << id;
  ASSERT_TRUE(PumpUntil([&] { return Enabled(IDC_USB_DRIVER); }, 60000));
  // Wine refuses DeletePrinterDriverExA with a delete flag (87).
  std::string driverLine = RunningOnWine()
                               ? std::string(UninstallText(IDS_DELETE_DRIVER_ERROR)) + "    er=87"
                               : UninstallText(IDS_DRIVER_DELETED);
  EXPECT_EQ((std::vector<std::string>{
                UninstallText(IDS_SELECT_PRINTERS),
                "Deleting printer " + printer + ",please wait...", printer + " has been deleted.",
                "Deleting " + printer + "'s driver,please wait...", driverLine}),
            StatusLines());
  EXPECT_EQ(1, restart.Answered());
  std::vector<std::string> prompt = restart.Texts();
  EXPECT_NE(prompt.end(), std::find(prompt.begin(), prompt.end(),
                                    "Restart computer so that the changes can take effect"));
  HANDLE gone = nullptr;
  EXPECT_FALSE(OpenPrinterA(&printer[0], &gone, nullptr));
  EXPECT_EQ(0, window.Controls().ItemCount());
  for (int id : {IDC_UNINSTALL, IDC_SELECT_ALL, IDC_EXIT, IDC_USB_DRIVER})
    EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(IDC_INVENTORY));
}

}  // namespace
