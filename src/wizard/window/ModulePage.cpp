#include "wizard/window/WizardPages.h"

#include "SetupIds.h"

namespace {
const int kListIds[4] = {IDC_MODELS_RECEIPT, IDC_MODELS_TICKET, IDC_MODELS_LABEL,
                         IDC_MODELS_EMBEDDED};
const int kRadioIds[4] = {IDC_MODULE_RECEIPT, IDC_MODULE_TICKET, IDC_MODULE_LABEL,
                          IDC_MODULE_EMBEDDED};
}  // namespace

bool CModulePage::OnInitDialog() {
  for (int m = 0; m < 4; ++m) lists_[m].Bind(hwnd_, kListIds[m]);
  model.Fill(config);
  for (int m = 0; m < 4; ++m)
    for (const std::string& name : model.models[m]) lists_[m].AddString(name.c_str());
  Apply();
  return true;
}

void CModulePage::Apply() {
  for (int m = 0; m < 4; ++m) {
    int index = -1;
    if (model.selection[m] >= 0 && model.selection[m] < static_cast<int>(model.models[m].size()))
      index = static_cast<int>(
          SendMessageA(lists_[m].Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(
                           model.models[m][static_cast<size_t>(model.selection[m])].c_str())));
    lists_[m].SetCurSel(index);
    lists_[m].Enable(model.listEnabled[m]);
    EnableWindow(Item(kRadioIds[m]), model.radioEnabled[m]);
  }
  if (model.checkedModule >= 0 && model.checkedModule < 4)
    CheckRadioButton(hwnd_, IDC_MODULE_RECEIPT, IDC_MODULE_EMBEDDED,
                     kRadioIds[model.checkedModule]);
}

bool CModulePage::Save() {
  model.setAsDefault = IsDlgButtonChecked(hwnd_, IDC_SET_DEFAULT) == BST_CHECKED ? 1 : 0;
  return true;
}

bool CModulePage::OnCommand(int id, int code, HWND control) {
  for (int m = 0; m < 4; ++m) {
    if (id == kRadioIds[m] && code == BN_CLICKED) {
      model.ChooseModule(m);
      Apply();
      return true;
    }
    if (id == kListIds[m] && code == CBN_SELCHANGE) {
      // The model keeps entries in the order the list shows them.
      model.SelectModel(m, lists_[m].GetCurSel());
      Apply();
      return true;
    }
  }
  if (id == IDC_SET_DEFAULT && code == BN_CLICKED) {
    Save();
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}
