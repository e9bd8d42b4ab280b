// The steps of a removal run that stand on their own: the serial-port check of the
// Windows 98 family, the DLLs named by Uninstall.ini, the USB device driver and the reboot.
#pragma once

#include "common/SystemProbes.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallView.h"

// Status lines of the run: the string-table text `id`, its "%s" filled with `name`.
void AppendStatusText(UninstallView& view, int id, const char* name = "");

// Windows 98 family: a monitor of the vendor's serial ports stays while any local printer is
// on an "AQCOM" port. False after the lines saying why (IDS_OPEN_PRINTER_ERROR,
// IDS_PRINTER_INFO_ERROR, IDS_ALLOCATE_MEMORY_ERROR or IDS_PRINTER_HAS_JOBS for `monitorName`).
bool IsAqcomPortFree(UninstallView& view, const char* monitorName);

// Delete the monitor's two DLLs from the system directory, and the processor's DLL from the
// print-processor directory, as the Uninstall.ini of `settings` names them for its OS. Answer 1.
int DeleteMonitorFiles(const UninstallSettings& settings, UninstallView& view,
                       const char* monitorName);
int DeleteProcessorFile(const UninstallSettings& settings, UninstallView& view,
                        const char* processorName);

// Runs "<working directory>\USBDrv\Install.exe 22" and waits while its window is open.
void RemoveUsbDeviceDriver(UninstallView& view);

// Every platform but the 98 family, an unreadable version aside, must enable the shutdown
// privilege before it reboots: the platform decides, not the OS code.
bool RebootNeedsShutdownPrivilege(const SystemVersion& version);
// Reboots, enabling the shutdown privilege first where the running system needs it.
void RestartWindows();
