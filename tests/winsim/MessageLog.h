// Test view of the messages sent to all top-level windows (HWND_BROADCAST).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winsim {

struct Broadcast {
  std::string function;  // "SendMessageTimeoutA" or "SendNotifyMessageA"
  UINT message;
  WPARAM wParam;
  bool hasText;      // lParam pointed to a text
  std::string text;  // that text
  UINT flags;        // SendMessageTimeoutA only
  UINT timeout;      // SendMessageTimeoutA only
};

std::vector<Broadcast> Broadcasts();

}  // namespace winsim
