// The wizard's Install button on its last page: checks the choices, settles the identity of
// a USB printer and the printer's name and port, runs the install sequence on a worker
// thread behind the progress window, reports the outcome and ends the wizard.
#pragma once

#include "engine/InstallRecord.h"

#include <windows.h>

// What the port page holds when Install is pressed.
struct PortPageValues {
  char portName[100];
  DriverMode driverMode;  // "Raster Graphic Printing" ticked is GDI
  SerialSettings serial;
};

// Why the Install command refused to run, beside the box that told the user (or the question
// answered No): the silent mode's exit code, whatever the box's wording.
enum InstallRefusal {
  NotRefused,
  NoModelChosen,
  ModelNotForThisSystem,  // Server 2003 for a model without its support
  PortNotSupported,       // a port name of no kind the wizard installs
  NoUsbPrinter,           // Advanced setup with no USB printer attached
  SeveralUsbPrinters,
  IdentityChangeDeclined,  // the printer's identity must change, and the user said No
  IdentityNotSet,          // the printer did not take its new identity
  UsbNotOnThisSystem,      // Windows NT 4.0
  ModelNotForWindows7,     // Windows 7 or later (32-bit) for a model without System7Supported
  ModelNotFor64BitWindows,  // Windows 7 or later, 64-bit, without System7x64Supported
};
// The refusal of a model whose port section does not claim `os` (the OS page's and the
// Install command's alike).
InstallRefusal SystemClaimRefusal(TargetOs os);

// What the Install command needs from the wizard's windows.
class InstallCommandHost {
 public:
  virtual ~InstallCommandHost() {}
  // Owner of the command's message boxes.
  virtual HWND Window() = 0;
  // Every page takes its fields from its controls.
  virtual void RefreshPages() = 0;
  virtual void ReadPortPage(PortPageValues& values) = 0;
  // Keeps the wizard out of the progress window's way during the run.
  virtual void MinimizeTopMost() = 0;
  // Shows the progress window modally on `completion`; returns when it has closed. Without
  // waitForResult it may close before the result has arrived.
  virtual void RunProgress(InstallCompletion& completion) = 0;
  // The worker has ended with `result` (InstallResult) and, when it failed, what failed;
  // before the outcome is shown.
  virtual void RunEnded(int result, InstallFailure failure) {
    (void)result;
    (void)failure;
  }
  // The command refused, after its box said why, and the wizard stays on the last page.
  virtual void Refused(InstallRefusal why) { (void)why; }
  // Closes the pages and ends the wizard dialog with OK.
  virtual void EndWizard() = 0;
};

enum InstallOutcome {
  InstallAborted = 0,   // refused before the run: the wizard stays open on the last page
  InstallCompleted = 1  // the install sequence ran (successfully or not) and the wizard ended
};

InstallOutcome InstallCommand(SetupSelection& selection, InstallWorkingData& work,
                              InstallCommandHost& host);

// The install record of the chosen model, system, driver mode and port, as Install prepares
// it once the choices are checked: the driver's files and records from the module INI, the
// printer named after the model with its port's suffix ("(S)", "(P)", "(U) n") and given its
// port (on USB the name PrinterPortName records).
void PrepareInstallRecord(SetupSelection& selection, InstallWorkingData& work);

// The attached USB printer's number as setup asks for it, telling the user when there are
// several (GetUsbPrinterId with setup's text): the port list's composition and the Install
// command ask alike.
int AskUsbPrinterId();
