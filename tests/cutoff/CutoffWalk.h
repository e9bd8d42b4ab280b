// The machine side of the cut-off walk: a fresh machine with the sample medium, one run of
// setup's Install command, one of the uninstaller's Select All and Uninstall, and what the
// machine then holds.
#pragma once

#include "common/TargetOs.h"

#include <set>
#include <string>
#include <vector>

struct WalkCase {
  const char* name;
  TargetOs os;
  const char* port;     // the port page's choice
  const char* monitor;  // the port monitor a printer on that port needs; "" for none
};

struct SetupRun {
  std::string message;  // the boxes the run showed, " / " between them
  int calls = 0;        // simulated calls from the Install button on
  bool cut = false;     // the power went during the run
};

// Reset, the system of the case, the medium at D:\QM, its ports and the USB library.
void FreshMachine(const WalkCase& c);
// A new setup.exe that presses Install with the case's choices; cutAt > 0 cuts the power at
// that call of the run.
SetupRun RunSetup(const WalkCase& c, int cutAt);
// A new uninstall.exe: Select All, Uninstall, No to the restart.
void RunUninstall();
// The printers whose driver, driver files, port, processor and monitor are all in place.
std::vector<std::string> WorkingPrinters(const WalkCase& c);
// Files of the Windows directory, HKLM's values and the spooler's objects, one line each.
std::set<std::string> MachineState();
