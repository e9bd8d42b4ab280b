// A control window created by a dialog template, taken over by an object that handles its
// messages first (subclassing) and receives the colour requests its dialog reflects to it.
#pragma once

#include <windows.h>

namespace ui {

class SubclassedControl {
 public:
  SubclassedControl() = default;
  virtual ~SubclassedControl();
  SubclassedControl(const SubclassedControl&) = delete;
  SubclassedControl& operator=(const SubclassedControl&) = delete;

  // Takes over the dialog's control `id`; false when it does not exist or is taken already.
  bool Attach(HWND dialog, int id);
  bool Attach(HWND control);
  void Detach();
  HWND Handle() const { return hwnd_; }

  // The object that took over `control`, or null.
  static SubclassedControl* FromHandle(HWND control);

 protected:
  // Handles the control's messages; the default passes them to the control's own procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnAttached() {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  WNDPROC previous_ = nullptr;
};

}  // namespace ui
