// uninstall's entry point: one uninstaller at a time, never beside the wizard's window.
#include "ui/SingleInstance.h"
#include "uninstall/UninstallStartup.h"
#include "uninstall/window/UninstallDialog.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!ui::StartsAlone(kUninstallWindowTitle, kSetupWindowTitle, kCloseSetupFirst, MB_OK)) return 0;

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // A removal worker may still be sending its last message to the controls as the window
  // closes: the window object stays until the process ends.
  UninstallDialog* window = new UninstallDialog;
  window->DoModal();
  return 0;
}
