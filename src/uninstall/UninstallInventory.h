// What the uninstaller counts as the family's: the running system, where Uninstall.ini is,
// the three membership tests built on it, and the inventory list.
#pragma once

#include "common/SystemProbes.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallView.h"

#include <windows.h>

#include <cstddef>

struct OsClassification {
  TargetOs osCode;             // UnsupportedPlatform for a platform of neither family
  bool usbRemovalUnavailable;  // Windows 98/Me and NT 4.0: no USB device driver to remove
};

// A version that cannot be read counts as Windows 98/Me, with the USB removal available.
OsClassification ClassifyOs(const SystemVersion& version);

// The section suffix of Uninstall.ini's file sections for an OS code (2000 and XP share ".2K").
const char* UninstallOsSuffix(TargetOs osCode);

// Every value of Uninstall.ini is read with the default "0" into a buffer of this size.
const size_t kIniValueSize = 30;
// The most entries a fragment list is read with: entry n is looked up under the base name
// followed by the character '0' + n, and past this count that character would wrap round to
// the base name and to earlier entries.
const int kMaxUninstallEntries = 255 - '0';
// Reads `key` of `section` from the Uninstall.ini of `settings`.
void ReadUninstallValue(const UninstallSettings& settings, const char* section, const char* key,
                        char (&value)[kIniValueSize]);

// Looks for "Uninstall.ini" in the working directory, then in its "DRVCONFIG\"; fills
// settings.iniPath. On failure it has shown
// IDS_SYSTEM_DIRECTORY_ERROR, IDS_INVALID_FILE_HANDLE or IDS_NO_UNINSTALL_INI and answers 0.
int LocateUninstallIni(UninstallSettings& settings, HWND owner);

// The family's rules, against the Uninstall.ini and the system of `settings`.
bool IsListedPrinter(const UninstallSettings& settings, const char* printerName);
// The test IsListedPrinter applies to an opened printer's driver name.
bool IsListedDriverName(const UninstallSettings& settings, const char* driverName);
bool IsListedMonitor(const UninstallSettings& settings, const char* monitorName);
bool IsListedProcessor(const UninstallSettings& settings, const char* processorName);

// Appends the family's printers, then monitors, then processors, each in the spooler's order.
void FillInventory(const UninstallSettings& settings, UninstallView& view);
