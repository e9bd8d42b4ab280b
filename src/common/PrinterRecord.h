// The one reader of a printer's level-2 record, for setup's default printer and the
// uninstaller's removal alike.
#pragma once

#include <windows.h>

#include <winspool.h>

enum PrinterRecordResult { RecordRead, RecordUnreadable, RecordNoMemory };

// GetPrinterA level 2 into a zero-filled block of the size the spooler asks for. On RecordRead
// the caller frees *record with GlobalFree; otherwise *record is null.
PrinterRecordResult ReadPrinterRecord(HANDLE printer, PRINTER_INFO_2A** record);
