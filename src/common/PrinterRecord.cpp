#include "common/PrinterRecord.h"

PrinterRecordResult ReadPrinterRecord(HANDLE printer, PRINTER_INFO_2A** record) {
  *record = nullptr;
  DWORD needed = 0;
  if (!GetPrinterA(printer, 2, nullptr, 0, &needed) && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    return RecordUnreadable;
  if (needed < sizeof(PRINTER_INFO_2A)) return RecordUnreadable;
  HGLOBAL block = GlobalAlloc(GPTR, needed);
  if (!block) return RecordNoMemory;
  if (!GetPrinterA(printer, 2, static_cast<LPBYTE>(block), needed, &needed)) {
    GlobalFree(block);
    return RecordUnreadable;
  }
  *record = static_cast<PRINTER_INFO_2A*>(block);
  return RecordRead;
}
