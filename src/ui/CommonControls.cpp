#include "ui/CommonControls.h"

#include <commctrl.h>

namespace ui {

void InitCommonControlClasses(DWORD classes) {
  typedef BOOL(WINAPI * InitEx)(const INITCOMMONCONTROLSEX*);
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  InitEx initEx =
      comctl ? reinterpret_cast<InitEx>(
                   reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")))
             : nullptr;
  INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
  // Where the extended call refuses the flags (an older comctl32 knows fewer), the plain one
  // still registers the classes it has.
  if (!initEx || !initEx(&controls)) InitCommonControls();
}

}  // namespace ui
