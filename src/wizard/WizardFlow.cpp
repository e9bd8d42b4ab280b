#include "wizard/WizardFlow.h"

#include "SetupStrings.h"
#include "common/BoundedText.h"
#include "engine/SystemClaims.h"
#include "package/PackageLayout.h"
#include "wizard/WizardTexts.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace {

PageSwitch NoSwitch() {
  PageSwitch result;
  memset(&result, 0, sizeof result);
  result.hidePage = -1;
  result.showPage = -1;
  result.nextEnabled = kKeep;
  return result;
}

ButtonStep NoStep() {
  ButtonStep step;
  memset(&step, 0, sizeof step);
  step.page = NoSwitch();
  step.nextEnabled = kKeep;
  step.backEnabled = kKeep;
  step.port.selection = -1;
  return step;
}

}  // namespace

WizardFlow::WizardFlow(int pages, const WizardModels& pageModels, SetupSelection* record)
    : currentPage(-1), reloadBaudRate(1), pageCount(pages), models(pageModels), selection(record) {
  memset(portSection, 0, sizeof portSection);
  memset(moduleIniFile, 0, sizeof moduleIniFile);
}

PageSwitch WizardFlow::SetActivePage(int index, bool currentSaved) {
  PageSwitch result = NoSwitch();
  int cur = currentPage;
  bool curExists = cur >= 0 && cur < pageCount;
  if (curExists && !currentSaved) return result;
  // A target that does not exist leaves the current page on show instead of hiding it
  // and showing nothing.
  if (index < 0 || index >= pageCount) return result;
  if (curExists) result.hidePage = cur;

  if (cur == SetupTypePage && index < SetupTypePage) reloadBaudRate = 1;
  if (cur == LicensePage)
    result.nextEnabled = index == ModulePage && models.module && models.module->hasModels;

  if (index > cur) {
    if (cur == ModulePage && models.module) {
      selection->module = models.module->moduleIndex;
      char root[kPathCapacity];
      GetPackageRoot(root, sizeof root);
      CopyText(moduleIniFile, root);
      if (const char* name = ModuleIniName(models.module->moduleIndex))
        AppendText(moduleIniFile, name);
      FormatText(portSection, sizeof portSection, "%s.PORT", models.module->modelName);
      int advanced = ReadPortSectionNumber(moduleIniFile, portSection, "AdvancedSetup");
      if (models.setupType) {
        models.setupType->AllowAdvanced(advanced != 0);
        result.setupTypeChanged = true;
      }
    } else if (cur == OsPage) {
      if (reloadBaudRate && models.port) {
        int baudRate = ReadPortSectionNumber(moduleIniFile, portSection, "BaudRate");
        result.baudRateIndex = models.port->SetConfiguredBaudRate(baudRate);
        result.baudRateChanged = true;
        reloadBaudRate = 0;
      }
      TargetOs os = models.os ? models.os->osIndex : Win98Me;
      int refusal = ModelClaims(os, moduleIniFile, portSection) ? 0 : ClaimOf(os).refusalText;
      // The medium has nothing for a 64-bit Windows older than 7: never the 98 path there.
      if (models.os && models.os->view.old64Bit) refusal = IDS_NO_X64_SUPPORT;
      if (refusal) {
        result.messageId = refusal;
        result.refusal = models.os && models.os->view.old64Bit ? ModelNotFor64BitWindows
                                                               : SystemClaimRefusal(os);
        currentPage = index - 1;
        result.hidePage = -1;  // the OS page stays on show
        result.showPage = currentPage;
        return result;
      }
    }
  }

  currentPage = index;
  result.showPage = index;
  result.switched = 1;
  return result;
}

ButtonStep WizardFlow::OnNext(bool currentSaved) {
  ButtonStep step = NoStep();
  selection->installFlags = 0;
  if (currentPage >= pageCount - 1) {
    step.install = true;
    return step;
  }
  step.page = SetActivePage(currentPage + 1, currentSaved);
  step.nextEnabled = step.page.nextEnabled;
  if (currentPage == pageCount - 1 && models.module && models.setupType && models.port) {
    ModulePageModel& module = *models.module;
    selection->module = module.moduleIndex;
    memset(selection->modelName, 0, sizeof selection->modelName);
    CopyText(selection->modelName, module.modelName);
    selection->setAsDefault = module.setAsDefault;
    ResolveIniPaths(selection->module, selection->setupIniPath, selection->moduleIniPath);
    selection->typicalSetup = models.setupType->typical;
    selection->targetOs = models.os ? models.os->osIndex : Win98Me;
    models.port->setupType = selection->typicalSetup;
    PortPageModel& port = *models.port;
    int device = port.Recomposes(selection->modelName) && models.askUsbDevice
                     ? models.askUsbDevice()
                     : kNoUsbDevice;
    if (selection->typicalSetup == 1)
      step.port =
          port.FillPortList(selection->modelName, selection->targetOs, selection->module, device);
    else
      step.port = port.FillPortListMultiUsb(selection->modelName, selection->targetOs,
                                            selection->module, device);
    step.portComposed = true;
    step.nextLabel = kInstallCaption;
  }
  // Back and the focus follow every press of Next, a refused switch included.
  step.backEnabled = 1;
  step.focusNext = true;
  return step;
}

ButtonStep WizardFlow::OnBack(bool currentSaved) {
  ButtonStep step = NoStep();
  if (currentPage > 0) {
    if (currentPage <= pageCount - 1) step.nextLabel = kNextCaption;
    step.page = SetActivePage(currentPage - 1, currentSaved);
  }
  if (currentPage <= 0) {
    step.backEnabled = 0;
    step.focusNext = true;
  }
  step.nextEnabled = 1;
  return step;
}
