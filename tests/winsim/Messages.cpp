// Messages to HWND_BROADCAST: there are no windows here, so they are only recorded.
#include "winsim/Machine.h"
#include "winsim/MessageLog.h"

namespace winsim {
namespace {
std::vector<Broadcast> sent;

// WM_WININICHANGE and WM_SETTINGCHANGE carry a section name in lParam; other messages
// are recorded without looking at it.
void Record(const char* function, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
            UINT timeout) {
  Broadcast entry{function, message, wParam, false, "", flags, timeout};
  if (message == WM_WININICHANGE && lParam) {
    entry.hasText = true;
    entry.text = reinterpret_cast<const char*>(lParam);
  }
  sent.push_back(entry);
}
}  // namespace

void ResetMessages() { sent.clear(); }

std::vector<Broadcast> Broadcasts() {
  WINSIM_LOCK;
  return sent;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

LRESULT WINAPI SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT flags, UINT timeout, PDWORD_PTR result) {
  WINSIM_LOCK;
  if (FailsNow("SendMessageTimeoutA")) return 0;
  if (window != HWND_BROADCAST) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  Record("SendMessageTimeoutA", message, wParam, lParam, flags, timeout);
  if (result) *result = 0;
  return 1;
}

BOOL WINAPI SendNotifyMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WINSIM_LOCK;
  if (FailsNow("SendNotifyMessageA")) return FALSE;
  if (window != HWND_BROADCAST) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  // NT sends a message whose lParam is text only while the caller waits.
  if (message == WM_WININICHANGE && PlatformId() == VER_PLATFORM_WIN32_NT) {
    SetLastError(ERROR_MESSAGE_SYNC_ONLY);
    return FALSE;
  }
  Record("SendNotifyMessageA", message, wParam, lParam, 0, 0);
  return TRUE;
}

}  // extern "C"
