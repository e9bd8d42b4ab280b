#include "wizard/OsPageModel.h"

#include "SetupIds.h"
#include "SetupStrings.h"
#include "common/SystemProbes.h"
#include "package/ModuleConfig.h"

#include <cstring>

const int kOsRadios[6] = {IDC_OS_WIN98, IDC_OS_NT4,  IDC_OS_2000,
                          IDC_OS_XP,    IDC_OS_2003, IDC_OS_VISTA};

namespace {
void Offer(OsPageView* view, int os, int rangeLast) {
  view->osIndex = os;
  view->checkedRadio = kOsRadios[os];
  view->checkRangeLast = rangeLast;
}
}  // namespace

OsPageView ComposeOsPage(const OSVERSIONINFOA& version) {
  OsPageView view;
  memset(&view, 0, sizeof view);
  view.osIndex = Win98Me;
  view.checkRangeLast = IDC_OS_2003;
  DWORD major = version.dwMajorVersion, minor = version.dwMinorVersion;
  if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    // Windows 95 (minor 0) is left unchecked; 98 and Me are offered.
    if (minor > 0) Offer(&view, Win98Me, IDC_OS_2003);
  } else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    if (major == 4 && minor == 0) {
      Offer(&view, WinNt4, IDC_OS_2003);
    } else if (major == 5 && minor == 0) {
      Offer(&view, Win2000, IDC_OS_2003);
    } else if (major == 5 && minor == 1) {
      Offer(&view, WinXp, IDC_OS_2003);
      view.marking = MarkForUsers;
    } else if (major == 5 && minor == 2) {
      Offer(&view, WinServer2003, IDC_OS_2003);
    } else if (major == 6 && minor == 0) {
      Offer(&view, WinVista, IDC_OS_VISTA);
      view.marking = MarkCurrentUser;
    }
  } else {
    view.messageId = IDS_UNSUPPORTED_SYSTEM;
  }
  for (int os = 0; os < 6; ++os) view.enabled[os] = os == view.osIndex;
  return view;
}

OsPageView ComposeOsPageForRunningSystem() {
  OSVERSIONINFOA version;
  memset(&version, 0, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) memset(&version, 0, sizeof version);
  return ComposeOsPage(version);
}

void ApplyOsMarking(const OsPageView& view) {
  if (view.marking == MarkForUsers)
    MarkCompatibilityPersistedForUsers();
  else if (view.marking == MarkCurrentUser)
    MarkCompatibilityPersisted();
}

OsPageModel::OsPageModel() : osIndex(Win98Me) { view = OsPageView(); }

void OsPageModel::Init() {
  view = ComposeOsPageForRunningSystem();
  osIndex = view.osIndex;
  ApplyOsMarking(view);
}
