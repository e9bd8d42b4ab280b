#include "common/AppMessage.h"
#include "common/SystemProbes.h"
#include "engine/SetupText.h"
#include "wizard/window/WizardFrame.h"
#include "wizard/window/WizardPages.h"

#include "../../../resources/SetupIds.h"

namespace {
const int kRadioIds[6] = {IDC_OS_WIN98, IDC_OS_NT4,  IDC_OS_2000,
                          IDC_OS_XP,    IDC_OS_2003, IDC_OS_VISTA};

// Which radio the running system checks (0 for none), in which range, and its OS index.
struct OsChoice {
  int radio;
  int lastOfRange;
  int osIndex;
  bool unsupportedPlatform;
};

OsChoice ChooseOs(const OSVERSIONINFOA& version) {
  if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
    return {version.dwMinorVersion > 0 ? IDC_OS_WIN98 : 0, IDC_OS_2003, 0, false};
  if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return {0, IDC_OS_2003, 0, true};
  DWORD major = version.dwMajorVersion, minor = version.dwMinorVersion;
  if (major == 4 && minor == 0) return {IDC_OS_NT4, IDC_OS_2003, 1, false};
  if (major == 5 && minor == 0) return {IDC_OS_2000, IDC_OS_2003, 2, false};
  if (major == 5 && minor == 1) return {IDC_OS_XP, IDC_OS_2003, 3, false};
  if (major == 5 && minor == 2) return {IDC_OS_2003, IDC_OS_2003, 4, false};
  if (major == 6 && minor == 0) return {IDC_OS_VISTA, IDC_OS_VISTA, 5, false};
  return {0, IDC_OS_2003, 0, false};
}
}  // namespace

bool COsPage::OnInitDialog() {
  osIndex = 0;
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  OsChoice choice = ChooseOs(version);
  if (choice.radio) CheckRadioButton(hwnd_, IDC_OS_WIN98, choice.lastOfRange, choice.radio);
  osIndex = choice.osIndex;
  if (choice.osIndex == 3) MarkCompatibilityPersistedForUsers();
  if (choice.osIndex == 5) MarkCompatibilityPersisted();
  if (choice.unsupportedPlatform)
    ShowAppMessage(frame_ ? frame_->Handle() : hwnd_, SetupText(115), MB_OK | MB_ICONEXCLAMATION);
  for (int i = 0; i < 6; ++i) EnableWindow(Item(kRadioIds[i]), i == osIndex);
  return true;
}
