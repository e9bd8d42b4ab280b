// Test control of the simulated service control manager: the "Spooler" service.
#pragma once

#include <windows.h>

namespace winsim {

// Puts the spooler into SERVICE_RUNNING (the default after Reset) or SERVICE_STOPPED.
void SetSpoolerRunning(bool running);
// Virtual-clock time a start takes before the service reports SERVICE_RUNNING (default 0).
void SetSpoolerStartDelay(DWORD ms);
// Virtual-clock time a stop takes before the service reports SERVICE_STOPPED; until then it
// is SERVICE_STOP_PENDING and a start fails with ERROR_SERVICE_ALREADY_RUNNING (1056).
constexpr DWORD kDefaultStopDelay = 50;
void SetSpoolerStopDelay(DWORD ms);
// SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_RUNNING or SERVICE_STOP_PENDING as of the
// virtual clock now.
DWORD SpoolerState();

}  // namespace winsim
