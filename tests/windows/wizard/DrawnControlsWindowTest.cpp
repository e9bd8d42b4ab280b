// CLabelStatic and CEditEx on controls of a real dialog, which reflects their colour requests.
#include "windows/support/WindowTestSupport.h"
#include "windows/MessageBoxWatcher.h"

#include "SetupIds.h"
#include "ui/Dialog.h"
#include "wizard/window/EditEx.h"
#include "wizard/window/LabelStatic.h"

#include <gtest/gtest.h>

#include <set>

using namespace wintest;

namespace {

// The port page's template gives a static (1065) and the licence page's an edit (1081).
class HostDialog : public ui::Dialog {
 public:
  bool OnInitDialog() override { return true; }
};

class DrawnControlsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MessageBoxWatcher::HaveDisplay()) GTEST_SKIP() << "no display";
    ASSERT_TRUE(frame = CreateWindowExA(0, "#32770", "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                        nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(port.Create(GetModuleHandleA(nullptr), IDD_PORT_PAGE, frame));
    ASSERT_TRUE(licence.Create(GetModuleHandleA(nullptr), IDD_LICENSE_PAGE, frame));
    ShowWindow(port.Handle(), SW_SHOW);
    label = GetDlgItem(port.Handle(), IDC_USB_HINT);
    edit = GetDlgItem(licence.Handle(), IDC_LICENSE_TEXT);
  }
  void TearDown() override {
    if (frame) DestroyWindow(frame);
  }
  // The dialog's answer to the control's colour request.
  HBRUSH ColourAnswer(HWND dialog, HWND control, UINT message, COLORREF* text = nullptr) {
    HDC dc = GetDC(control);
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (text) *text = GetTextColor(dc);
    ReleaseDC(control, dc);
    return brush;
  }

  HWND frame = nullptr;
  HostDialog port, licence;
  HWND label = nullptr, edit = nullptr;
};

TEST_F(DrawnControlsWindowTest, ALabelFlashingItsTextAlternatesEmptyAndTheSavedTextThenRestoresIt) {
  CLabelStatic hint;
  ASSERT_TRUE(hint.Attach(label));
  ShowWindow(label, SW_SHOW);
  hint.SetText("USB driver missing").FlashText(true);
  std::set<std::string> seen;
  DWORD start = GetTickCount();
  DWORD firstBlank = 0;
  while (GetTickCount() - start < 1700) {
    Pump(20);
    std::string text = Text(label);
    if (text.empty() && !firstBlank) firstBlank = GetTickCount() - start;
    seen.insert(text);
  }
  EXPECT_EQ((std::set<std::string>{"", "USB driver missing"}), seen);
  EXPECT_GE(firstBlank, 400u);  // the first tick comes after 500 ms
  EXPECT_LE(firstBlank, 900u);
  // Stopping in either phase gives the text back.
  while (!Text(label).empty()) Pump(20);
  hint.FlashText(false);
  EXPECT_EQ("USB driver missing", Text(label));
  Pump(700);
  EXPECT_EQ("USB driver missing", Text(label));
  EXPECT_EQ(CLabelStatic::NoFlash, hint.Mode());
}

TEST_F(DrawnControlsWindowTest, ALabelAnswersItsColourRequestAndFlashesItsBackground) {
  CLabelStatic hint;
  ASSERT_TRUE(hint.Attach(label));
  hint.SetForeColor(0x00FF0000).SetBackColor(0x00FDCAFF).SetFontSize(14).SetFontName("Arial");
  EXPECT_EQ(-14, hint.FontDescription().lfHeight);
  EXPECT_STREQ("Arial", hint.FontDescription().lfFaceName);
  COLORREF text = 0;
  HBRUSH steady = ColourAnswer(port.Handle(), label, WM_CTLCOLORSTATIC, &text);
  EXPECT_EQ(0x00FF0000u, text);
  LOGBRUSH description = {};
  GetObjectA(steady, sizeof description, &description);
  EXPECT_EQ(0x00FDCAFFu, description.lbColor);

  hint.FlashBackground(true);
  HBRUSH phase0 = ColourAnswer(port.Handle(), label, WM_CTLCOLORSTATIC);
  EXPECT_NE(steady, phase0);
  while (hint.Phase() == 0) Pump(20);
  EXPECT_EQ(steady, ColourAnswer(port.Handle(), label, WM_CTLCOLORSTATIC));
  hint.FlashBackground(false);
  EXPECT_EQ(steady, ColourAnswer(port.Handle(), label, WM_CTLCOLORSTATIC));

  // The template has no SS_NOTIFY; SetLink switches it.
  EXPECT_FALSE(GetWindowLongPtrA(label, GWL_STYLE) & SS_NOTIFY);
  hint.SetLink(true);
  EXPECT_TRUE(GetWindowLongPtrA(label, GWL_STYLE) & SS_NOTIFY);
  hint.SetSunken(true);
  EXPECT_TRUE(GetWindowLongPtrA(label, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  hint.SetLinkCursor(hand);
  EXPECT_EQ(TRUE, SendMessageA(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

class RejectDigits : public CharFilter {
 public:
  bool Accepts(UINT character) const override { return character < '0' || character > '9'; }
};

TEST_F(DrawnControlsWindowTest, AnEditControlFiltersCharactersAndKeepsItsColours) {
  CEditEx box;
  ASSERT_TRUE(box.Attach(edit));
  SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
  box.SetCharFilter(new RejectDigits);
  SendMessageA(edit, WM_CHAR, '7', 0);
  SendMessageA(edit, WM_CHAR, 'a', 0);
  EXPECT_EQ("a", Text(edit));

  box.SetBackColor(RGB(1, 2, 3));
  box.SetForeColor(RGB(200, 100, 50));
  SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
  COLORREF text = 0;
  HBRUSH brush = ColourAnswer(licence.Handle(), edit, WM_CTLCOLORSTATIC, &text);
  EXPECT_EQ(box.BackgroundBrush(), brush);
  EXPECT_EQ(RGB(200, 100, 50), text);

  // A second box takes colours and font from the first.
  box.SetFontSpec(-12, FF_SWISS, "Arial");
  CEditEx* copy = CEditEx::CreateByName("CEditEx");
  ASSERT_TRUE(copy);
  EXPECT_EQ(nullptr, CEditEx::CreateByName("CEdit"));
  copy->CopyStyleFrom(box);
  EXPECT_EQ(RGB(1, 2, 3), copy->BackColor());
  LOGFONTA font = {};
  GetObjectA(copy->Font(), sizeof font, &font);
  EXPECT_EQ(-12, font.lfHeight);
  EXPECT_STREQ("Arial", font.lfFaceName);
  delete copy;
}

}  // namespace
