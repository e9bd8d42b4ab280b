#include "engine/InstallCommand.h"

#include "common/AppMessage.h"
#include "common/BoundedText.h"
#include "engine/InstallNaming.h"
#include "engine/InstallSequence.h"
#include "engine/SetupText.h"
#include "engine/SpoolerOperations.h"
#include "engine/SystemClaims.h"
#include "engine/UsbDriverInstaller.h"
#include "package/PackageLayout.h"
#include "ports/UsbPrinterId.h"

#include <cstring>

static_assert(sizeof(InstallWorkingData::printerName) == kPrinterNameSize,
              "the install sequence numbers the printer name within kPrinterNameSize");

namespace {

const int kNoUsbPrinter = -1;
const int kSeveralUsbPrinters = -2;

void Tell(InstallCommandHost& host, const char* text) {
  ShowAppMessage(host.Window(), text, MB_OK);
}
bool Ask(InstallCommandHost& host, const char* text) {
  return ShowAppMessage(host.Window(), text, MB_YESNO) == IDYES;
}

// The box of a system the model's port section does not claim; 0 when it is claimed or is
// not asked about here (Vista is refused on leaving the OS page only).
int SystemRefusalText(const SetupSelection& selection) {
  if (selection.targetOs == WinVista) return 0;
  char section[kPortSectionCapacity];
  FormatText(section, sizeof section, "%s.PORT", selection.modelName);
  if (ModelClaims(selection.targetOs, selection.moduleIniPath, section)) return 0;
  return ClaimOf(selection.targetOs).refusalText;
}

// The attached printer must carry the identity that its port's number stands for. NotRefused
// to go on; else why the Install stops here, every message already shown.
InstallRefusal SettleUsbIdentity(const SetupSelection& selection, InstallCommandHost& host) {
  int identity = AskUsbPrinterId();
  if (identity == kSeveralUsbPrinters) return SeveralUsbPrinters;  // said by AskUsbPrinterId
  if (selection.typicalSetup == 0) {
    if (identity == kNoUsbPrinter) {
      Tell(host, SetupText(IDS_NO_USB_DEVICE));
      return NoUsbPrinter;
    }
    int printer = UsbPrinterNumber(identity);
    char mark[16];
    FormatText(mark, sizeof mark, "_%d", printer);
    if (strstr(selection.portName, mark)) return NotRefused;
    int port = UsbPortNumber(selection.portName);
    if (port == printer) return NotRefused;
    if (!Ask(host, SetupText(IDS_CHANGE_PRINTER_NAME_QUESTION))) return IdentityChangeDeclined;
    if (!SetUsbPrinterId(port)) {
      Tell(host, "Failed to set Printer ID!");
      return IdentityNotSet;
    }
    return NotRefused;
  }
  // One printer on the bus: it always takes identity 1.
  if (identity == kNoUsbPrinter) return NotRefused;
  if (UsbPrinterNumber(identity) == 1) return NotRefused;
  if (!Ask(host, SetupText(IDS_CHANGE_PRINTER_NAME_QUESTION))) return IdentityChangeDeclined;
  // A failure has shown its own message.
  return SetUsbPrinterId(1) ? NotRefused : IdentityNotSet;
}

// The choices of the pages, the port page's values among them, into the selection.
void TakeChoices(SetupSelection& selection, InstallCommandHost& host) {
  selection.installFlags = 0;
  host.RefreshPages();
  selection.usbPortName[0] = '\0';

  PortPageValues port;
  memset(&port, 0, sizeof port);
  port.serial = selection.serial;
  host.ReadPortPage(port);
  CopyText(selection.portName, port.portName);
  selection.driverMode = port.driverMode;
  selection.serial = port.serial;
}

// Choices the Install refuses before anything is done, each with its box; NotRefused for none.
InstallRefusal RefuseChoices(const SetupSelection& selection, InstallCommandHost& host) {
  if (selection.modelName[0] == '\0') {
    Tell(host, SetupText(IDS_SELECT_MODULE_FIRST));
    return NoModelChosen;
  }
  if (int text = SystemRefusalText(selection)) {
    Tell(host, SetupText(text));
    return SystemClaimRefusal(selection.targetOs);
  }
  if (PortKindOf(selection.portName) == NoPort) {
    Tell(host, SetupText(IDS_PORT_NOT_SUPPORTED));
    return PortNotSupported;
  }
  return NotRefused;
}

InstallOutcome Refuse(InstallCommandHost& host, InstallRefusal why) {
  host.Refused(why);
  return InstallAborted;
}

DWORD WINAPI InstallWorker(LPVOID parameter) {
  return static_cast<DWORD>(RunInstallSequence(*static_cast<InstallJob*>(parameter)));
}

// Runs the install sequence behind the progress window; returns once the worker has ended.
void RunBehindProgress(SetupSelection& selection, InstallWorkingData& work,
                       InstallCommandHost& host) {
  InstallCompletion completion;
  completion.waitForResult = !IsWindows98Me(selection.targetOs);
  completion.result = InstallRunning;
  InstallJob job{&selection, &work, &completion};
  HANDLE worker = CreateThread(nullptr, 0, InstallWorker, &job, 0, nullptr);
  if (!worker) {
    // Without a worker nothing is installed: say so instead of reporting success, and let
    // the progress window run down and close.
    work.message = SetupText(IDS_OUT_OF_MEMORY);
    completion.failure = SystemFailure;
    completion.result = InstallFailed;
  }
  host.RunProgress(completion);
  if (worker) {
    // On Windows 98/Me the progress window closes after its fixed run of the bar, maybe
    // before the worker is done; its message and the job on this stack are the worker's
    // until it ends.
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
  }
  host.RunEnded(completion.result.load(), completion.failure);
}

}  // namespace

void PrepareInstallRecord(SetupSelection& selection, InstallWorkingData& work) {
  work.Clear();
  work.config.ReadDriverFiles(selection.module, selection.modelName, selection.targetOs, &work.files,
                              selection.driverMode);
  work.config.ReadDriverInfo(selection.module, selection.modelName, selection.targetOs, &work.driver,
                             selection.driverMode);
  work.config.ReadPrinterInfo(selection.module, selection.modelName, selection.targetOs, &work.printer,
                              selection.driverMode);
  CopyText(work.printerName, work.printer.pPrinterName);
  AppendPortSuffix(work.printerName, sizeof work.printerName, selection.portName,
                   selection.portKind);
  work.printer.pPrinterName = work.printerName;
  work.printer.pPortName = selection.portKind == UsbPort
                               ? const_cast<char*>(PrinterPortName(selection))
                               : selection.portName;
}

InstallOutcome InstallCommand(SetupSelection& selection, InstallWorkingData& work,
                              InstallCommandHost& host) {
  TakeChoices(selection, host);
  InstallRefusal refusal = RefuseChoices(selection, host);
  if (refusal != NotRefused) return Refuse(host, refusal);
  PortKind kind = PortKindOf(selection.portName);
  selection.portKind = kind;

  if (kind == UsbPort && UsbDriverInstallNeeded()) RunUsbDriverInstaller();

  PrepareInstallRecord(selection, work);
  if (kind == UsbPort) {
    refusal = SettleUsbIdentity(selection, host);
    if (refusal != NotRefused) return Refuse(host, refusal);
    RecordUsbPortDevice(work.printer.pPortName);
  }

  if (!SupportsUsb(selection.targetOs) && kind == UsbPort) {
    Tell(host, SetupText(IDS_NO_USB_ON_NT4));
    return Refuse(host, UsbNotOnThisSystem);
  }

  host.MinimizeTopMost();
  RunBehindProgress(selection, work, host);

  Tell(host,
       work.message.empty() ? "Successfully installed printer driver" : work.message.c_str());
  if (IsWindows98Me(selection.targetOs) && Ask(host, SetupText(IDS_RESTART_QUESTION)))
    ExitWindowsEx(EWX_REBOOT, 0);  // a refused restart is not reported
  host.EndWizard();
  return InstallCompleted;
}

int AskUsbPrinterId() { return GetUsbPrinterId(SetupText(IDS_CONNECT_ONE_USB_PRINTER)); }

InstallRefusal SystemClaimRefusal(TargetOs os) {
  if (os == Win7) return ModelNotForWindows7;
  if (os == Win7x64) return ModelNotFor64BitWindows;
  return ModelNotForThisSystem;
}
