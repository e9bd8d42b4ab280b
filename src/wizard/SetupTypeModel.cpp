#include "wizard/SetupTypeModel.h"

#include "SetupIds.h"
#include "engine/SetupText.h"

SetupTypeModel::SetupTypeModel()
    : typical(1),
      advancedEnabled(true),
      checkedRadio(IDC_TYPICAL),
      remark(SetupText(IDS_INSTALL_DEFAULT_DRIVER)),
      remark2(nullptr),
      remark2Shown(false),
      remark3Shown(false) {}

void SetupTypeModel::OnTypical() {
  remark = SetupText(IDS_INSTALL_DEFAULT_DRIVER);
  remark2Shown = false;
  remark3Shown = false;
  checkedRadio = IDC_TYPICAL;
  typical = 1;
}

void SetupTypeModel::OnAdvanced() {
  remark = SetupText(IDS_SUPPORT_MULTI_USB);
  remark2 = SetupText(IDS_SUPPORT_DRIVER_MODE);
  remark2Shown = true;
  remark3Shown = false;
  checkedRadio = IDC_ADVANCED;
  typical = 0;
}

void SetupTypeModel::AllowAdvanced(bool allowed) {
  advancedEnabled = allowed;
  if (!allowed) OnTypical();
}
