#include "wizard/SetupStartup.h"

#include "common/SystemProbes.h"
#include "wizard/WizardTexts.h"

const char* SetupAdministratorRefusal() {
  if (AsksForAdministrator(GetTargetOs()) && !IsAdministrator()) return kAdministratorRequired;
  return nullptr;
}
