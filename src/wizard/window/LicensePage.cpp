#include "common/AppMessage.h"
#include "engine/SetupText.h"
#include "wizard/LicenseText.h"
#include "wizard/window/WizardFrame.h"
#include "wizard/window/WizardPages.h"

#include "SetupIds.h"

bool CLicensePage::OnInitDialog() {
  textBox_.Attach(hwnd_, IDC_LICENSE_TEXT);
  CheckRadioButton(hwnd_, IDC_ACCEPT, IDC_REJECT, IDC_REJECT);
  LicenseText text;
  if (text.Load(kLicenseFile) == LicenseMissing) {
    ShowAppMessage(frame_ ? frame_->Handle() : hwnd_, SetupText(IDS_CANNOT_LOAD_LICENSE_TXT),
                   MB_OK);
    if (frame_) frame_->Cancel();
    return false;
  }
  SetDlgItemTextA(hwnd_, IDC_LICENSE_TEXT, text.Text());
  return true;
}

bool CLicensePage::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_ACCEPT || id == IDC_REJECT)) {
    if (frame_) EnableWindow(frame_->Item(IDOK), id == IDC_ACCEPT);
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}
