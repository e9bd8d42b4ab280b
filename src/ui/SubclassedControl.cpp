#include "ui/SubclassedControl.h"

namespace ui {

namespace {
const char kOwnerProperty[] = "ui.SubclassedControl";
}

SubclassedControl::~SubclassedControl() { Detach(); }

bool SubclassedControl::Attach(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }

bool SubclassedControl::Attach(HWND control) {
  if (!control || hwnd_ || FromHandle(control)) return false;
  hwnd_ = control;
  SetPropA(control, kOwnerProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::SubclassProc)));
  OnAttached();
  return true;
}

void SubclassedControl::Detach() {
  if (!hwnd_) return;
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(hwnd_, kOwnerProperty);
  }
  hwnd_ = nullptr;
  previous_ = nullptr;
}

SubclassedControl* SubclassedControl::FromHandle(HWND control) {
  if (!control) return nullptr;
  return static_cast<SubclassedControl*>(GetPropA(control, kOwnerProperty));
}

LRESULT SubclassedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallDefault(message, wParam, lParam);
}

LRESULT SubclassedControl::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(previous_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  SubclassedControl* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes away before its owner object: give the control its own procedure back.
    WNDPROC previous = self->previous_;
    self->Detach();
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
  }
  return self->WindowProc(message, wParam, lParam);
}

}  // namespace ui
