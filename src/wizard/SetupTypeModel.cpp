#include "wizard/SetupTypeModel.h"

#include "engine/SetupText.h"

namespace {
const int kTypicalRadio = 1066;
const int kAdvancedRadio = 1067;
}  // namespace

SetupTypeModel::SetupTypeModel()
    : typical(1),
      advancedEnabled(true),
      checkedRadio(kTypicalRadio),
      remark1068(SetupText(135)),
      remark1069(nullptr),
      remark1069Shown(false),
      remark1070Shown(false) {}

void SetupTypeModel::OnTypical() {
  remark1068 = SetupText(135);
  remark1069Shown = false;
  remark1070Shown = false;
  checkedRadio = kTypicalRadio;
  typical = 1;
}

void SetupTypeModel::OnAdvanced() {
  remark1068 = SetupText(136);
  remark1069 = SetupText(137);
  remark1069Shown = true;
  remark1070Shown = false;
  checkedRadio = kAdvancedRadio;
  typical = 0;
}

void SetupTypeModel::AllowAdvanced(bool allowed) {
  advancedEnabled = allowed;
  if (!allowed) OnTypical();
}
