// setup's entry point: one wizard at a time, never beside the uninstaller's window.
#include "ui/SingleInstance.h"
#include "wizard/WizardTexts.h"
#include "wizard/window/WizardFrame.h"

#include <commctrl.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Three-dimensional dialog controls are what Windows draws anyway since Windows 95: there
  // is nothing to switch on.

  if (!ui::StartsAlone(kFrameTitle, kUninstallTitle, kCloseUninstallFirst,
                       MB_OK | MB_ICONEXCLAMATION))
    return 0;

  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  WizardPageSet* pages = new WizardPageSet;
  CWizardFrame* frame = new CWizardFrame(*pages);
  frame->AddStandardPages();
  frame->DoModal();
  delete frame;
  delete pages;
  return 0;
}
