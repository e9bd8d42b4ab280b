#include "wizard/SetupStartup.h"

#include "common/SystemProbes.h"
#include "package/ModuleConfig.h"
#include "wizard/WizardTexts.h"

const char* SetupAdministratorRefusal() {
  int os = GetTargetOs();
  if (os >= Win2000 && os <= WinVista && !IsAdministrator()) return kAdministratorRequired;
  return nullptr;
}
