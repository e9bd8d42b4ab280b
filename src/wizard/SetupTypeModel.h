// The setup-type page (Typical or Advanced) and its remarks. CSetupTypePage keeps one
// SetupTypeModel, calls OnTypical / OnAdvanced from its radio clicks, and applies the state
// below after each call and after the frame's page switch reports a change.
#pragma once

class SetupTypeModel {
 public:
  // Initialisation: Typical checked, remark 1068 = text 135, 1069 and 1070 hidden.
  SetupTypeModel();

  void OnTypical();   // 1066 clicked
  void OnAdvanced();  // 1067 clicked
  // The frame, leaving the module page forward, by the model's AdvancedSetup key.
  void AllowAdvanced(bool allowed);

  int typical;           // 1 Typical, 0 Advanced
  bool advancedEnabled;  // radio 1067
  int checkedRadio;      // 1066 or 1067
  const char* remark1068;
  const char* remark1069;  // null: the template's text stays
  bool remark1069Shown;
  bool remark1070Shown;
};
