// The icon a dialog window draws for itself while it is minimised.
#pragma once

#include <windows.h>

namespace ui {

// While `window` is minimised: erases the icon background and draws `icon` centred in the
// client area, answering true. Otherwise false, and the caller paints as usual.
bool PaintMinimisedIcon(HWND window, HICON icon);

}  // namespace ui
