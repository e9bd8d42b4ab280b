// What keeps setup from starting on this machine, decided once for the wizard's window and the
// silent run alike. Each rule answers its message, or nullptr when setup may go on; the caller
// shows or logs it. In the order they are met: one setup at a time (ui::StartsAlone, the
// window only), the uninstaller's window, then, as the frame opens, its side picture and the
// administrator.
#pragma once

// kCloseUninstallFirst while the uninstaller's window is open.
const char* SetupOtherProgramRefusal();

// The administrator message on a system whose spooler asks for one (2000 to Vista) when the
// user is not an administrator. NT 4.0 and the Windows 98 family are not asked.
const char* SetupAdministratorRefusal();

// What the wizard's frame refuses as it opens: the side picture it could not load (the silent
// run shows none), then the administrator rule.
const char* SetupFrameRefusal(bool sidePictureLoaded);
