// The service control manager with one service, "Spooler", whose start and stop take
// virtual time.
#include "winsim/Machine.h"
#include "winsim/ServiceControl.h"

#include <winsvc.h>

#include <cstring>
#include <map>

namespace winsim {
namespace {

struct Service {
  DWORD state = SERVICE_RUNNING;
  DWORD startDelay = 0;
  // A service never stops at once: its process has to end first.
  DWORD stopDelay = kDefaultStopDelay;
  DWORD runningAt = 0;  // clock time a pending start completes
  DWORD stoppedAt = 0;  // clock time a pending stop completes
};

struct Opened {
  bool manager;
  DWORD access;
};

struct ServiceState {
  Service spooler;
  std::map<uintptr_t, Opened> handles;
};
ServiceState services;

// A pending start or stop finishes once its virtual time has passed.
void Settle(Service& service) {
  if (service.state == SERVICE_START_PENDING && Now() >= service.runningAt)
    service.state = SERVICE_RUNNING;
  if (service.state == SERVICE_STOP_PENDING && Now() >= service.stoppedAt)
    service.state = SERVICE_STOPPED;
}

void FillStatus(const Service& service, LPSERVICE_STATUS status) {
  if (!status) return;
  memset(status, 0, sizeof *status);
  status->dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status->dwCurrentState = service.state;
  if (service.state == SERVICE_RUNNING) status->dwControlsAccepted = SERVICE_ACCEPT_STOP;
}

// The opened service handle with the given right, or null with the last error set.
Service* Open(SC_HANDLE handle, DWORD right) {
  auto value = reinterpret_cast<uintptr_t>(handle);
  auto it = services.handles.find(value);
  if (it == services.handles.end() || it->second.manager || !IsHandle(HandleKind::Service, value)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if ((it->second.access & right) != right) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  Settle(services.spooler);
  return &services.spooler;
}

}  // namespace

void ResetServices() { services = ServiceState(); }

void SetSpoolerRunning(bool running) {
  WINSIM_LOCK;
  services.spooler.state = running ? SERVICE_RUNNING : SERVICE_STOPPED;
}

void SetSpoolerStartDelay(DWORD ms) {
  WINSIM_LOCK;
  services.spooler.startDelay = ms;
}

void SetSpoolerStopDelay(DWORD ms) {
  WINSIM_LOCK;
  services.spooler.stopDelay = ms;
}

DWORD SpoolerState() {
  WINSIM_LOCK;
  Settle(services.spooler);
  return services.spooler.state;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

SC_HANDLE WINAPI OpenSCManagerA(LPCSTR machine, LPCSTR database, DWORD access) {
  WINSIM_LOCK;
  (void)database;
  if (FailsNow("OpenSCManagerA", machine)) return nullptr;
  uintptr_t handle = NewHandle(HandleKind::Service);
  services.handles[handle] = Opened{true, access};
  return reinterpret_cast<SC_HANDLE>(handle);
}

SC_HANDLE WINAPI OpenServiceA(SC_HANDLE manager, LPCSTR name, DWORD access) {
  WINSIM_LOCK;
  if (FailsNow("OpenServiceA", name)) return nullptr;
  auto it = services.handles.find(reinterpret_cast<uintptr_t>(manager));
  if (it == services.handles.end() || !it->second.manager) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!name || !EqualNoCase(name, "Spooler")) {
    SetLastError(ERROR_SERVICE_DOES_NOT_EXIST);
    return nullptr;
  }
  uintptr_t handle = NewHandle(HandleKind::Service);
  services.handles[handle] = Opened{false, access};
  return reinterpret_cast<SC_HANDLE>(handle);
}

BOOL WINAPI CloseServiceHandle(SC_HANDLE handle) {
  WINSIM_LOCK;
  return CloseTracked("CloseServiceHandle", HandleKind::Service, handle, services.handles);
}

BOOL WINAPI ControlService(SC_HANDLE handle, DWORD control, LPSERVICE_STATUS status) {
  WINSIM_LOCK;
  if (FailsNow("ControlService")) return FALSE;
  DWORD right = control == SERVICE_CONTROL_STOP ? SERVICE_STOP : SERVICE_INTERROGATE;
  Service* service = Open(handle, right);
  if (!service) return FALSE;
  if (control != SERVICE_CONTROL_STOP) {
    SetLastError(ERROR_INVALID_SERVICE_CONTROL);
    return FALSE;
  }
  if (service->state == SERVICE_STOPPED) {
    SetLastError(ERROR_SERVICE_NOT_ACTIVE);
    return FALSE;
  }
  if (service->state != SERVICE_RUNNING) {
    SetLastError(ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
    return FALSE;
  }
  service->state = SERVICE_STOP_PENDING;
  service->stoppedAt = Now() + service->stopDelay;
  Settle(*service);
  FillStatus(*service, status);
  return TRUE;
}

BOOL WINAPI StartServiceA(SC_HANDLE handle, DWORD argc, LPCSTR* argv) {
  WINSIM_LOCK;
  (void)argc;
  (void)argv;
  if (FailsNow("StartServiceA")) return FALSE;
  Service* service = Open(handle, SERVICE_START);
  if (!service) return FALSE;
  if (service->state != SERVICE_STOPPED) {
    SetLastError(ERROR_SERVICE_ALREADY_RUNNING);
    return FALSE;
  }
  service->state = SERVICE_START_PENDING;
  service->runningAt = Now() + service->startDelay;
  Settle(*service);
  return TRUE;
}

BOOL WINAPI QueryServiceStatus(SC_HANDLE handle, LPSERVICE_STATUS status) {
  WINSIM_LOCK;
  if (FailsNow("QueryServiceStatus")) return FALSE;
  Service* service = Open(handle, SERVICE_QUERY_STATUS);
  if (!service) return FALSE;
  FillStatus(*service, status);
  return TRUE;
}

}  // extern "C"
