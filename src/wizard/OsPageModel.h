// The OS page: which system the running platform and version allow, which radio is checked
// and enabled, and the compatibility marking or the warning that comes with it. COsPage calls
// ComposeOsPage at its initialisation, runs ApplyOsMarking, shows `messageId` (exclamation
// icon) when it is not 0, and applies the radio states.
#pragma once

#include "common/SystemProbes.h"

enum OsMarking { NoMarking = 0, MarkForUsers = 1, MarkCurrentUser = 2 };

struct OsPageView {
  TargetOs osIndex;    // TargetOs the page offers
  int checkedRadio;    // control ID to check, 0 for none
  int checkRangeLast;  // last control of the radio range checked (IDC_OS_2003, _VISTA or _WIN7X64)
  bool enabled[kTargetOsCount];  // radios of kOsRadios
  int messageId;  // IDS_UNSUPPORTED_SYSTEM for a platform neither 9x nor NT, or a 64-bit
                  // Windows older than 7; else 0
  bool old64Bit;  // a 64-bit Windows older than 7: the page refuses to be left
  OsMarking marking;
};

// Radio control ID of each TargetOs.
extern const int kOsRadios[kTargetOsCount];

OsPageView ComposeOsPage(const SystemVersion& version);
// MarkCompatibilityPersistedForUsers on XP, MarkCompatibilityPersisted on Vista and later.
void ApplyOsMarking(const OsPageView& view);

// The OS page's state: COsPage keeps one, calls Init at its initialisation and applies `view`;
// the frame reads `osIndex`.
class OsPageModel {
 public:
  OsPageModel();
  // Composes the view for the running system and applies its marking.
  void Init();
  TargetOs osIndex;
  OsPageView view;
};
