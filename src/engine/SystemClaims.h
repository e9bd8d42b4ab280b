// Which systems a model must claim in its port section before setup installs it there, and what
// the user is told when it does not: Server 2003, Vista and Windows 7 (32- and 64-bit) ask;
// every other system takes every model. The OS page's Next and the Install command read it.
#pragma once

#include "common/TargetOs.h"

struct SystemClaim {
  const char* key;  // the port-section key, nullptr where the system asks for none
  int refusalText;  // setup's text for a model without the claim, 0 where none asks
};

SystemClaim ClaimOf(TargetOs os);
// Whether the port section `portSection` of `moduleIni` claims `os` (a missing key reads "0").
bool ModelClaims(TargetOs os, const char* moduleIni, const char* portSection);
