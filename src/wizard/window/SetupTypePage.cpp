#include "wizard/window/WizardPages.h"

#include "SetupIds.h"

bool CSetupTypePage::OnInitDialog() {
  Apply();
  return true;
}

void CSetupTypePage::Apply() {
  EnableWindow(Item(IDC_ADVANCED), model.advancedEnabled);
  CheckRadioButton(hwnd_, IDC_TYPICAL, IDC_ADVANCED, model.checkedRadio);
  SetDlgItemTextA(hwnd_, IDC_REMARK, model.remark);
  if (model.remark2) SetDlgItemTextA(hwnd_, IDC_REMARK2, model.remark2);
  ShowWindow(Item(IDC_REMARK2), model.remark2Shown ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_REMARK3), model.remark3Shown ? SW_SHOW : SW_HIDE);
}

bool CSetupTypePage::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_TYPICAL || id == IDC_ADVANCED)) {
    if (id == IDC_TYPICAL)
      model.OnTypical();
    else
      model.OnAdvanced();
    Apply();
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}
