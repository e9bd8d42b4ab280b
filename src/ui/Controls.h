// Thin wrappers of the standard controls a dialog binds by ID; they own nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

namespace ui {

class Control {
 public:
  Control() = default;
  void Bind(HWND dialog, int id) { hwnd_ = GetDlgItem(dialog, id); }
  HWND Handle() const { return hwnd_; }
  void Enable(bool enable) const { EnableWindow(hwnd_, enable ? TRUE : FALSE); }
  void SetText(const char* text) const { SetWindowTextA(hwnd_, text); }
  void GetText(char* text, int capacity) const;

 protected:
  HWND hwnd_ = nullptr;
};

class ComboBox : public Control {
 public:
  int AddString(const char* text) const;
  void ResetContent() const { SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0); }
  int GetCount() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0)); }
  int GetCurSel() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }
  void SetCurSel(int index) const { SendMessageA(hwnd_, CB_SETCURSEL, index, 0); }
  // Text of entry `index` into `text`, cut to the capacity; "" for no such entry.
  void GetItemText(int index, char* text, size_t capacity) const;
};

class ProgressBar : public Control {
 public:
  void SetRange(int low, int high) const {
    SendMessageA(hwnd_, PBM_SETRANGE, 0, MAKELPARAM(low, high));
  }
  void SetPos(int position) const { SendMessageA(hwnd_, PBM_SETPOS, position, 0); }
};

}  // namespace ui
