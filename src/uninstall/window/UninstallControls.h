// The engine's view of the main window: the inventory list view, the status list box and the
// USB check box, reached only through messages to the controls, so that the removal worker's
// calls are carried out by the window's own thread.
#pragma once

#include "uninstall/UninstallView.h"

#include <windows.h>

class UninstallControls : public UninstallView {
 public:
  void Bind(HWND dialog);

  int ItemCount() override;
  void AppendItem(const char* text) override;
  void GetItemText(int index, char* text, size_t capacity) override;
  bool IsItemChecked(int index) override;
  void DeleteItem(int index) override;
  void AppendStatus(const char* text) override;
  bool IsUsbRemovalChecked() override;
  void SetBusy(bool busy) override;
  void SetUsbRemovalAvailable(bool available) override;
  bool AskRestart() override;

  // Select All: ticks every entry, whether ticked already or not.
  void CheckAll();

 private:
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
  HWND status_ = nullptr;
  HWND usb_ = nullptr;
};
