#include "engine/SpoolerOperations.h"

#include "common/BoundedText.h"
#include "common/NativeSystemDirectory.h"
#include "common/PrinterRecord.h"
#include "common/SpoolerEnvironment.h"
#include "engine/SetupText.h"

#include <cstring>

namespace {

const size_t kDirectorySize = 256;
const size_t kMessageSize = 1024;

// The destination directory of a copy kind; 0 with the kind's text when it cannot be had.
int DestinationDirectory(DestinationKind kind, TargetOs targetOs, char (&dir)[kDirectorySize],
                         StepMessage& message) {
  DWORD needed = 0;
  char* environment = NativeSpoolerEnvironment(targetOs);
  switch (kind) {
    case DriverDirectory3:
    case DriverDirectory:
      if (!GetPrinterDriverDirectoryA(nullptr, environment, 1, reinterpret_cast<LPBYTE>(dir),
                                      sizeof dir, &needed)) {
        message.Fail(DriverFilesFailure, SetupText(IDS_NO_DRIVER_DIRECTORY));
        return 0;
      }
      if (kind == DriverDirectory3 && !AppendText(dir, "\\3")) {
        message.Fail(DriverFilesFailure, SetupText(IDS_NO_DRIVER_DIRECTORY));
        return 0;
      }
      return 1;
    case ProcessorDirectory:
      if (!GetPrintProcessorDirectoryA(nullptr, environment, 1, reinterpret_cast<LPBYTE>(dir),
                                       sizeof dir, &needed)) {
        message.Fail(ProcessorFailure, SetupText(IDS_NO_PROCESSOR_DIRECTORY));
        return 0;
      }
      return 1;
    case SystemDirectory: {
      UINT length = GetSystemDirectoryA(dir, sizeof dir);
      if (length == 0 || length >= sizeof dir) {
        message.Fail(DriverFilesFailure, SetupText(IDS_NO_SYSTEM_DIRECTORY));
        return 0;
      }
      return 1;
    }
    default:
      message.Fail(DriverFilesFailure, SetupText(IDS_DIRECTORY_TYPE_ERROR));
      return 0;
  }
}

// The copy's error, ERROR_SUCCESS when done. A monitor of 64-bit Windows goes into the native
// system32, where the 64-bit spooler loads it.
DWORD CopyOver(const char* source, const char* destination, bool nativeSystemDirectory) {
  NativeSystemDirectory native(nativeSystemDirectory);
  // A read-only copy left by an earlier installation must not stop the overwrite.
  SetFileAttributesA(destination, FILE_ATTRIBUTE_ARCHIVE);
  return CopyFileA(source, destination, FALSE) ? ERROR_SUCCESS : GetLastError();
}

void CopyErrorMessage(const char* copiedName, DWORD error, const char* source,
                      StepMessage& message) {
  char text[kMessageSize];
  CopyText(text, SetupText(IDS_COPY_DRIVER_FILES_ERROR));
  AppendText(text, copiedName);
  char code[32];
  FormatText(code, sizeof code, "  er = %d", static_cast<int>(error));
  AppendText(text, code);
  AppendText(text, source);
  message.Fail(DriverFilesFailure, text);
}

void ErrorMessage(InstallFailure kind, int textId, const char* separator, DWORD error,
                  StepMessage& message) {
  char text[kMessageSize];
  FormatText(text, sizeof text, "%s%s%d", SetupText(textId), separator, static_cast<int>(error));
  message.Fail(kind, text);
}

// Tells every top-level window that the profile's printer settings changed.
int BroadcastWinIniChange(const char* section) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(section),
                             SMTO_NORMAL, 1000, &answer) != 0;
}

// The printer's level-2 record in a zero-filled block the caller frees; null when unreadable.
PRINTER_INFO_2A* ReadRecord(HANDLE printer) {
  PRINTER_INFO_2A* record = nullptr;
  ReadPrinterRecord(printer, &record);
  return record;
}

int SetDefaultWin9x(const char* name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<LPSTR>(name), &printer, nullptr)) return 0;
  int done = 0;
  if (PRINTER_INFO_2A* info = ReadRecord(printer)) {
    info->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    done = SetPrinterA(printer, 2, reinterpret_cast<LPBYTE>(info), 0) &&
           BroadcastWinIniChange("windows");
    GlobalFree(info);
  }
  ClosePrinter(printer);
  return done;
}

int SetDefaultNt4(const char* name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<LPSTR>(name), &printer, nullptr)) return 0;
  int done = 0;
  if (PRINTER_INFO_2A* info = ReadRecord(printer)) {
    // NT 4.0 keeps the default printer as "name,driver,port" in the profile.
    char device[3 * kPrinterNameSize];
    if (FormatText(device, sizeof device, "%s,%s,%s", info->pPrinterName ? info->pPrinterName : "",
                   info->pDriverName ? info->pDriverName : "",
                   info->pPortName ? info->pPortName : ""))
      done = WriteProfileStringA("windows", "device", device) && BroadcastWinIniChange(nullptr);
    GlobalFree(info);
  }
  ClosePrinter(printer);
  return done;
}

int SetDefaultNt5(const char* name) {
  // Looked up at run time: the function does not exist before Windows 2000.
  HMODULE spooler = LoadLibraryA("winspool.drv");
  if (!spooler) return 0;
  typedef BOOL(WINAPI * SetDefaultPrinterProc)(LPCSTR);
  auto setDefault = reinterpret_cast<SetDefaultPrinterProc>(
      reinterpret_cast<void*>(GetProcAddress(spooler, "SetDefaultPrinterA")));
  int done = setDefault && setDefault(name);
  FreeLibrary(spooler);
  return done && BroadcastWinIniChange(nullptr);
}

}  // namespace

const char* OsSubdirectory(TargetOs targetOs) {
  switch (targetOs) {
    case Win98Me:
      return "\\win98\\";
    case WinNt4:
    case Win2000:
    case WinXp:
      return "\\winnt\\";
    case WinServer2003:
      return "\\win2003\\";
    case WinVista:
      return "\\Vista\\";
    case Win7:
      return "\\Win7\\";
    case Win7x64:
      return "\\Win7x64\\";
    default:
      return "";
  }
}

CopyResult CopyPackageFile(const char* fileName, DestinationKind kind, TargetOs targetOs,
                           CopyNaming naming, StepMessage& message) {
  // "0" is what a missing INI key reads as: there is no such file.
  if (!fileName || fileName[0] == '0') return CopyFailed;
  char dir[kDirectorySize];
  if (!DestinationDirectory(kind, targetOs, dir, message)) return CopyFailed;
  char current[kDirectorySize];
  DWORD length = GetCurrentDirectoryA(sizeof current, current);
  if (length == 0 || length >= sizeof current) {
    message.Fail(DriverFilesFailure, SetupText(IDS_NO_CURRENT_SYSTEM_DIRECTORY));
    return CopyFailed;
  }
  char copiedName[kPrinterNameSize];
  FormatText(copiedName, sizeof copiedName, "%s%s", naming == PrefixedCopy ? "n" : "", fileName);
  char source[MAX_PATH];
  char destination[MAX_PATH];
  int sourceFits =
      FormatText(source, sizeof source, "%s%s%s", current, OsSubdirectory(targetOs), fileName);
  int destinationFits = FormatText(destination, sizeof destination, "%s\\%s", dir, copiedName);
  if (!sourceFits || !destinationFits) {
    // A cut path names some other file: refuse instead of copying to or from it.
    CopyErrorMessage(copiedName, ERROR_FILENAME_EXCED_RANGE, source, message);
    return CopyFailed;
  }
  DWORD error = CopyOver(source, destination, kind == SystemDirectory && targetOs == Win7x64);
  if (error == ERROR_SUCCESS) return Copied;
  if (error == ERROR_SHARING_VIOLATION) return CopySharingViolation;
  if (error == ERROR_ACCESS_DENIED) return CopyAccessDenied;
  CopyErrorMessage(copiedName, error, source, message);
  return CopyFailed;
}

int AddMonitorChecked(MONITOR_INFO_2A* monitor, StepMessage& message) {
  if (AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(monitor))) return 1;
  DWORD error = GetLastError();
  // A monitor that is already installed is what this step wants.
  if (error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED || error == ERROR_ALREADY_EXISTS) return 1;
  ErrorMessage(MonitorFailure, IDS_ADD_MONITOR_ERROR, " Erro code is:", error, message);
  return 0;
}

int AddPrintProcessorChecked(const char* processorName, const char* pathName, TargetOs targetOs) {
  return AddPrintProcessorA(nullptr, RecordEnvironment(targetOs), const_cast<LPSTR>(pathName),
                            const_cast<LPSTR>(processorName)) != 0;
}

int AddPrinterDriverChecked(DRIVER_INFO_3A* driver, StepMessage& message) {
  if (AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(driver))) return 1;
  ErrorMessage(DriverFailure, IDS_ADD_DRIVER_ERROR, "   er = ", GetLastError(), message);
  return 0;
}

int AddPrinterChecked(PRINTER_INFO_2A* printer, DWORD level, int numberingAllowed,
                      StepMessage& message) {
  char* name = printer->pPrinterName;
  HANDLE added = AddPrinterA(nullptr, level, reinterpret_cast<LPBYTE>(printer));
  DWORD error = added ? 0 : GetLastError();
  // Windows gives a record without a datatype the print processor's default; Wine's spooler
  // refuses it instead. The record keeps its null datatype for Windows and goes once more
  // with "RAW" only after that refusal.
  char raw[] = "RAW";
  bool rawTried = !added && error == ERROR_INVALID_PARAMETER && level == 2 && !printer->pDatatype;
  if (rawTried) {
    printer->pDatatype = raw;
    added = AddPrinterA(nullptr, level, reinterpret_cast<LPBYTE>(printer));
    error = added ? 0 : GetLastError();
  }
  if (!added && error == ERROR_PRINTER_ALREADY_EXISTS && numberingAllowed && name) {
    char firstTried[kPrinterNameSize];
    CopyText(firstTried, name ? name : "");
    for (int n = 1; n <= 98 && !added && error == ERROR_PRINTER_ALREADY_EXISTS; ++n) {
      // A name too long for its "(n)" is cut: it never runs past the record's buffer.
      FormatText(name, kPrinterNameSize, "%s(%d)", firstTried, n);
      added = AddPrinterA(nullptr, level, reinterpret_cast<LPBYTE>(printer));
      error = added ? 0 : GetLastError();
    }
  }
  if (rawTried) printer->pDatatype = nullptr;  // `raw` ends with this call
  if (added) {
    ClosePrinter(added);
    return 1;
  }
  if (error == ERROR_PRINTER_ALREADY_EXISTS)
    message.Fail(PrinterFailure, SetupText(IDS_PORT_PRINTER_LIMIT_REACHED));
  else
    ErrorMessage(PrinterFailure, IDS_ADD_PRINTER_ERROR, "er = ", error, message);
  if (name) name[0] = '\0';
  return 0;
}

DefaultPrinterCall DefaultPrinterCallOf(const SystemVersion& version) {
  if (!version.known) return DefaultUnknown;
  if (IsWindows9xFamily(version)) return DefaultByAttribute;
  if (!IsNtFamily(version)) return DefaultNotAvailable;
  return version.major < 5 ? DefaultByProfile : DefaultBySpooler;
}

int SetDefaultPrinterByName(const char* printerName) {
  switch (DefaultPrinterCallOf(ReadSystemVersion())) {
    case DefaultByAttribute:
      return SetDefaultWin9x(printerName);
    case DefaultByProfile:
      return SetDefaultNt4(printerName);
    case DefaultBySpooler:
      return SetDefaultNt5(printerName);
    case DefaultNotAvailable:
      return 1;
    case DefaultUnknown:
      break;
  }
  return 0;
}

int CheckSpoolerPorts(StepMessage& message) {
  HLOCAL work = LocalAlloc(LPTR, 100);
  if (!work) {
    message.Fail(SystemFailure, SetupText(IDS_OUT_OF_MEMORY));
    return 0;
  }
  DWORD needed = 0;
  DWORD count = 0;
  EnumPortsA(nullptr, 1, nullptr, 0, &needed, &count);
  LocalFree(work);
  HLOCAL ports = LocalAlloc(LPTR, needed ? needed : 1);
  if (!ports) {
    message.Fail(SystemFailure, SetupText(IDS_OUT_OF_MEMORY));
    return 0;
  }
  int done = EnumPortsA(nullptr, 1, static_cast<LPBYTE>(ports), needed, &needed, &count) != 0;
  if (!done) ErrorMessage(PrinterFailure, IDS_ENUM_PORTS_ERROR, " er = ", GetLastError(), message);
  LocalFree(ports);
  return done;
}
