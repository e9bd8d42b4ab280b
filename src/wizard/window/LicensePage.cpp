#include "common/AppMessage.h"
#include "engine/SetupText.h"
#include "wizard/window/WizardFrame.h"
#include "wizard/window/WizardPages.h"

#include "../../../resources/SetupIds.h"

#include <cstdio>
#include <cstdlib>

CEditEx& LicenseTextBox() {
  static CEditEx box;
  return box;
}

bool CLicensePage::OnInitDialog() {
  LicenseTextBox().Attach(hwnd_, IDC_LICENSE_TEXT);
  CheckRadioButton(hwnd_, IDC_ACCEPT, IDC_REJECT, IDC_REJECT);
  FILE* file = fopen("License.txt", "rb");
  if (!file) {
    ShowAppMessage(frame_ ? frame_->Handle() : hwnd_, SetupText(147), MB_OK);
    if (frame_) frame_->Cancel();
    return false;
  }
  long size = -1;
  if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
  fseek(file, 0, SEEK_SET);
  // The text is shown as stored, up to its first NUL; a file too large to hold shows nothing.
  char* text = size >= 0 ? static_cast<char*>(calloc(static_cast<size_t>(size) + 1, 1)) : nullptr;
  if (text) {
    size_t read = fread(text, 1, static_cast<size_t>(size), file);
    text[read] = '\0';
    SetDlgItemTextA(hwnd_, IDC_LICENSE_TEXT, text);
    free(text);
  }
  fclose(file);
  return true;
}

bool CLicensePage::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_ACCEPT || id == IDC_REJECT)) {
    if (frame_) EnableWindow(frame_->Item(IDOK), id == IDC_ACCEPT);
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}
