// The spooler queries the uninstaller repeats: local printers, monitors and processors by the
// size-query-then-read pattern. A printer's level-2 record is read by common/PrinterRecord.
#pragma once

#include <windows.h>

#include <winspool.h>

#include "common/PrinterRecord.h"

// OpenPrinterA with full access (PRINTER_ALL_ACCESS, no data type, no device mode).
bool OpenPrinterFully(const char* name, HANDLE* printer);

// The records of one enumeration in a block the caller frees with GlobalFree; null (and a
// count of 0) when there are none or the enumeration failed.
PRINTER_INFO_5A* EnumLocalPrinters(DWORD* count);
MONITOR_INFO_1A* EnumInstalledMonitors(DWORD* count);
PRINTPROCESSOR_INFO_1A* EnumInstalledProcessors(const char* environment, DWORD* count);
