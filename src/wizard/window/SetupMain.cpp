// setup's entry point: one wizard at a time, never beside the uninstaller's window; with /S
// the same installation without a window (SilentSetup).
#include "common/AppMessage.h"
#include "common/CommandLine.h"
#include "common/ProgramTitles.h"
#include "ui/CommonControls.h"
#include "ui/SingleInstance.h"
#include "wizard/SetupStartup.h"
#include "wizard/SilentSetup.h"
#include "wizard/WizardTexts.h"
#include "wizard/window/WizardFrame.h"

#include <commctrl.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  if (HasSwitch(commandLine, "?")) {
    ShowAppMessage(nullptr, kSetupUsage, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (HasSwitch(commandLine, "S")) return RunSilentSetup(commandLine);

  // Three-dimensional dialog controls are what Windows draws anyway since Windows 95: there
  // is nothing to switch on.

  if (!ui::StartsAlone(kSetupTitle)) return 0;
  if (const char* refusal = SetupOtherProgramRefusal()) {
    ShowAppMessage(nullptr, refusal, MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }

  ui::InitCommonControlClasses(ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES);

  WizardPageSet* pages = new WizardPageSet;
  CWizardFrame* frame = new CWizardFrame(*pages);
  frame->AddStandardPages();
  frame->DoModal();
  delete frame;
  delete pages;
  return 0;
}
