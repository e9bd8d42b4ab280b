// Helpers of the wizard's window tests: message pumping, control state reads and
// screenshots written as BMP files into the build tree.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

// Dispatches the messages of this thread for `milliseconds`.
void Pump(DWORD milliseconds = 50);
// Dispatches messages until `done` answers true, for at most `bound` milliseconds (generous,
// so that a loaded machine is not taken for a fault); answers `done` once more at the end.
template <typename Condition>
bool PumpUntil(Condition done, DWORD bound = 30000) {
  for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < bound;) Pump(20);
  return done();
}
// Text of a window or control.
std::string Text(HWND window);
// Entries of a combo box, in their order.
std::vector<std::string> ComboEntries(HWND combo);
std::string ComboSelection(HWND combo);
// Selects `index` in a combo box and notifies its parent as a user's change would.
void SelectCombo(HWND combo, int index);
void Click(HWND button);
bool Visible(HWND window);
// The build tree's screenshot directory as a Windows path, with a trailing backslash.
std::string ScreenshotDir();
// Saves what the screen shows of `window` as "<ScreenshotDir><name>.bmp"; false on failure.
bool SaveScreenshot(HWND window, const char* name);

}  // namespace wintest
