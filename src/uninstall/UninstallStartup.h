// What the uninstaller's window does when it opens, and on F1, apart from its controls.
#pragma once

#include "uninstall/UninstallInventory.h"
#include "uninstall/UninstallView.h"

#include <windows.h>

// The uninstaller's start-up rules, for the window and the silent run alike, in the order they
// are met: one uninstaller at a time (ui::StartsAlone, the window only), setup's window, the
// classification below, then the administrator. Each answers its message, or nullptr when the
// uninstaller may go on.
// kCloseSetupFirst while setup's window is open.
const char* UninstallOtherProgramRefusal();
// IDS_NOT_ADMINISTRATOR on 2000 and later when the user is not an administrator.
const char* UninstallAdministratorRefusal(const OsClassification& os);

// The uninstaller's first look at the running system, for the window and the silent run
// alike: keeps its classification in settings.osCode and, on Vista, marks the program as
// handled for the compatibility assistant.
OsClassification ClassifySystemAtStartup(UninstallSettings& settings);

// Classifies the system (disabling the USB check box where there is no USB device driver to
// remove), insists on an administrator on 2000 and later, finds Uninstall.ini, fills the
// inventory and writes the first status line, keeping what it learns in `settings`. False
// after the fatal message box: the window then closes.
bool PrepareUninstall(UninstallSettings& settings, UninstallView& view, HWND owner);

// Opens the English help file of the working directory, or the Chinese one when the shell
// cannot open it.
void OpenUninstallHelp();
