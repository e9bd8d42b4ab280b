// The wizard frame and its five pages created in-process from setup's resources, driven by
// messages as a user's clicks and list changes would drive them.
#include "windows/support/DialogWatcher.h"
#include "windows/support/WindowTestSupport.h"
#include "windows/MessageBoxWatcher.h"

#include "SetupIds.h"
#include "engine/SetupText.h"
#include "wizard/window/WizardFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

using namespace wintest;

namespace {

std::string FileText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class WizardFrameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MessageBoxWatcher::HaveDisplay()) GTEST_SKIP() << "no display";
    // The test program's directory is a copy of the sample medium.
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    *strrchr(path, '\\') = '\0';
    ASSERT_TRUE(SetCurrentDirectoryA(path));
    PrepareMedium(path);
    frame.AddStandardPages();
    ASSERT_TRUE(frame.CreateModeless());
    SetWindowPos(frame.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump(200);
  }
  // The medium the pages read; the test program's own copy of the sample unless replaced.
  virtual void PrepareMedium(const char* /*directory*/) {}
  HWND Frame(int id) const { return GetDlgItem(frame.Handle(), id); }
  HWND Page(const ui::Dialog& page, int id) const { return GetDlgItem(page.Handle(), id); }
  bool Enabled(HWND control) const { return IsWindowEnabled(control) != FALSE; }
  bool Checked(const ui::Dialog& page, int id) const {
    return IsDlgButtonChecked(page.Handle(), id) == BST_CHECKED;
  }
  void Next() {
    Click(Frame(IDOK));
    Pump();
  }
  void Back() {
    Click(Frame(IDC_BACK));
    Pump();
  }
  void Screenshot(const char* name) {
    Pump(300);
    EXPECT_TRUE(SaveScreenshot(frame.Handle(), name)) << name;
  }
  // Licence accepted, on the module page.
  void ToModulePage() {
    Click(Page(pages.license, IDC_ACCEPT));
    Next();
    ASSERT_EQ(1, frame.CurrentPage());
  }

  MessageBoxWatcher messages{"wizard_window_tests"};
  WizardPageSet pages;
  CWizardFrame frame{pages};
};

TEST_F(WizardFrameWindowTest, OpensOnTheLicencePageWithTheRawLicenceTextAndBothButtonsDisabled) {
  EXPECT_EQ("Printer Driver Setup", Text(frame.Handle()));
  EXPECT_EQ("<<Back (&B)", Text(Frame(IDC_BACK)));
  EXPECT_EQ("Next (&N)>>", Text(Frame(IDOK)));
  EXPECT_EQ("Cancel (&C)", Text(Frame(IDCANCEL)));
  EXPECT_FALSE(Enabled(Frame(IDC_BACK)));
  EXPECT_FALSE(Enabled(Frame(IDOK)));
  EXPECT_TRUE(Visible(pages.license.Handle()));
  for (const ui::Dialog* page :
       {static_cast<const ui::Dialog*>(&pages.module),
        static_cast<const ui::Dialog*>(&pages.setupType), static_cast<const ui::Dialog*>(&pages.os),
        static_cast<const ui::Dialog*>(&pages.port)})
    EXPECT_FALSE(Visible(page->Handle()));
  EXPECT_TRUE(Checked(pages.license, IDC_REJECT));
  EXPECT_EQ(FileText("License.txt"), Text(Page(pages.license, IDC_LICENSE_TEXT)));
  // Pages lie over the placeholder's rectangle.
  RECT area, page;
  GetWindowRect(Frame(IDC_PAGE_AREA), &area);
  GetWindowRect(pages.license.Handle(), &page);
  EXPECT_TRUE(EqualRect(&area, &page));

  char about[100] = {};
  GetMenuStringA(GetSystemMenu(frame.Handle(), FALSE), IDM_ABOUT, about, sizeof about,
                 MF_BYCOMMAND);
  EXPECT_STREQ(SetupText(IDS_ABOUT_SETUP), about);
  EXPECT_TRUE(messages.Texts().empty());
  Screenshot("page1-licence");

  Click(Page(pages.license, IDC_ACCEPT));
  EXPECT_TRUE(Enabled(Frame(IDOK)));
  Click(Page(pages.license, IDC_REJECT));
  EXPECT_FALSE(Enabled(Frame(IDOK)));
}

TEST_F(WizardFrameWindowTest, WalksForwardToThePortPageAndBackToTheLicence) {
  ToModulePage();
  EXPECT_TRUE(Visible(pages.module.Handle()));
  EXPECT_FALSE(Visible(pages.license.Handle()));
  EXPECT_TRUE(Enabled(Frame(IDC_BACK)));
  EXPECT_TRUE(Enabled(Frame(IDOK)));
  // The sample's default device is a Receipt model: only its list is enabled.
  EXPECT_TRUE(Checked(pages.module, IDC_MODULE_RECEIPT));
  HWND receipt = Page(pages.module, IDC_MODELS_RECEIPT);
  std::vector<std::string> models = ComboEntries(receipt);
  ASSERT_FALSE(models.empty());
  EXPECT_EQ(0u, ComboSelection(receipt).find("QM-A210"));
  EXPECT_TRUE(Enabled(receipt));
  EXPECT_FALSE(Enabled(Page(pages.module, IDC_MODELS_LABEL)));
  Click(Page(pages.module, IDC_MODULE_LABEL));
  EXPECT_TRUE(Enabled(Page(pages.module, IDC_MODELS_LABEL)));
  EXPECT_FALSE(Enabled(receipt));
  Screenshot("page2-module");
  Click(Page(pages.module, IDC_MODULE_RECEIPT));
  Click(Page(pages.module, IDC_SET_DEFAULT));
  std::string model = ComboSelection(receipt);

  Next();
  ASSERT_EQ(2, frame.CurrentPage());
  EXPECT_TRUE(Enabled(Page(pages.setupType, IDC_ADVANCED)));  // the model allows it
  EXPECT_TRUE(Checked(pages.setupType, IDC_TYPICAL));
  EXPECT_EQ(SetupText(IDS_INSTALL_DEFAULT_DRIVER), Text(Page(pages.setupType, IDC_REMARK)));
  Click(Page(pages.setupType, IDC_ADVANCED));
  EXPECT_EQ(SetupText(IDS_SUPPORT_MULTI_USB), Text(Page(pages.setupType, IDC_REMARK)));
  EXPECT_EQ(SetupText(IDS_SUPPORT_DRIVER_MODE), Text(Page(pages.setupType, IDC_REMARK2)));
  EXPECT_TRUE(Visible(Page(pages.setupType, IDC_REMARK2)));
  EXPECT_FALSE(Visible(Page(pages.setupType, IDC_REMARK3)));
  Screenshot("page3-setup-type");

  Next();
  ASSERT_EQ(3, frame.CurrentPage());
  // Only the running system's radio is enabled.
  int enabled = 0;
  for (int id : {IDC_OS_WIN98, IDC_OS_NT4, IDC_OS_2000, IDC_OS_XP, IDC_OS_2003, IDC_OS_VISTA,
                 IDC_OS_WIN7, IDC_OS_WIN7X64})
    enabled += Enabled(Page(pages.os, id));
  EXPECT_EQ(1, enabled);
  EXPECT_TRUE(Enabled(Page(pages.os, kOsRadios[pages.os.model.osIndex])));
  Screenshot("page4-os");

  Next();
  ASSERT_EQ(4, frame.CurrentPage());
  EXPECT_EQ("Install (&I)", Text(Frame(IDOK)));
  EXPECT_TRUE(Enabled(Frame(IDOK)));
  EXPECT_EQ(model, frame.selection.modelName);
  EXPECT_EQ(0, frame.selection.module);
  EXPECT_EQ(1, frame.selection.setAsDefault);
  EXPECT_EQ(0, frame.selection.typicalSetup);
  // Advanced setup on a USB model: four USB entries beside the system's ports.
  HWND ports = Page(pages.port, IDC_PORTS);
  std::vector<std::string> entries = ComboEntries(ports);
  int usb = 0;
  for (const std::string& entry : entries) usb += entry.compare(0, 4, "USB_") == 0;
  EXPECT_EQ(4, usb);
  EXPECT_EQ(pages.port.model.portText, ComboSelection(ports));
  EXPECT_EQ("19200", ComboSelection(Page(pages.port, IDC_BAUD_RATE)));  // the model's rate
  EXPECT_EQ("8", ComboSelection(Page(pages.port, IDC_BYTE_SIZE)));
  EXPECT_EQ("None", ComboSelection(Page(pages.port, IDC_PARITY)));
  EXPECT_EQ("1", ComboSelection(Page(pages.port, IDC_STOP_BITS)));
  EXPECT_EQ("Hardware", ComboSelection(Page(pages.port, IDC_PROTOCOL)));
  Screenshot("page5-port");

  Back();
  EXPECT_EQ(3, frame.CurrentPage());
  EXPECT_EQ("Next (&N)>>", Text(Frame(IDOK)));
  Back();
  Back();
  Back();
  EXPECT_EQ(0, frame.CurrentPage());
  EXPECT_TRUE(Visible(pages.license.Handle()));
  EXPECT_FALSE(Enabled(Frame(IDC_BACK)));
  EXPECT_TRUE(Enabled(Frame(IDOK)));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(WizardFrameWindowTest, PortChangesSwitchTheSerialBoxesAndTheDriverMode) {
  ToModulePage();
  for (int i = 0; i < 3; ++i) Next();
  ASSERT_EQ(4, frame.CurrentPage());
  HWND ports = Page(pages.port, IDC_PORTS);
  std::vector<std::string> entries = ComboEntries(ports);
  auto indexOf = [&](const char* prefix) {
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].compare(0, strlen(prefix), prefix) == 0) return static_cast<int>(i);
    return -1;
  };
  ASSERT_GE(indexOf("LPT1:"), 0);
  SelectCombo(ports, indexOf("LPT1:"));
  EXPECT_STREQ("LPT1:", pages.port.model.portText);
  EXPECT_FALSE(Enabled(Page(pages.port, IDC_BAUD_RATE)));
  EXPECT_FALSE(Enabled(Page(pages.port, IDC_PROTOCOL)));
  EXPECT_TRUE(Enabled(Page(pages.port, IDC_RASTER_PRINTING)));
  EXPECT_TRUE(Checked(pages.port, IDC_RASTER_PRINTING));

  int serial = indexOf("COM");
  if (serial < 0) serial = indexOf("AQCOM");
  ASSERT_GE(serial, 0);
  SelectCombo(ports, serial);
  EXPECT_TRUE(Enabled(Page(pages.port, IDC_BAUD_RATE)));
  EXPECT_FALSE(Enabled(Page(pages.port, IDC_RASTER_PRINTING)));
  EXPECT_FALSE(Checked(pages.port, IDC_RASTER_PRINTING));
  EXPECT_FALSE(Visible(Page(pages.port, IDC_USB_HINT)));

  HWND protocol = Page(pages.port, IDC_PROTOCOL);
  SelectCombo(protocol, 1);
  EXPECT_EQ('x', pages.port.model.serial.flowControl);
  SelectCombo(protocol, 0);
  EXPECT_EQ(' ', pages.port.model.serial.flowControl);
  SelectCombo(Page(pages.port, IDC_STOP_BITS), 1);
  EXPECT_EQ(1.5, pages.port.model.serial.stopBits);
  SelectCombo(Page(pages.port, IDC_BAUD_RATE), 9);
  EXPECT_EQ(115200, pages.port.model.serial.baudRate);
  // The raster box lies below the page, so it is never seen even when shown.
  RECT box, area;
  GetWindowRect(Page(pages.port, IDC_RASTER_PRINTING), &box);
  GetWindowRect(Frame(IDC_PAGE_AREA), &area);
  EXPECT_GE(box.top, area.bottom);
}

// Embedded names that the sorted list orders otherwise than byte by byte: the system's
// collation weighs a hyphen less than a digit, so "X-E50" comes before "X-E5-2".
class EmbeddedNamesWindowTest : public WizardFrameWindowTest {
 protected:
  void PrepareMedium(const char* directory) override {
    std::string root = std::string(directory) + "\\embedded-names\\";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "DRVCONFIG").c_str(), nullptr);
    std::ofstream((root + "DRVCONFIG\\setup.ini").c_str(), std::ios::binary)
        << "[DEVICENAME]\r\nDEVICENUMBER=4\r\nDEFAULTNAME=4\r\n"
           "DEVICENAME1=X-E5B-EmbeddedPrinter\r\nDEVICENAME2=X-E5-2-EmbeddedPrinter\r\n"
           "DEVICENAME3=X-E50-EmbeddedPrinter\r\nDEVICENAME4=QM-A210-ReceiptPrinter\r\n";
    pages.module.config = ModuleConfig(root.c_str());
  }
};

TEST_F(EmbeddedNamesWindowTest, EachEntryOfTheSortedListIsTheModelItShows) {
  ToModulePage();
  HWND embedded = Page(pages.module, IDC_MODELS_EMBEDDED);
  std::vector<std::string> shown = ComboEntries(embedded);
  ASSERT_EQ(3u, shown.size());
  for (size_t i = 0; i + 1 < shown.size(); ++i)
    EXPECT_LE(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, shown[i].c_str(), -1,
                             shown[i + 1].c_str(), -1),
              CSTR_EQUAL)
        << "the list sorts as the system compares text";
  auto selected = [&] { return static_cast<int>(SendMessageA(embedded, CB_GETCURSEL, 0, 0)); };
  // Initially entry 0 of what the list shows, and that is the model the page holds.
  EXPECT_EQ(0, selected());
  EXPECT_EQ(shown[0], pages.module.model.SelectedModel(EmbeddedModule));
  Click(Page(pages.module, IDC_MODULE_EMBEDDED));
  EXPECT_EQ(shown[0], pages.module.model.modelName);
  for (int i : {1, 0, 2}) {
    SelectCombo(embedded, i);
    EXPECT_EQ(shown[static_cast<size_t>(i)], pages.module.model.modelName) << "entry " << i;
    EXPECT_EQ(i, selected()) << "the list stays on the entry clicked";
  }
}

TEST_F(WizardFrameWindowTest, AModelWithoutAdvancedSetupForcesTypical) {
  ToModulePage();
  HWND receipt = Page(pages.module, IDC_MODELS_RECEIPT);
  std::vector<std::string> models = ComboEntries(receipt);
  int r80 = -1;
  for (size_t i = 0; i < models.size(); ++i)
    if (models[i].compare(0, 6, "QM-R80") == 0) r80 = static_cast<int>(i);
  ASSERT_GE(r80, 0);
  SelectCombo(receipt, r80);
  EXPECT_EQ(models[static_cast<size_t>(r80)], pages.module.model.modelName);
  Next();
  ASSERT_EQ(2, frame.CurrentPage());
  EXPECT_FALSE(Enabled(Page(pages.setupType, IDC_ADVANCED)));
  EXPECT_TRUE(Checked(pages.setupType, IDC_TYPICAL));
  EXPECT_EQ(SetupText(IDS_INSTALL_DEFAULT_DRIVER), Text(Page(pages.setupType, IDC_REMARK)));
  EXPECT_FALSE(Visible(Page(pages.setupType, IDC_REMARK2)));
}

TEST_F(WizardFrameWindowTest, HelpRaisesAnOpenHelpWindowAndAboutShowsTheAboutBox) {
  HWND help = CreateWindowExA(0, "STATIC", "Printer Driver Installer", WS_OVERLAPPEDWINDOW, 0, 0,
                              200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(help);
  ShowWindow(help, SW_MINIMIZE);
  Pump();
  ASSERT_TRUE(IsIconic(help));
  HELPINFO info = {};
  info.cbSize = sizeof info;
  SendMessageA(frame.Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  Pump();
  EXPECT_FALSE(IsIconic(help));
  DestroyWindow(help);

  // The About box is a dialog of its own (template 100), not a message box.
  DialogWatcher about("About Printer Driver Setup", IDOK);
  SendMessageA(frame.Handle(), WM_SYSCOMMAND, IDM_ABOUT, 0);
  EXPECT_EQ(1, about.Answered());
  std::vector<std::string> texts = about.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Printer Driver Setup Version 1.0"), texts.end());
}

}  // namespace
