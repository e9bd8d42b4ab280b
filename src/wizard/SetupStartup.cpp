#include "wizard/SetupStartup.h"

#include "common/ProgramTitles.h"
#include "common/SystemProbes.h"
#include "engine/SetupText.h"
#include "wizard/WizardTexts.h"

#include <windows.h>

const char* SetupOtherProgramRefusal() {
  return FindWindowA(nullptr, kUninstallTitle) ? kCloseUninstallFirst : nullptr;
}

const char* SetupAdministratorRefusal() {
  if (AsksForAdministrator(GetTargetOs()) && !IsAdministrator()) return kAdministratorRequired;
  return nullptr;
}

const char* SetupFrameRefusal(bool sidePictureLoaded) {
  if (!sidePictureLoaded) return SetupText(IDS_CANNOT_LOAD_LEFT_BMP);
  return SetupAdministratorRefusal();
}
