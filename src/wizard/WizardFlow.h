// The wizard frame's page switch and its buttons as plain code over the page models.
// CWizardFrame keeps one WizardFlow beside its pages. Before it calls SetActivePage, OnNext
// or OnBack it runs the data exchange ("save") of the page on show and passes whether that
// succeeded; then it applies the result: hide and show the pages named, set the button
// states and labels, re-apply the setup-type page when `setupTypeChanged`, select
// `baudRateIndex` in the port page's IDC_BAUD_RATE when `baudRateChanged`, show `messageId` with
// the exclamation icon, and hand `port` to the port page when `portComposed`.
#pragma once

#include "engine/InstallCommand.h"
#include "engine/InstallRecord.h"
#include "wizard/ModulePageModel.h"
#include "wizard/OsPageModel.h"
#include "wizard/PortPageModel.h"
#include "wizard/SetupTypeModel.h"

enum WizardPage { LicensePage = 0, ModulePage = 1, SetupTypePage = 2, OsPage = 3, PortPage = 4 };
const int kWizardPages = 5;

struct PageSwitch {
  int switched;           // SetActivePage's result: nonzero when `showPage` is now current
  int hidePage;           // page to hide, -1 for none
  int showPage;           // page to show, -1 for none (a refused switch shows the OS page again)
  int nextEnabled;        // kKeep, 0 or 1
  int messageId;          // 0, or IDS_NO_SERVER_2003_SUPPORT, _VISTA_, _WIN7_ or _X64_SUPPORT
  InstallRefusal refusal;  // with a messageId: why the OS page stays, for the silent mode
  bool setupTypeChanged;  // the setup-type model was changed (AdvancedSetup)
  bool baudRateChanged;   // the port model's baud rate was reloaded
  int baudRateIndex;      // the entry of IDC_BAUD_RATE to select then
};

// What a press of OK (Next / Install) or Back asks of the frame.
struct ButtonStep {
  PageSwitch page;
  bool install;       // OK on the last page: save every page and run the Install command
  bool portComposed;  // arrival at the port page: apply `port`
  PortView port;
  const char* nextLabel;  // new caption of the Next button (IDOK), null to keep it
  int nextEnabled;        // kKeep, 0 or 1
  int backEnabled;        // kKeep, 0 or 1
  bool focusNext;
};

struct WizardModels {
  ModulePageModel* module;
  SetupTypeModel* setupType;
  OsPageModel* os;  // may be null only in tests that never leave the OS page
  PortPageModel* port;
  // Asks the attached USB printer for its number when the port list is composed afresh
  // (setup's windows and its silent mode hand AskUsbPrinterId); null: no printer attached.
  int (*askUsbDevice)();
};

class WizardFlow {
 public:
  // `pageCount` pages are registered (5 in setup); `selection` is the frame's record.
  WizardFlow(int pageCount, const WizardModels& models, SetupSelection* selection);

  // The page switch. `currentSaved`: the data exchange of the page on show succeeded (ignored
  // while no page is on show).
  PageSwitch SetActivePage(int index, bool currentSaved);
  // The Next button (IDOK): Next while a later page exists, otherwise Install. Clears
  // installFlags. On arrival at the last page copies the choices into the selection, sets
  // the setup type and composes the port page's list (asking the USB printer when the list
  // changes).
  ButtonStep OnNext(bool currentSaved);
  // The Back button (IDC_BACK).
  ButtonStep OnBack(bool currentSaved);

  int currentPage;  // -1 until the first page is shown
  int reloadBaudRate;
  char portSection[kPortSectionCapacity];  // "<model>.PORT" of the module page's model
  char moduleIniFile[200];                 // PackageRoot + the module's INI file

 private:
  int pageCount;
  WizardModels models;
  SetupSelection* selection;
};
