// The five pages of the wizard: modeless child dialogs laid over the frame's page area.
#pragma once

#include "SetupIds.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"
#include "wizard/window/EditEx.h"
#include "wizard/window/LabelStatic.h"

#include "package/ModuleConfig.h"
#include "wizard/ModulePageModel.h"
#include "wizard/OsPageModel.h"
#include "wizard/PortPageModel.h"
#include "wizard/SetupTypeModel.h"

class CWizardFrame;

// What every page shares: Enter and Esc inside a page do nothing of their own.
class CWizardPage : public ui::Dialog {
 public:
  explicit CWizardPage(CWizardFrame* frame = nullptr) : frame_(frame) {}
  void SetFrame(CWizardFrame* frame) { frame_ = frame; }
  void ShowPage(bool show) { ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }

 protected:
  void OnOK() override {}
  void OnCancel() override {}
  CWizardFrame* frame_;
};

class CLicensePage : public CWizardPage {
 public:
  static const UINT kTemplate = IDD_LICENSE_PAGE;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  CEditEx textBox_;  // the licence text, attached at initialisation
};

class CModulePage : public CWizardPage {
 public:
  static const UINT kTemplate = IDD_MODULE_PAGE;
  ModuleConfig config;
  ModulePageModel model;

  bool Save() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void Apply();
  ui::ComboBox lists_[4];  // by PrinterModule: Receipt, Ticket, Label, Embedded
};

class CSetupTypePage : public CWizardPage {
 public:
  static const UINT kTemplate = IDD_SETUP_TYPE_PAGE;
  SetupTypeModel model;
  // Shows the model's state: radios, remarks.
  void Apply();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
};

class COsPage : public CWizardPage {
 public:
  static const UINT kTemplate = IDD_OS_PAGE;
  OsPageModel model;

 protected:
  bool OnInitDialog() override;
};

class CPortPage : public CWizardPage {
 public:
  static const UINT kTemplate = IDD_PORT_PAGE;
  PortPageModel model;

  // Shows a composition or a change of port.
  void ApplyView(const PortView& view);
  void SelectBaudRate(int index) { serial_[0].SetCurSel(index); }
  bool Save() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnDestroy() override;

 private:
  void OnSerialSelected(int box);

  HWND tooltip_ = nullptr;
  CLabelStatic usbHint_;
  ui::ComboBox ports_;
  ui::ComboBox serial_[5];  // IDC_BAUD_RATE..IDC_PROTOCOL
};
