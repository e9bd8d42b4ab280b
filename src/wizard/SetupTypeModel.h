// The setup-type page (Typical or Advanced) and its remarks. CSetupTypePage keeps one
// SetupTypeModel, calls OnTypical / OnAdvanced from its radio clicks, and applies the state
// below after each call and after the frame's page switch reports a change.
#pragma once

class SetupTypeModel {
 public:
  // Initialisation: Typical checked, IDC_REMARK = IDS_INSTALL_DEFAULT_DRIVER, IDC_REMARK2 and
  // IDC_REMARK3 hidden.
  SetupTypeModel();

  void OnTypical();   // IDC_TYPICAL clicked
  void OnAdvanced();  // IDC_ADVANCED clicked
  // The frame, leaving the module page forward, by the model's AdvancedSetup key.
  void AllowAdvanced(bool allowed);

  int typical;           // 1 Typical, 0 Advanced
  bool advancedEnabled;  // radio IDC_ADVANCED
  int checkedRadio;      // IDC_TYPICAL or IDC_ADVANCED
  const char* remark;    // IDC_REMARK
  const char* remark2;   // IDC_REMARK2; null: the template's text stays
  bool remark2Shown;
  bool remark3Shown;  // IDC_REMARK3
};
