#include "wizard/window/InstallHook.h"

// Placeholder until the Install command arrives: it replaces this function with the
// validation, the worker and the progress window. Until then Install does nothing.
void RunInstall(CWizardFrame&) {}
