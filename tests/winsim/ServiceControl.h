// Test control of the simulated service control manager: the "Spooler" service.
#pragma once

#include <windows.h>

namespace winsim {

// Puts the spooler into SERVICE_RUNNING (the default after Reset) or SERVICE_STOPPED.
void SetSpoolerRunning(bool running);
// Virtual-clock time a start takes before the service reports SERVICE_RUNNING (default 0).
void SetSpoolerStartDelay(DWORD ms);
// SERVICE_STOPPED, SERVICE_START_PENDING or SERVICE_RUNNING as of the virtual clock now.
DWORD SpoolerState();

}  // namespace winsim
