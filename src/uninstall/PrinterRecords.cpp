#include "uninstall/PrinterRecords.h"

namespace {

// The two-call pattern: `query(buffer, size, needed, returned)` first without a buffer to
// learn the size, then into a block of that size.
template <typename Query>
void* Enumerate(Query query, DWORD* count) {
  *count = 0;
  DWORD needed = 0;
  DWORD returned = 0;
  if (!query(nullptr, 0, &needed, &returned) && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    return nullptr;
  if (needed == 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GPTR, needed);
  if (!block) return nullptr;
  if (!query(static_cast<LPBYTE>(block), needed, &needed, &returned)) {
    GlobalFree(block);
    return nullptr;
  }
  *count = returned;
  return block;
}

}  // namespace

bool OpenPrinterFully(const char* name, HANDLE* printer) {
  *printer = nullptr;
  PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(const_cast<char*>(name), printer, &defaults)) return true;
  *printer = nullptr;
  return false;
}

PRINTER_INFO_5A* EnumLocalPrinters(DWORD* count) {
  return static_cast<PRINTER_INFO_5A*>(Enumerate(
      [](LPBYTE buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, buffer, size, needed, returned);
      },
      count));
}

MONITOR_INFO_1A* EnumInstalledMonitors(DWORD* count) {
  return static_cast<MONITOR_INFO_1A*>(Enumerate(
      [](LPBYTE buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumMonitorsA(nullptr, 1, buffer, size, needed, returned);
      },
      count));
}

PRINTPROCESSOR_INFO_1A* EnumInstalledProcessors(const char* environment, DWORD* count) {
  return static_cast<PRINTPROCESSOR_INFO_1A*>(Enumerate(
      [environment](LPBYTE buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrintProcessorsA(nullptr, const_cast<char*>(environment), 1, buffer, size,
                                    needed, returned);
      },
      count));
}
