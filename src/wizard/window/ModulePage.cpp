#include "wizard/window/WizardPages.h"

#include "SetupIds.h"

namespace {
const int kListIds[4] = {IDC_MODELS_RECEIPT, IDC_MODELS_TICKET, IDC_MODELS_LABEL,
                         IDC_MODELS_EMBEDDED};
const int kRadioIds[4] = {IDC_MODULE_RECEIPT, IDC_MODULE_TICKET, IDC_MODULE_LABEL,
                          IDC_MODULE_EMBEDDED};
std::vector<std::string> ShownEntries(const ui::ComboBox& list) {
  std::vector<std::string> entries;
  char text[200];
  for (int i = 0; i < list.GetCount(); ++i) {
    list.GetItemText(i, text, sizeof text);
    entries.push_back(text);
  }
  return entries;
}
}  // namespace

bool CModulePage::OnInitDialog() {
  for (PrinterModule m : kPrinterModules) lists_[m].Bind(hwnd_, kListIds[m]);
  model.Fill(config);
  for (PrinterModule m : kPrinterModules) {
    for (const std::string& name : model.models[m]) lists_[m].AddString(name.c_str());
    model.TakeShownOrder(m, ShownEntries(lists_[m]));
  }
  Apply();
  return true;
}

void CModulePage::Apply() {
  for (PrinterModule m : kPrinterModules) {
    // The model holds the entries in the order the list shows them.
    lists_[m].SetCurSel(model.selection[m]);
    lists_[m].Enable(model.listEnabled[m]);
    EnableWindow(Item(kRadioIds[m]), model.radioEnabled[m]);
  }
  if (IsKnownModule(model.checkedModule))
    CheckRadioButton(hwnd_, IDC_MODULE_RECEIPT, IDC_MODULE_EMBEDDED,
                     kRadioIds[model.checkedModule]);
}

bool CModulePage::Save() {
  model.setAsDefault = IsDlgButtonChecked(hwnd_, IDC_SET_DEFAULT) == BST_CHECKED ? 1 : 0;
  return true;
}

bool CModulePage::OnCommand(int id, int code, HWND control) {
  for (PrinterModule m : kPrinterModules) {
    if (id == kRadioIds[m] && code == BN_CLICKED) {
      model.ChooseModule(m);
      Apply();
      return true;
    }
    if (id == kListIds[m] && code == CBN_SELCHANGE) {
      // The model is the text the user sees selected, whatever order the list keeps.
      char text[200];
      lists_[m].GetItemText(lists_[m].GetCurSel(), text, sizeof text);
      model.SelectModelText(m, text);
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
