#include "uninstall/UninstallInventory.h"

#include "common/BoundedText.h"
#include "common/SpoolerEnvironment.h"
#include "common/SystemProbes.h"
#include "uninstall/PrinterRecords.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"

#include <cstring>

namespace {

const char* const kIniName = "Uninstall.ini";

// Leading decimal digits, as atoi reads them, without atoi's overflow.
int DecimalCount(const char* text) {
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text)
    if (value < 100000) value = value * 10 + (*text - '0');
  return static_cast<int>(negative ? -value : value);
}

// True as soon as `name` contains one of the entries baseKey1 .. baseKeyN of `section`,
// N being the count under `countKey`.
bool NameIsListed(const UninstallSettings& settings, const char* section, const char* countKey,
                  const char* baseKey, const char* name) {
  char value[kIniValueSize];
  ReadUninstallValue(settings, section, countKey, value);
  int count = DecimalCount(value);
  if (count > kMaxUninstallEntries) count = kMaxUninstallEntries;
  for (int n = 1; n <= count; ++n) {
    char key[40];
    FormatText(key, sizeof key, "%s%c", baseKey, static_cast<char>('0' + n));
    ReadUninstallValue(settings, section, key, value);
    // An empty entry is a slip of the medium's author, not a wish to take every printer,
    // monitor and processor of the system (the Local Port monitor among them) for the family's.
    if (value[0] && strstr(name ? name : "", value)) return true;
  }
  return false;
}

enum SearchResult { SearchFound, SearchExhausted, SearchCannotStart };

// Searches `dir` (with its trailing backslash) for an entry whose name contains
// "Uninstall.ini". Only the matching entry gets its attributes set to archive: the entries
// before it belong to whoever owns the directory (it may be System32 or a user's documents).
SearchResult SearchDirectory(const char* dir) {
  char pattern[kUninstallIniPathSize];
  if (!FormatText(pattern, sizeof pattern, "%s*.*", dir)) return SearchCannotStart;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(pattern, &entry);
  if (find == INVALID_HANDLE_VALUE) return SearchCannotStart;
  SearchResult result = SearchExhausted;
  do {
    entry.cFileName[sizeof entry.cFileName - 1] = '\0';
    if (!strstr(entry.cFileName, kIniName)) continue;
    char matched[MAX_PATH + kUninstallIniPathSize];
    if (FormatText(matched, sizeof matched, "%s%s", dir, entry.cFileName))
      SetFileAttributesA(matched, FILE_ATTRIBUTE_ARCHIVE);
    result = SearchFound;
    break;
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return result;
}

// A found file whose full name does not fit the path buffer is taken as not found: a cut path
// would name some other file.
bool StorePath(UninstallSettings& settings, const char* dir) {
  char* path = settings.iniPath;
  if (FormatText(path, kUninstallIniPathSize, "%s%s", dir, kIniName)) return true;
  memset(path, 0, kUninstallIniPathSize);
  return false;
}

}  // namespace

OsClassification ClassifyOs(const SystemVersion& version) {
  // The medium has nothing for a 64-bit Windows older than 7: neither family's removal fits.
  if (version.known && ((!IsWindows9xFamily(version) && !IsNtFamily(version)) ||
                        IsOld64BitWindows(version)))
    return {UnsupportedPlatform, false};
  TargetOs os = TargetOsOf(version);
  // Only a recognised 98/Me or NT 4.0 loses the USB removal: Windows 95 and unrecognised NT
  // versions keep it.
  return {os, IsRecognisedSystem(version) && !HasUsbDeviceDriver(os)};
}

const char* UninstallOsSuffix(TargetOs osCode) {
  switch (osCode) {
    case Win98Me:
      return ".98";
    case WinNt4:
      return ".NT";
    case Win2000:
    case WinXp:
      return ".2K";
    case WinServer2003:
      return ".2003";
    case Win7:
      return ".Win7";
    case Win7x64:
      return ".Win7x64";
    default:
      return ".Vista";
  }
}

void ReadUninstallValue(const UninstallSettings& settings, const char* section, const char* key,
                        char (&value)[kIniValueSize]) {
  value[0] = '\0';
  GetPrivateProfileStringA(section, key, "0", value, sizeof value, settings.iniPath);
  value[sizeof value - 1] = '\0';
}

int LocateUninstallIni(UninstallSettings& settings, HWND owner) {
  memset(settings.iniPath, 0, kUninstallIniPathSize);
  char dir[kUninstallIniPathSize];
  DWORD length = GetCurrentDirectoryA(sizeof dir, dir);
  if (length == 0 || length >= sizeof dir) {
    ShowUninstallError(owner, UninstallText(IDS_SYSTEM_DIRECTORY_ERROR));
    return 0;
  }
  // A root ("C:\") already ends with its backslash.
  if (dir[length - 1] != '\\' && !AppendText(dir, "\\")) {
    ShowUninstallError(owner, UninstallText(IDS_INVALID_FILE_HANDLE));
    return 0;
  }
  SearchResult result = SearchDirectory(dir);
  if (result == SearchFound && StorePath(settings, dir)) return 1;
  if (result == SearchCannotStart) {
    ShowUninstallError(owner, UninstallText(IDS_INVALID_FILE_HANDLE));
    return 0;
  }
  result = AppendText(dir, "DRVCONFIG\\") ? SearchDirectory(dir) : SearchCannotStart;
  if (result == SearchFound && StorePath(settings, dir)) return 1;
  ShowUninstallError(owner, UninstallText(result == SearchCannotStart ? IDS_INVALID_FILE_HANDLE
                                                                      : IDS_NO_UNINSTALL_INI));
  return 0;
}

bool IsListedMonitor(const UninstallSettings& settings, const char* monitorName) {
  return NameIsListed(settings, "AQMONITOR", "MonitorNUM", "MONITORNAME", monitorName);
}

bool IsListedProcessor(const UninstallSettings& settings, const char* processorName) {
  if (IsWindows98Me(settings.osCode)) return false;
  return NameIsListed(settings, "AQPROC", "PROCNUM", "PROCNAME", processorName);
}

bool IsListedDriverName(const UninstallSettings& settings, const char* driverName) {
  return NameIsListed(settings, "AQPRINTER", "PRINTERNUM", "PRINTERNAME", driverName);
}

bool IsListedPrinter(const UninstallSettings& settings, const char* printerName) {
  HANDLE printer;
  if (!OpenPrinterFully(printerName, &printer)) return false;
  PRINTER_INFO_2A* record;
  bool listed = false;
  if (ReadPrinterRecord(printer, &record) == RecordRead) {
    listed = IsListedDriverName(settings, record->pDriverName);
    GlobalFree(record);
  }
  ClosePrinter(printer);
  return listed;
}

void FillInventory(const UninstallSettings& settings, UninstallView& view) {
  DWORD count = 0;
  PRINTER_INFO_5A* printers = EnumLocalPrinters(&count);
  for (DWORD i = 0; i < count; ++i)
    if (printers[i].pPrinterName && IsListedPrinter(settings, printers[i].pPrinterName))
      view.AppendItem(printers[i].pPrinterName);

  MONITOR_INFO_1A* monitors = EnumInstalledMonitors(&count);
  for (DWORD i = 0; i < count; ++i)
    if (monitors[i].pName && IsListedMonitor(settings, monitors[i].pName)) view.AppendItem(monitors[i].pName);

  PRINTPROCESSOR_INFO_1A* processors =
      EnumInstalledProcessors(EnvironmentKeyName(settings.osCode), &count);
  for (DWORD i = 0; i < count; ++i)
    if (processors[i].pName && IsListedProcessor(settings, processors[i].pName))
      view.AppendItem(processors[i].pName);

  if (printers) GlobalFree(printers);
  if (monitors) GlobalFree(monitors);
  if (processors) GlobalFree(processors);
}
