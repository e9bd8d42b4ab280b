#include "engine/SetupText.h"
#include "wizard/window/WizardPages.h"

#include "../../../resources/SetupIds.h"

bool CSetupTypePage::OnInitDialog() {
  typicalButton_.Bind(hwnd_, IDC_TYPICAL);
  typical = 1;
  CheckRadioButton(hwnd_, IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
  SetDlgItemTextA(hwnd_, IDC_REMARK, SetupText(135));
  return true;
}

void CSetupTypePage::ShowTypicalRemarks() {
  SetDlgItemTextA(hwnd_, IDC_REMARK, SetupText(135));
  ShowWindow(Item(IDC_REMARK2), SW_HIDE);
  ShowWindow(Item(IDC_REMARK3), SW_HIDE);
  typical = 1;
}

void CSetupTypePage::ShowAdvancedRemarks() {
  SetDlgItemTextA(hwnd_, IDC_REMARK, SetupText(136));
  SetDlgItemTextA(hwnd_, IDC_REMARK2, SetupText(137));
  ShowWindow(Item(IDC_REMARK2), SW_SHOW);
  ShowWindow(Item(IDC_REMARK3), SW_HIDE);
  typical = 0;
}

void CSetupTypePage::ForceTypical() {
  EnableAdvanced(false);
  CheckRadioButton(hwnd_, IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
  ShowTypicalRemarks();
}

void CSetupTypePage::EnableAdvanced(bool enable) { EnableWindow(Item(IDC_ADVANCED), enable); }

bool CSetupTypePage::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && id == IDC_TYPICAL) {
    ShowTypicalRemarks();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_ADVANCED) {
    ShowAdvancedRemarks();
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}
