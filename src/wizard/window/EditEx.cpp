#include "wizard/window/EditEx.h"

#include "common/BoundedText.h"
#include "ui/Dialog.h"

#include <cstring>

namespace {
CEditEx* NewEditEx() { return new CEditEx; }
}  // namespace

const CEditEx::ClassRecord CEditEx::kClassRecord = {"CEditEx", "CEdit", &NewEditEx};

CEditEx* CEditEx::CreateByName(const char* name) {
  if (!name || strcmp(name, kClassRecord.name) != 0) return nullptr;
  return kClassRecord.create();
}

CEditEx::CEditEx()
    : backColor_(GetSysColor(COLOR_WINDOW)), foreColor_(GetSysColor(COLOR_WINDOWTEXT)) {
  CreateBackgroundBrush();
}

CEditEx::~CEditEx() {
  Detach();
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  if (font_) DeleteObject(font_);
  delete filter_;
}

void CEditEx::CreateBackgroundBrush() { backgroundBrush_ = CreateSolidBrush(backColor_); }

void CEditEx::Redraw() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

COLORREF CEditEx::SetBackColor(COLORREF color) {
  COLORREF previous = backColor_;
  backColor_ = color;
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  backgroundBrush_ = nullptr;
  CreateBackgroundBrush();
  Redraw();
  return previous;
}

COLORREF CEditEx::SetForeColor(COLORREF color) {
  COLORREF previous = foreColor_;
  foreColor_ = color;
  Redraw();
  return previous;
}

void CEditEx::SetLogFont(const LOGFONTA* description) {
  if (!description) return;
  if (font_) DeleteObject(font_);
  font_ = CreateFontIndirectA(description);
  if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void CEditEx::SetFontSpec(LONG height, BYTE pitchAndFamily, const char* faceName) {
  LOGFONTA description = {};
  description.lfHeight = height;
  description.lfWeight = FW_NORMAL;
  description.lfPitchAndFamily = pitchAndFamily;
  CopyText(description.lfFaceName, faceName);
  SetLogFont(&description);
}

void CEditEx::CopyStyleFrom(const CEditEx& other) {
  if (&other == this || (hwnd_ && hwnd_ == other.hwnd_)) return;
  SetBackColor(other.backColor_);
  SetForeColor(other.foreColor_);
  if (other.font_) {
    LOGFONTA description = {};
    description.lfHeight = -8;
    description.lfWeight = FW_NORMAL;
    CopyText(description.lfFaceName, "MS Sans Serif");
    GetObjectA(other.font_, sizeof description, &description);
    SetLogFont(&description);
  }
}

void CEditEx::SetCharFilter(CharFilter* filter) {
  if (filter_ != filter) delete filter_;
  filter_ = filter;
}

LRESULT CEditEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // A read-only edit control asks with the static control's request.
    case ui::kReflectBase + WM_CTLCOLOREDIT:
    case ui::kReflectBase + WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, foreColor_);
      SetBkColor(dc, backColor_);
      return reinterpret_cast<LRESULT>(backgroundBrush_);
    }
    case WM_CHAR:
      if (filter_ && !filter_->Accepts(static_cast<UINT>(wParam))) {
        MessageBeep(0);
        return 0;
      }
      break;
    case WM_CONTEXTMENU: {
      if (contextMenuId_ == 0) break;
      HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(contextMenuId_));
      if (!menu) break;
      if (HMENU popup = GetSubMenu(menu, 0)) {
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, static_cast<short>(LOWORD(lParam)),
                       static_cast<short>(HIWORD(lParam)), 0, hwnd_, nullptr);
      }
      DestroyMenu(menu);
      return 0;
    }
    default:
      break;
  }
  return CallDefault(message, wParam, lParam);
}
