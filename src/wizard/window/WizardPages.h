// The five pages of the wizard: modeless child dialogs laid over the frame's page area.
#pragma once

#include "ui/Controls.h"
#include "ui/Dialog.h"
#include "wizard/window/EditEx.h"
#include "wizard/window/LabelStatic.h"

#include "package/ModuleConfig.h"

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

// The licence text box: one for the whole program run.
CEditEx& LicenseTextBox();

class CLicensePage : public CWizardPage {
 public:
  static const UINT kTemplate = 133;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
};

class CModulePage : public CWizardPage {
 public:
  static const UINT kTemplate = 131;
  char modelName[200] = {};
  ModuleConfig config;
  int moduleIndex = 0;
  int setAsDefault = 0;
  int hasModels = 0;

  bool Save() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void ChooseModule(int module);
  void TakeSelectedModel(int module);
  ui::ComboBox lists_[4];  // by PrinterModule: Receipt, Ticket, Label, Embedded
};

class CSetupTypePage : public CWizardPage {
 public:
  static const UINT kTemplate = 137;
  int typical = 1;
  // Typical remarks, Advanced disabled: what the frame applies for a model without
  // the Advanced setup.
  void ForceTypical();
  void EnableAdvanced(bool enable);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void ShowTypicalRemarks();
  void ShowAdvancedRemarks();
  ui::Button typicalButton_;
};

class COsPage : public CWizardPage {
 public:
  static const UINT kTemplate = 130;
  int osIndex = 0;

 protected:
  bool OnInitDialog() override;
};

class CPortPage : public CWizardPage {
 public:
  static const UINT kTemplate = 132;
  static const size_t kPortTextCapacity = 52;  // 51 characters and the terminator

  char portText[kPortTextCapacity] = {};
  char lastModel[200] = "PRINTER";
  int setupType = 1;
  int driverMode = 0;
  int baudRate = 0;
  int dataBits = 8;
  double stopBits = 1.0;
  char parity = 'n';
  char flowControl = 'p';

  void FillPortList(const char* model, int targetOs, int module);
  void FillPortListMultiUsb(const char* model, int targetOs, int module);
  // Preselects the baud-rate list for a configured value and keeps the value.
  void SetConfiguredBaudRate(int value);
  bool Save() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnDestroy() override;

 private:
  void Compose(const char* model, int targetOs, int module, bool multiUsb);
  void OnPortSelected();
  void OnSerialSelected(int id);
  void ApplyUsbDriverCheck();
  void EnableSerialBoxes(bool enable);
  void WriteDriverMode();

  int targetOs_ = 0;
  HWND tooltip_ = nullptr;
  CLabelStatic usbHint_;
  ui::ComboBox ports_;
  ui::ComboBox serial_[5];  // 1041..1045
};

// Process-wide setting of the last port list composition (1 Typical, 0 Advanced).
extern int lastSetupType;
