// The wizard's frame: side picture, page area, Back / Next-Install / Cancel, and the page
// switch that carries the user's choices from page to page into SetupSelection.
#pragma once

#include "SetupIds.h"
#include "engine/InstallRecord.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"
#include "wizard/WizardFlow.h"
#include "wizard/window/WizardPages.h"

#include <memory>

struct WizardPageSet {
  CLicensePage license;
  CModulePage module;
  CSetupTypePage setupType;
  COsPage os;
  CPortPage port;
};

class CWizardFrame : public ui::Dialog {
 public:
  static const UINT kTemplate = IDD_WIZARD_FRAME;
  static const int kMaxPages = 8;

  explicit CWizardFrame(WizardPageSet& pages);
  ~CWizardFrame() override;

  // Registers the pages in the order the wizard shows them; call before DoModal.
  void AddPage(CWizardPage* page, UINT templateId);
  // Registers the five pages of `pages`.
  void AddStandardPages();
  INT_PTR DoModal(HWND owner = nullptr);
  // Creates the frame modeless (window tests drive it without a modal loop).
  bool CreateModeless();

  bool SetActivePage(int index);
  void ClosePages();
  void Cancel() { OnCancel(); }
  // The Install step of the last page: the Install command.
  void OnInstall();
  // Every page takes its fields from its controls.
  void SavePages();
  // After a completed installation: closes the pages and ends the dialog with OK.
  void EndWizard();

  int CurrentPage() const { return flow_ ? flow_->currentPage : -1; }
  SetupSelection selection;
  InstallWorkingData work;
  WizardPageSet& pages;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
  void OnCancel() override;
  bool OnPaint() override;
  bool OnSysCommand(WPARAM command, LPARAM) override;
  bool OnHelp() override;
  HCURSOR OnQueryDragIcon() override { return icon_; }
  void OnDestroy() override;

 private:
  bool SaveCurrentPage();
  bool ApplySwitch(const PageSwitch& change);
  void ApplyStep(const ButtonStep& step);
  void OnBack();

  CWizardPage* pageObjects_[kMaxPages] = {};
  UINT templates_[kMaxPages] = {};
  int pageCount_ = 0;
  ui::Control sidePanel_;
  ui::Control pageArea_;
  HICON icon_ = nullptr;
  HBITMAP sidePicture_ = nullptr;  // loaded at the first initialisation, kept while the frame lives
  std::unique_ptr<WizardFlow> flow_;
};

