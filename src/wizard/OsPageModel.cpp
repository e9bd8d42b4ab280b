#include "wizard/OsPageModel.h"

#include "SetupIds.h"
#include "SetupStrings.h"
#include "package/ModuleConfig.h"

#include <cstring>

const int kOsRadios[kTargetOsCount] = {IDC_OS_WIN98, IDC_OS_NT4,   IDC_OS_2000,
                                       IDC_OS_XP,    IDC_OS_2003,  IDC_OS_VISTA,
                                       IDC_OS_WIN7,  IDC_OS_WIN7X64};

namespace {
OsMarking MarkingOf(TargetOs os) {
  if (os == WinXp) return MarkForUsers;
  if (os == WinVista || IsWindows7OrLater(os)) return MarkCurrentUser;
  return NoMarking;
}
}  // namespace

OsPageView ComposeOsPage(const SystemVersion& version) {
  OsPageView view;
  memset(&view, 0, sizeof view);
  view.osIndex = TargetOsOf(version);
  // Windows 95 and the NT versions the medium has no drivers for get no radio checked.
  if (IsRecognisedSystem(version)) {
    view.checkedRadio = kOsRadios[view.osIndex];
    view.marking = MarkingOf(view.osIndex);
  }
  view.checkRangeLast = kOsRadios[view.osIndex == WinVista ? WinVista : WinServer2003];
  if (IsWindows7OrLater(view.osIndex)) view.checkRangeLast = kOsRadios[Win7x64];
  if (!IsWindows9xFamily(version) && !IsNtFamily(version)) view.messageId = IDS_UNSUPPORTED_SYSTEM;
  view.old64Bit = IsOld64BitWindows(version);
  if (view.old64Bit) view.messageId = IDS_UNSUPPORTED_SYSTEM;
  for (TargetOs os : kTargetOses) view.enabled[os] = os == view.osIndex && !view.old64Bit;
  return view;
}

void ApplyOsMarking(const OsPageView& view) {
  if (view.marking == MarkForUsers)
    MarkCompatibilityPersistedForUsers();
  else if (view.marking == MarkCurrentUser)
    MarkCompatibilityPersisted();
}

OsPageModel::OsPageModel() : osIndex(Win98Me) { view = OsPageView(); }

void OsPageModel::Init() {
  view = ComposeOsPage(ReadSystemVersion());
  osIndex = view.osIndex;
  ApplyOsMarking(view);
}
