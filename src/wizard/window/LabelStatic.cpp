#include "wizard/window/LabelStatic.h"

#include "common/BoundedText.h"
#include "ui/Dialog.h"

#include <shellapi.h>

#include <vector>

CLabelStatic::CLabelStatic()
    : foreColor_(GetSysColor(COLOR_WINDOWTEXT)),
      backgroundBrush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      alternateBrush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      fontDescription_() {
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fontDescription_, &fontDescription_);
  font_ = CreateFontIndirectA(&fontDescription_);
}

CLabelStatic::~CLabelStatic() {
  if (hwnd_ && timerRunning_) KillTimer(hwnd_, kFlashTimer);
  Detach();
  DeleteObject(backgroundBrush_);
  DeleteObject(alternateBrush_);
  if (font_) DeleteObject(font_);
}

void CLabelStatic::RebuildFont() {
  if (font_) DeleteObject(font_);
  font_ = CreateFontIndirectA(&fontDescription_);
}

void CLabelStatic::RedrawNow() {
  if (!hwnd_) return;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

CLabelStatic& CLabelStatic::SetText(const char* text) {
  if (hwnd_) SetWindowTextA(hwnd_, text);
  return *this;
}

CLabelStatic& CLabelStatic::SetForeColor(COLORREF color) {
  foreColor_ = color;
  RedrawNow();
  return *this;
}

CLabelStatic& CLabelStatic::SetBackColor(COLORREF color) {
  DeleteObject(backgroundBrush_);
  backgroundBrush_ = CreateSolidBrush(color);
  return *this;
}

CLabelStatic& CLabelStatic::SetFontBold(bool bold) {
  fontDescription_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  RebuildFont();
  RedrawNow();
  return *this;
}

CLabelStatic& CLabelStatic::SetFontUnderline(bool underline) {
  fontDescription_.lfUnderline = underline ? 1 : 0;
  RebuildFont();
  RedrawNow();
  return *this;
}

CLabelStatic& CLabelStatic::SetFontItalic(bool italic) {
  fontDescription_.lfItalic = italic ? 1 : 0;
  RebuildFont();
  RedrawNow();
  return *this;
}

CLabelStatic& CLabelStatic::SetFontSize(int size) {
  fontDescription_.lfHeight = -size;
  RebuildFont();
  RedrawNow();
  return *this;
}

CLabelStatic& CLabelStatic::SetFontName(const char* name) {
  CopyText(fontDescription_.lfFaceName, name);
  RebuildFont();
  RedrawNow();
  return *this;
}

void CLabelStatic::ChangeStyle(int index, LONG_PTR bits, bool set) {
  if (!hwnd_) return;
  LONG_PTR style = GetWindowLongPtrA(hwnd_, index);
  SetWindowLongPtrA(hwnd_, index, set ? (style | bits) : (style & ~bits));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

CLabelStatic& CLabelStatic::SetSunken(bool sunken) {
  ChangeStyle(GWL_EXSTYLE, WS_EX_STATICEDGE, sunken);
  return *this;
}

CLabelStatic& CLabelStatic::SetBorder(bool border) {
  ChangeStyle(GWL_STYLE, WS_BORDER, border);
  return *this;
}

CLabelStatic& CLabelStatic::SetLink(bool link) {
  link_ = link ? 1 : 0;
  if (hwnd_) {
    LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    SetWindowLongPtrA(hwnd_, GWL_STYLE,
                      link ? (style | SS_NOTIFY) : (style & ~LONG_PTR(SS_NOTIFY)));
  }
  return *this;
}

CLabelStatic& CLabelStatic::SetLinkCursor(HCURSOR cursor) {
  linkCursor_ = cursor;
  return *this;
}

// Stopping a text flash in its empty phase must not leave the label blank: the saved text is
// put back only when it was the text that flashed.
void CLabelStatic::StopFlash() {
  if (!timerRunning_) return;
  if (flashMode_ == TextFlash && hwnd_) SetWindowTextA(hwnd_, savedText_.c_str());
  if (hwnd_) KillTimer(hwnd_, kFlashTimer);
  timerRunning_ = 0;
  flashMode_ = NoFlash;
  phase_ = 0;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

CLabelStatic& CLabelStatic::FlashText(bool flash) {
  StopFlash();
  if (flash && hwnd_) {
    int length = GetWindowTextLengthA(hwnd_);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd_, text.data(), length + 1);
    savedText_ = text.data();
    phase_ = 0;
    timerRunning_ = 1;
    SetTimer(hwnd_, kFlashTimer, kFlashInterval, nullptr);
    flashMode_ = TextFlash;
  }
  return *this;
}

CLabelStatic& CLabelStatic::FlashBackground(bool flash) {
  StopFlash();
  if (flash && hwnd_) {
    phase_ = 0;
    timerRunning_ = 1;
    SetTimer(hwnd_, kFlashTimer, kFlashInterval, nullptr);
    flashMode_ = BackgroundFlash;
  }
  return *this;
}

LRESULT CLabelStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case ui::kReflectBase + WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SelectObject(dc, font_);
      SetTextColor(dc, foreColor_);
      SetBkMode(dc, TRANSPARENT);
      HBRUSH brush =
          (flashMode_ == BackgroundFlash && phase_ == 0) ? alternateBrush_ : backgroundBrush_;
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_TIMER:
      if (wParam == kFlashTimer) {
        phase_ = !phase_;
        if (flashMode_ == TextFlash) {
          SetWindowTextA(hwnd_, phase_ ? "" : savedText_.c_str());
        } else if (flashMode_ == BackgroundFlash) {
          InvalidateRect(hwnd_, nullptr, FALSE);
          UpdateWindow(hwnd_);
        }
      }
      break;
    case WM_LBUTTONDOWN: {
      int length = GetWindowTextLengthA(hwnd_);
      std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
      GetWindowTextA(hwnd_, text.data(), length + 1);
      ShellExecuteA(nullptr, "open", text.data(), nullptr, nullptr, SW_SHOWNORMAL);
      break;
    }
    case WM_SETCURSOR:
      if (linkCursor_) {
        SetCursor(linkCursor_);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return CallDefault(message, wParam, lParam);
}
