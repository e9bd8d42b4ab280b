#include "ui/SingleInstance.h"

#include "common/AppMessage.h"

namespace ui {

bool StartsAlone(const char* ownTitle) {
  char name[MAX_PATH];
  GetApplicationName(name, sizeof name);
  // Never closed: the name stays taken while this process lives.
  CreateMutexA(nullptr, TRUE, name);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    if (HWND running = FindWindowA(nullptr, ownTitle)) {
      SetForegroundWindow(running);
      if (IsIconic(running)) OpenIcon(running);
    }
    return false;
  }
  return true;
}

}  // namespace ui
