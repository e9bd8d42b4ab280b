#include "uninstall/RemovalEngine.h"

#include "common/BoundedText.h"
#include "common/RegKey.h"
#include "common/SpoolerEnvironment.h"
#include "common/SpoolerService.h"
#include "uninstall/PrinterRecords.h"
#include "uninstall/RemovalSteps.h"
#include "uninstall/UninstallInventory.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"

#include <cstring>

namespace {

const DWORD kSpoolerPause = 2000;

struct RemovalRun {
  UninstallView& view;
  const UninstallSettings& settings;
  char current[kItemNameSize];  // the entry being removed
  int index;
  bool removedSomething;
};

enum StepResult { NextEntry, AbortRun };

void Status(RemovalRun& run, int id) { AppendStatusText(run.view, id, run.current); }
// The line saying why the entry stays, and that it stays.
void Kept(RemovalRun& run, int id) {
  Status(run, id);
  run.view.RemovalFailed(EntryKept);
}

// The removed entry leaves the list; the one that moves up into its place is examined next.
void DropEntry(RemovalRun& run) {
  run.view.DeleteItem(run.index);
  --run.index;
  run.removedSomething = true;
}

StepResult RemoveMonitor(RemovalRun& run) {
  Status(run, IDS_DELETING);
  if (IsWindows98Me(run.settings.osCode) && !IsAqcomPortFree(run.view, run.current)) {
    Kept(run, IDS_ITEM_IN_USE);
    return NextEntry;
  }
  char localServer[] = "";
  char* environment = NativeSpoolerEnvironment(run.settings.osCode);
  if (!DeleteMonitorA(localServer, environment, run.current)) {
    // A monitor the spooler still holds may go once the spooler has let it go.
    RestartSpooler(kSpoolerPause);
    Sleep(500);
    if (!DeleteMonitorA(localServer, environment, run.current)) {
      Kept(run,
           GetLastError() == ERROR_PRINT_MONITOR_IN_USE ? IDS_ITEM_IN_USE : IDS_UNINSTALL_ERROR);
      Sleep(100);
      return NextEntry;
    }
  }
  if (strstr(run.current, "USB")) {
    RegKey::DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\INSTALLPRINTER");
    RegKey::DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\VORTELL\\PORTNAME");
  }
  RestartSpooler(kSpoolerPause);
  Sleep(500);
  DeleteMonitorFiles(run.settings, run.view, run.current);
  Status(run, IDS_DELETED);
  DropEntry(run);
  return NextEntry;
}

StepResult RemoveProcessor(RemovalRun& run) {
  Status(run, IDS_DELETING);
  char localServer[] = "";
  char* environment = NativeSpoolerEnvironment(run.settings.osCode);
  if (!DeletePrintProcessorA(localServer, environment, run.current)) {
    Kept(run, GetLastError() == ERROR_CAN_NOT_COMPLETE ? IDS_ITEM_IN_USE : IDS_UNINSTALL_ERROR);
    Sleep(100);
    return NextEntry;
  }
  RestartSpooler(kSpoolerPause);
  Sleep(500);
  DeleteProcessorFile(run.settings, run.view, run.current);
  Status(run, IDS_DELETED);
  DropEntry(run);
  return NextEntry;
}

// The driver named by the printer's record, read before the printer went.
void RemoveDriver(RemovalRun& run, const PRINTER_INFO_2A& record) {
  Status(run, IDS_DELETING_DRIVER);
  char noName[] = "";
  LPSTR driver = record.pDriverName ? record.pDriverName : noName;
  DeletePrinterDriverExFunction deleteEx = run.settings.deletePrinterDriverEx;
  char* environment = NativeSpoolerEnvironment(run.settings.osCode);
  BOOL deleted = deleteEx
                     ? deleteEx(record.pServerName, environment, driver, DPD_DELETE_UNUSED_FILES, 0)
                     : DeletePrinterDriverA(record.pServerName, environment, driver);
  if (deleted) {
    Status(run, IDS_DRIVER_DELETED);
  } else {
    DWORD error = GetLastError();
    if (error == ERROR_PRINTER_DRIVER_IN_USE) {
      Status(run, IDS_DRIVER_IN_USE);
    } else {
      char line[100];
      FormatText(line, sizeof line, "%s    er=%lu", UninstallText(IDS_DELETE_DRIVER_ERROR),
                 static_cast<unsigned long>(error));
      run.view.AppendStatus(line);
    }
    run.view.RemovalFailed(DriverKept);
  }
  Sleep(100);
  Sleep(1000);
}

StepResult RemovePrinter(RemovalRun& run) {
  HANDLE printer;
  if (!OpenPrinterFully(run.current, &printer)) {
    Kept(run, IDS_OPEN_PRINTER_ERROR);
    return AbortRun;
  }
  Status(run, IDS_DELETING_PRINTER);
  PRINTER_INFO_2A* record;
  PrinterRecordResult read = ReadPrinterRecord(printer, &record);
  if (read != RecordRead) {
    ClosePrinter(printer);
    Kept(run, read == RecordNoMemory ? IDS_ALLOCATE_MEMORY_ERROR : IDS_PRINTER_INFO_ERROR);
    Sleep(100);
    return AbortRun;
  }
  if (record->cJobs > 0) {
    ClosePrinter(printer);
    GlobalFree(record);
    Kept(run, IDS_PRINTER_HAS_JOBS);
    Sleep(100);
    return AbortRun;
  }
  if (!DeletePrinter(printer)) {
    Kept(run, IDS_DELETE_PRINTER_ERROR);
    Sleep(100);
    ClosePrinter(printer);
    GlobalFree(record);
    return NextEntry;
  }
  Sleep(100);
  Status(run, IDS_DELETED);
  ClosePrinter(printer);
  DropEntry(run);
  RestartSpooler(kSpoolerPause);
  Sleep(1000);
  if (PredatesWindows2000(run.settings.osCode)) {
    // Windows 98/Me and NT 4.0 keep the driver.
    Sleep(1000);
  } else {
    RemoveDriver(run, *record);
  }
  GlobalFree(record);
  return NextEntry;
}

}  // namespace

bool LocalPrintersAreIdle(UninstallView& view) {
  DWORD count = 0;
  PRINTER_INFO_5A* printers = EnumLocalPrinters(&count);
  bool idle = true;
  for (DWORD i = 0; i < count && idle; ++i) {
    const char* name = printers[i].pPrinterName ? printers[i].pPrinterName : "";
    HANDLE printer;
    if (!OpenPrinterFully(name, &printer)) {
      AppendStatusText(view, IDS_OPEN_PRINTER_ERROR, name);
      idle = false;
      break;
    }
    PRINTER_INFO_2A* record;
    PrinterRecordResult read = ReadPrinterRecord(printer, &record);
    if (read != RecordRead) {
      ClosePrinter(printer);
      AppendStatusText(view,
                       read == RecordNoMemory ? IDS_ALLOCATE_MEMORY_ERROR : IDS_PRINTER_INFO_ERROR);
      Sleep(100);
      idle = false;
      break;
    }
    if (record->cJobs > 0) {
      AppendStatusText(view, IDS_DELETE_JOBS_FIRST,
                       record->pPrinterName ? record->pPrinterName : name);
      ClosePrinter(printer);
      Sleep(100);
      idle = false;
    } else {
      ClosePrinter(printer);
    }
    GlobalFree(record);
  }
  if (printers) GlobalFree(printers);
  return idle;
}

int OnUninstall(RemovalJob& job) {
  if (!LocalPrintersAreIdle(*job.view)) return 0;
  HANDLE worker = CreateThread(nullptr, 0, RemovalThread, &job, 0, nullptr);
  if (!worker) return 0;
  CloseHandle(worker);
  return 1;
}

DWORD WINAPI RemovalThread(LPVOID parameter) {
  const RemovalJob& job = *static_cast<const RemovalJob*>(parameter);
  return static_cast<DWORD>(RemovalWorker(*job.settings, *job.view));
}

int RemovalWorker(const UninstallSettings& settings, UninstallView& view) {
  view.SetBusy(true);
  RemovalRun run = {view, settings, {0}, 0, false};
  bool aborted = false;
  for (run.index = 0; run.index < view.ItemCount(); ++run.index) {
    Sleep(500);
    if (!view.IsItemChecked(run.index)) continue;
    view.GetItemText(run.index, run.current, sizeof run.current);
    StepResult result = IsListedMonitor(settings, run.current)     ? RemoveMonitor(run)
                        : IsListedProcessor(settings, run.current) ? RemoveProcessor(run)
                                                                   : RemovePrinter(run);
    if (result == AbortRun) {
      aborted = true;
      break;
    }
  }
  if (!aborted) {
    if (view.IsUsbRemovalChecked()) RemoveUsbDeviceDriver(view);
    if (run.removedSomething && view.AskRestart()) RestartWindows();
  }
  if (view.ItemCount() > 0) AppendStatusText(view, IDS_SELECT_PRINTERS);
  view.SetBusy(false);
  if (HasUsbDeviceDriver(settings.osCode)) view.SetUsbRemovalAvailable(true);
  return 1;
}
