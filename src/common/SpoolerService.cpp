#include "common/SpoolerService.h"

#include "common/BoundedText.h"

#include <winsvc.h>

namespace {

const char* const kSpooler = "Spooler";

// Opens the spooler with `access`, runs `action` on it and closes it; false when it did not
// open.
template <typename Action>
bool WithSpooler(SC_HANDLE manager, DWORD access, Action action) {
  SC_HANDLE service = OpenServiceA(manager, kSpooler, access);
  if (!service) return false;
  action(service);
  CloseServiceHandle(service);
  return true;
}

void SendStop(SC_HANDLE manager) {
  WithSpooler(manager, SERVICE_STOP, [](SC_HANDLE service) {
    SERVICE_STATUS status;
    ControlService(service, SERVICE_CONTROL_STOP, &status);
  });
}

}  // namespace

void StopSpooler() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return;
  // A spooler that is already stopped answers 1062; either way it is stopped now.
  SendStop(manager);
  Sleep(100);
  CloseServiceHandle(manager);
}

void StartSpooler(std::string& message) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  DWORD error = 0;
  if (!manager) {
    error = GetLastError();
  } else {
    SC_HANDLE service = OpenServiceA(manager, kSpooler, SERVICE_START);
    if (!service) {
      error = GetLastError();
    } else {
      if (!StartServiceA(service, 0, nullptr)) error = GetLastError();
      CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
  }
  if (error != 0 && error != ERROR_SERVICE_ALREADY_RUNNING) {
    char text[100];
    FormatText(text, sizeof text, "Start spool service error, error code = %u",
               static_cast<unsigned>(error));
    message = text;
  }
}

int WaitSpoolerRunning(std::string& message) {
  DWORD state = SERVICE_STOPPED;
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = manager ? OpenServiceA(manager, kSpooler, SERVICE_QUERY_STATUS) : nullptr;
  for (int poll = 0; poll < 10; ++poll) {
    SERVICE_STATUS status;
    if (service && QueryServiceStatus(service, &status)) state = status.dwCurrentState;
    if (state == SERVICE_RUNNING) break;
    Sleep(300);
  }
  if (service) CloseServiceHandle(service);
  if (manager) CloseServiceHandle(manager);
  if (state == SERVICE_RUNNING) return 1;
  message = "StartSpoolService error";
  return 0;
}

void RestartSpooler(DWORD pauseMs) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return;
  SendStop(manager);
  Sleep(pauseMs);
  WithSpooler(manager, SERVICE_START,
              [](SC_HANDLE service) { StartServiceA(service, 0, nullptr); });
  CloseServiceHandle(manager);
}
