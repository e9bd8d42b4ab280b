// uninstall's main window: the inventory, the USB check box, the status lines and the
// Uninstall, Select All and Exit buttons. The decisions are the engine's; this window binds
// its controls to the engine's view and passes the buttons on.
#pragma once

#include "ui/Dialog.h"
#include "uninstall/RemovalEngine.h"
#include "uninstall/UninstallState.h"
#include "uninstall/window/UninstallControls.h"

class UninstallDialog : public ui::Dialog {
 public:
  UninstallDialog();
  ~UninstallDialog() override;

  INT_PTR DoModal(HWND owner = nullptr);
  // Creates the window modeless (window tests drive it without a modal loop).
  bool CreateModeless();

  UninstallControls& Controls() { return controls_; }
  UninstallSettings& Settings() { return settings_; }
  HICON Icon() const { return icon_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override {}
  void OnCancel() override;
  bool OnPaint() override;
  bool OnSysCommand(WPARAM command, LPARAM) override;
  bool OnHelp() override;
  HCURSOR OnQueryDragIcon() override { return icon_; }
  void OnDestroy() override;

 private:
  UninstallControls controls_;
  UninstallSettings settings_;
  // The worker's job lives as long as the window, which outlives every run.
  RemovalJob removal_ = {&settings_, &controls_};
  HICON icon_ = nullptr;
};
