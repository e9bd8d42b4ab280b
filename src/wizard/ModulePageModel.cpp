#include "wizard/ModulePageModel.h"

#include "common/BoundedText.h"
#include "common/TextCompare.h"

#include <algorithm>
#include <cstring>

int FindDefaultModel(const std::vector<std::string>& entries, const char* name) {
  if (!name) name = "";
  // An entry that is the default name itself wins over a longer name it begins, which the
  // prefix search alone would pick when that one comes first ("QM-C3W" before "QM-C3").
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].size() == strlen(name) && StartsWithNoCase(entries[i].c_str(), name))
      return static_cast<int>(i);
  return FindEntryByPrefix(entries, name);
}

int FindEntryByPrefix(const std::vector<std::string>& entries, const char* prefix) {
  if (!prefix) prefix = "";
  int count = static_cast<int>(entries.size());
  for (int step = 1; step <= count; ++step) {
    int i = step % count;  // entry 1 onward, entry 0 last
    if (StartsWithNoCase(entries[i].c_str(), prefix)) return i;
  }
  return -1;
}

ModulePageModel::ModulePageModel()
    : moduleIndex(ReceiptModule),
      setAsDefault(0),
      hasModels(0),
      checkedModule(NoModule),
      defaultModule_(NoModule) {
  memset(modelName, 0, sizeof modelName);
  memset(defaultName_, 0, sizeof defaultName_);
  for (PrinterModule m : kPrinterModules) {
    selection[m] = -1;
    radioEnabled[m] = true;
    listEnabled[m] = true;
  }
}

void ModulePageModel::Fill(ModuleConfig& config) {
  char name[260];
  memset(name, 0, sizeof name);
  int count = config.GetDeviceCount();
  if (count > kMaxDevices) count = kMaxDevices;
  for (int i = 1; i <= count; ++i) {
    PrinterModule module = config.GetDeviceName(i, name);
    if (!IsKnownModule(module)) continue;
    std::vector<std::string>& list = models[module];
    std::string model(name);
    if (module == EmbeddedModule) {
      // Only the Embedded list is sorted; a new name goes after the names equal to it.
      auto at = list.begin();
      while (at != list.end() && !LessNoCase(model, *at)) ++at;
      list.insert(at, model);
    } else {
      list.push_back(model);
    }
  }
  defaultModule_ = config.GetDefaultDevice(defaultName_);
  SelectInitial();
}

void ModulePageModel::SelectInitial() {
  bool any = false;
  for (PrinterModule m : kPrinterModules) {
    bool empty = models[m].empty();
    selection[m] = empty ? -1 : 0;
    listEnabled[m] = false;
    radioEnabled[m] = !empty;
    any = any || !empty;
  }
  hasModels = any ? 1 : 0;

  PrinterModule module = defaultModule_;
  checkedModule = NoModule;
  memset(modelName, 0, sizeof modelName);
  if (IsKnownModule(module)) {
    checkedModule = module;
    selection[module] = FindDefaultModel(models[module], defaultName_);
    if (selection[module] >= 0) CopyText(modelName, models[module][selection[module]].c_str());
    listEnabled[module] = true;
  }
  moduleIndex = module;
}

void ModulePageModel::TakeShownOrder(PrinterModule module, const std::vector<std::string>& shown) {
  if (!IsKnownModule(module)) return;
  const std::vector<std::string>& mine = models[module];
  if (shown.size() != mine.size()) return;
  for (const std::string& entry : shown)
    if (std::count(shown.begin(), shown.end(), entry) !=
        std::count(mine.begin(), mine.end(), entry))
      return;
  models[module] = shown;
  SelectInitial();
}

void ModulePageModel::ChooseModule(PrinterModule module) {
  if (!IsKnownModule(module)) return;
  for (PrinterModule m : kPrinterModules) listEnabled[m] = false;
  memset(modelName, 0, sizeof modelName);
  CopyText(modelName, SelectedModel(module));
  listEnabled[module] = true;
  checkedModule = module;
  moduleIndex = module;
}

void ModulePageModel::SelectModel(PrinterModule module, int index) {
  if (!IsKnownModule(module)) return;
  if (index < 0 || index >= static_cast<int>(models[module].size())) index = -1;
  selection[module] = index;
  memset(modelName, 0, sizeof modelName);
  CopyText(modelName, SelectedModel(module));
}

void ModulePageModel::SelectModelText(PrinterModule module, const char* text) {
  if (!IsKnownModule(module)) return;
  const std::vector<std::string>& list = models[module];
  int index = -1;
  for (size_t i = 0; text && i < list.size() && index < 0; ++i)
    if (list[i] == text) index = static_cast<int>(i);
  for (size_t i = 0; text && i < list.size() && index < 0; ++i)
    if (list[i].size() == strlen(text) && StartsWithNoCase(list[i].c_str(), text))
      index = static_cast<int>(i);
  SelectModel(module, index);
}

const char* ModulePageModel::SelectedModel(PrinterModule module) const {
  if (!IsKnownModule(module) || selection[module] < 0) return "";
  return models[module][selection[module]].c_str();
}
