// uninstall's entry point: one uninstaller at a time, never beside the wizard's window; with
// /S the same removal without a window (SilentUninstall).
#include "common/AppMessage.h"
#include "common/CommandLine.h"
#include "common/ProgramTitles.h"
#include "ui/CommonControls.h"
#include "ui/SingleInstance.h"
#include "uninstall/SilentUninstall.h"
#include "uninstall/UninstallStartup.h"
#include "uninstall/window/UninstallDialog.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  if (HasSwitch(commandLine, "?")) {
    ShowAppMessage(nullptr, kUninstallUsage, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (HasSwitch(commandLine, "S")) return RunSilentUninstall(commandLine);

  if (!ui::StartsAlone(kUninstallTitle)) return 0;
  if (const char* refusal = UninstallOtherProgramRefusal()) {
    ShowAppMessage(nullptr, refusal, MB_OK);
    return 0;
  }

  ui::InitCommonControlClasses(ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES);

  // A removal worker may still be sending its last message to the controls as the window
  // closes: the window object stays until the process ends.
  UninstallDialog* window = new UninstallDialog;
  window->DoModal();
  return 0;
}
