// The dialog base both programs build their windows on: one object per dialog window, one
// static dialog procedure that finds the object and dispatches to its virtual handlers.
#pragma once

#include <windows.h>

namespace ui {

// Messages a dialog sends back to the subclassed control that caused them (colour requests),
// so that the control decides its own colours.
const UINT kReflectBase = WM_APP + 0x1C00;

// A template's initial list data: a resource of this type and the template's ID, entries
// {WORD control, WORD message, DWORD length, bytes} ended by control 0. The message codes are
// those resource editors write for adding a list entry.
const WORD kInitialDataType = 240;
const WORD kInitialDataAddComboEntry = 0x0403;
const WORD kInitialDataAddListEntry = 0x0401;

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog of template `id` modally; returns what EndDialog was given, -1 when the
  // window could not be created.
  INT_PTR DoModal(HINSTANCE instance, UINT id, HWND owner);
  // Creates the dialog of template `id` as a modeless child of `parent`.
  bool Create(HINSTANCE instance, UINT id, HWND parent);

  HWND Handle() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  bool IsModal() const { return modal_; }
  void EndDialog(INT_PTR result);
  void Destroy();

  // The "save" direction of the data exchange: the dialog's controls into its fields.
  // False refuses to leave the dialog.
  virtual bool Save() { return true; }

 protected:
  // Return true when the message was handled.
  virtual bool OnInitDialog() { return true; }
  virtual bool OnCommand(int id, int code, HWND control);
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  virtual bool OnTimer(UINT_PTR) { return false; }
  virtual bool OnPaint() { return false; }
  virtual bool OnSysCommand(WPARAM, LPARAM) { return false; }
  virtual bool OnHelp() { return false; }
  virtual HCURSOR OnQueryDragIcon() { return nullptr; }
  virtual void OnDestroy() {}
  // Everything the handlers above do not cover; `result` is the dialog procedure's answer
  // (DWLP_MSGRESULT is set from it for messages that need one).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

  HWND hwnd_ = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void ApplyInitialData();

  bool modal_ = false;
  HINSTANCE instance_ = nullptr;
  UINT templateId_ = 0;
};

}  // namespace ui
