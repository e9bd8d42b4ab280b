#include "wizard/window/WizardPages.h"

#include "common/BoundedText.h"

#include "../../../resources/SetupIds.h"

#include <cstring>

namespace {
const int kListIds[4] = {IDC_MODELS_RECEIPT, IDC_MODELS_TICKET, IDC_MODELS_LABEL,
                         IDC_MODELS_EMBEDDED};
const int kRadioIds[4] = {IDC_MODULE_RECEIPT, IDC_MODULE_TICKET, IDC_MODULE_LABEL,
                          IDC_MODULE_EMBEDDED};
}  // namespace

bool CModulePage::OnInitDialog() {
  for (int m = 0; m < 4; ++m) lists_[m].Bind(hwnd_, kListIds[m]);
  char name[260] = {};
  hasModels = 1;
  int count = config.GetDeviceCount();
  for (int i = 1; i <= count; ++i) {
    int module = config.GetDeviceName(i, name);
    if (module >= 0 && module < 4) lists_[module].AddString(name);
  }
  bool anyModels = false;
  for (int m = 0; m < 4; ++m) {
    lists_[m].SetCurSel(0);
    lists_[m].Enable(false);
  }
  for (int m = 0; m < 4; ++m) {
    if (lists_[m].GetCount() > 0) {
      anyModels = true;
    } else {
      EnableWindow(Item(kRadioIds[m]), FALSE);
      lists_[m].Enable(false);
    }
  }
  if (!anyModels) hasModels = 0;
  int module = config.GetDefaultDevice(name);
  if (module >= 0 && module < 4) {
    CheckRadioButton(hwnd_, IDC_MODULE_RECEIPT, IDC_MODULE_EMBEDDED, kRadioIds[module]);
    // Case-insensitive prefix search that starts after entry 0 and wraps around to it.
    int found = static_cast<int>(
        SendMessageA(lists_[module].Handle(), CB_FINDSTRING, 0, reinterpret_cast<LPARAM>(name)));
    lists_[module].SetCurSel(found);
    if (lists_[module].GetCurSel() >= 0)
      lists_[module].GetItemText(lists_[module].GetCurSel(), modelName, sizeof modelName);
    lists_[module].Enable(true);
  }
  moduleIndex = module;
  return true;
}

void CModulePage::TakeSelectedModel(int module) {
  memset(modelName, 0, sizeof modelName);
  int selected = lists_[module].GetCurSel();
  if (selected >= 0) lists_[module].GetItemText(selected, modelName, sizeof modelName);
}

void CModulePage::ChooseModule(int module) {
  for (int m = 0; m < 4; ++m) lists_[m].Enable(false);
  TakeSelectedModel(module);
  lists_[module].Enable(true);
  moduleIndex = module;
}

bool CModulePage::Save() {
  setAsDefault = IsDlgButtonChecked(hwnd_, IDC_SET_DEFAULT) == BST_CHECKED ? 1 : 0;
  return true;
}

bool CModulePage::OnCommand(int id, int code, HWND control) {
  for (int m = 0; m < 4; ++m) {
    if (id == kRadioIds[m] && code == BN_CLICKED) {
      ChooseModule(m);
      return true;
    }
    if (id == kListIds[m] && code == CBN_SELCHANGE) {
      TakeSelectedModel(m);
      return true;
    }
  }
  if (id == IDC_SET_DEFAULT && code == BN_CLICKED) {
    Save();
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}
