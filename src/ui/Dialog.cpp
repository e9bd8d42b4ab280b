#include "ui/Dialog.h"

#include "ui/SubclassedControl.h"

#include <cstring>

namespace ui {

Dialog::~Dialog() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

INT_PTR Dialog::DoModal(HINSTANCE instance, UINT id, HWND owner) {
  modal_ = true;
  instance_ = instance;
  templateId_ = id;
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(id), owner, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

bool Dialog::Create(HINSTANCE instance, UINT id, HWND parent) {
  modal_ = false;
  instance_ = instance;
  templateId_ = id;
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(id), parent, DialogProc,
                            reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_)
    ::EndDialog(hwnd_, result);
  else
    Destroy();
}

void Dialog::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Dialog::OnCommand(int id, int, HWND) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

void Dialog::ApplyInitialData() {
  HRSRC found =
      FindResourceA(instance_, MAKEINTRESOURCEA(templateId_), MAKEINTRESOURCEA(kInitialDataType));
  if (!found) return;
  HGLOBAL loaded = LoadResource(instance_, found);
  const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!data) return;
  DWORD size = SizeofResource(instance_, found);
  DWORD at = 0;
  // Each entry is read only as far as the resource reaches; a text must end inside its entry.
  while (at + 2 <= size) {
    WORD control = static_cast<WORD>(data[at] | (data[at + 1] << 8));
    if (control == 0 || at + 8 > size) break;
    WORD code = static_cast<WORD>(data[at + 2] | (data[at + 3] << 8));
    DWORD length = data[at + 4] | (data[at + 5] << 8) | (data[at + 6] << 16) |
                   (static_cast<DWORD>(data[at + 7]) << 24);
    at += 8;
    if (length > size - at) break;
    const char* text = reinterpret_cast<const char*>(data + at);
    bool terminated = length > 0 && memchr(text, '\0', length) != nullptr;
    if (terminated && code == kInitialDataAddComboEntry)
      SendDlgItemMessageA(hwnd_, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    else if (terminated && code == kInitialDataAddListEntry)
      SendDlgItemMessageA(hwnd_, control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    at += length;
  }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return FALSE;
  INT_PTR answer = self->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return answer;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ApplyInitialData();
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_PAINT:
      return OnPaint();
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam, lParam);
    case WM_HELP:
      if (!OnHelp()) return FALSE;
      SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      // A subclassed control answers its own colour request; the dialog passes on its brush.
      HWND control = reinterpret_cast<HWND>(lParam);
      if (SubclassedControl::FromHandle(control))
        return static_cast<INT_PTR>(SendMessageA(control, kReflectBase + message, wParam, lParam));
      break;
    }
    default:
      break;
  }
  INT_PTR result = FALSE;
  if (OnMessage(message, wParam, lParam, &result)) return result;
  return FALSE;
}

}  // namespace ui
