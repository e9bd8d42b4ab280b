#include "uninstall/UninstallStartup.h"

#include "common/ProgramTitles.h"
#include "common/SystemProbes.h"
#include "uninstall/RemovalSteps.h"
#include "uninstall/UninstallInventory.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"

#include <shellapi.h>

#include <cstdint>
#include <cstring>

const char* UninstallOtherProgramRefusal() {
  return FindWindowA(nullptr, kSetupTitle) ? kCloseSetupFirst : nullptr;
}

const char* UninstallAdministratorRefusal(const OsClassification& os) {
  // NT 4.0 and the Windows 98 family are not asked.
  if (AsksForAdministrator(os.osCode) && !IsAdministrator())
    return UninstallText(IDS_NOT_ADMINISTRATOR);
  return nullptr;
}

OsClassification ClassifySystemAtStartup(UninstallSettings& settings) {
  OsClassification os = ClassifyOs(ReadSystemVersion());
  settings.osCode = os.osCode;
  if (os.osCode == WinVista || IsWindows7OrLater(os.osCode)) MarkCompatibilityPersisted();
  return os;
}

bool PrepareUninstall(UninstallSettings& settings, UninstallView& view, HWND owner) {
  memset(settings.iniPath, 0, kUninstallIniPathSize);
  OsClassification os = ClassifySystemAtStartup(settings);
  if (os.usbRemovalUnavailable) view.SetUsbRemovalAvailable(false);
  // The search for Uninstall.ini comes after.
  if (const char* refusal = UninstallAdministratorRefusal(os)) {
    ShowUninstallError(owner, refusal);
    return false;
  }
  if (!LocateUninstallIni(settings, owner)) return false;
  FillInventory(settings, view);
  AppendStatusText(view, IDS_SELECT_PRINTERS);
  return true;
}

void OpenUninstallHelp() {
  HINSTANCE opened =
      ShellExecuteA(nullptr, "open", ".\\Uninstall_EN.CHM", nullptr, nullptr, SW_SHOW);
  // Answers up to 32 are the shell's error codes.
  if (reinterpret_cast<uintptr_t>(opened) <= 32)
    ShellExecuteA(nullptr, "open", ".\\Uninstall_CN.CHM", nullptr, nullptr, SW_SHOW);
}
