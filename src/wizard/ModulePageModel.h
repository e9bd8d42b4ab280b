// The module page's decisions: the model lists filled from setup.ini's device list, the
// default module and model, and what choosing a module or a model changes. CModulePage keeps
// one ModulePageModel, calls Fill at its initialisation and the handlers from its radio and
// list notifications, and applies the state below to its controls after each call.
#pragma once

#include "package/ModuleConfig.h"

#include <string>
#include <vector>

class ModulePageModel {
 public:
  ModulePageModel();

  // Page initialisation from the device list of `config`: lists (Embedded sorted), their first
  // entries selected, radios of empty modules and every list disabled, then the default
  // device's module checked, its model selected and its list enabled.
  void Fill(ModuleConfig& config);
  // The sorted Embedded control orders its entries by the system's collation, which is not the
  // byte order Fill sorts by (a hyphen weighs less than a digit there): the page hands back the
  // order a filled control shows, so that an index means the same entry on both sides, and the
  // first-entry and default selections are made again over it. Ignored unless `shown` holds the
  // same entries.
  void TakeShownOrder(PrinterModule module, const std::vector<std::string>& shown);
  // Radio IDC_MODULE_RECEIPT, _TICKET, _LABEL or _EMBEDDED clicked.
  void ChooseModule(PrinterModule module);
  // Selection change in a module's list (-1: nothing selected).
  void SelectModel(PrinterModule module, int index);
  // The same by the selected entry's text: the entry spelt exactly so, else the first equal to
  // it without regard to case; none when no entry is.
  void SelectModelText(PrinterModule module, const char* text);

  // The selected entry's text of a module's list, "" when it has none.
  const char* SelectedModel(PrinterModule module) const;

  // Read by the frame.
  char modelName[200];        // all zeros until a model is chosen
  PrinterModule moduleIndex;  // the checked module; NoModule when the default device names none
  int setAsDefault;           // check box IDC_SET_DEFAULT, kept by the page's data exchange
  int hasModels;              // 1 when some list has an entry

  // Applied by the page, index = PrinterModule (IDC_MODELS_RECEIPT, _TICKET, _LABEL,
  // _EMBEDDED). Entries in the order the lists show them; select entries by their text.
  std::vector<std::string> models[4];
  int selection[4];      // -1: no selection
  bool radioEnabled[4];  // IDC_MODULE_RECEIPT, _TICKET, _LABEL, _EMBEDDED
  bool listEnabled[4];
  PrinterModule checkedModule;  // the radio to check, NoModule for none

 private:
  void SelectInitial();
  PrinterModule defaultModule_;
  char defaultName_[260];
};

// Case-insensitive prefix search over `entries` as a list box searches from entry 0: entry 1
// onward first, entry 0 last. -1 when no entry begins with `prefix`.
int FindEntryByPrefix(const std::vector<std::string>& entries, const char* prefix);
// The default device's entry: one equal to `name` (without regard to case), else the prefix
// search above.
int FindDefaultModel(const std::vector<std::string>& entries, const char* name);
