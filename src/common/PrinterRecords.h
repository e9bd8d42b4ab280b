// The spooler queries the programs repeat: local printers, monitors and processors by the
// size-query-then-read pattern, and a printer's level-2 record (the one reader of it, for
// setup's default printer and the uninstaller's removal alike).
#pragma once

#include <windows.h>

#include <winspool.h>

enum PrinterRecordResult { RecordRead, RecordUnreadable, RecordNoMemory };

// OpenPrinterA with full access (PRINTER_ALL_ACCESS, no data type, no device mode).
bool OpenPrinterFully(const char* name, HANDLE* printer);
// GetPrinterA level 2 into a block of the size the spooler asks for. On RecordRead the
// caller frees *record with GlobalFree; otherwise *record is null.
PrinterRecordResult ReadPrinterRecord(HANDLE printer, PRINTER_INFO_2A** record);

// The records of one enumeration in a block the caller frees with GlobalFree; null (and a
// count of 0) when there are none or the enumeration failed.
PRINTER_INFO_5A* EnumLocalPrinters(DWORD* count);
MONITOR_INFO_1A* EnumInstalledMonitors(DWORD* count);
PRINTPROCESSOR_INFO_1A* EnumInstalledProcessors(const char* environment, DWORD* count);
