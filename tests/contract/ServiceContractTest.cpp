// The service control calls on the "Spooler" service, and the spooler service operations
// built on them.
#include "common/SpoolerService.h"
#include "contract/ContractEnv.h"

#include <winsvc.h>

namespace {

class ServiceContractTest : public ContractTest {
 protected:
  void TearDown() override {
    if (service) CloseServiceHandle(service);
    if (manager) CloseServiceHandle(manager);
    EXPECT_EQ(contract::OpenHandles(), 0);
    ContractTest::TearDown();
  }
  void OpenSpooler(DWORD access) {
    manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr) << GetLastError();
    service = OpenServiceA(manager, "Spooler", access);
    ASSERT_NE(service, nullptr) << GetLastError();
  }
  DWORD State() {
    SERVICE_STATUS status{};
    EXPECT_TRUE(QueryServiceStatus(service, &status)) << GetLastError();
    return status.dwCurrentState;
  }
  // A stop is asynchronous on a real service control manager: the service reports
  // STOP_PENDING until its process has ended.
  DWORD SettledState() {
    DWORD state = State();
    for (int i = 0; i < 50 && (state == SERVICE_STOP_PENDING || state == SERVICE_START_PENDING); ++i) {
      Sleep(100);
      state = State();
    }
    return state;
  }
  SC_HANDLE manager = nullptr;
  SC_HANDLE service = nullptr;
};

TEST_F(ServiceContractTest, StartAndStopAnswerWithWindowsCodesForTheStateTheyFind) {
  OpenSpooler(SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS);
  // Wine's spooler starts stopped, Windows' runs: bring it to running either way.
  SetLastError(0xdeadbeef);
  SettledState();
  if (!StartServiceA(service, 0, nullptr)) {
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
  }
  EXPECT_EQ(SettledState(), static_cast<DWORD>(SERVICE_RUNNING));

  SetLastError(0xdeadbeef);
  EXPECT_FALSE(StartServiceA(service, 0, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));

  SERVICE_STATUS status{};
  EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status)) << GetLastError();
  EXPECT_EQ(SettledState(), static_cast<DWORD>(SERVICE_STOPPED));
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(ControlService(service, SERVICE_CONTROL_STOP, &status));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));

  EXPECT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
}

TEST_F(ServiceContractTest, AStartWhileTheStopIsPendingIsRefusedWith1056) {
  OpenSpooler(SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS);
  if (SettledState() != SERVICE_RUNNING) {
    ASSERT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
  }
  ASSERT_EQ(SettledState(), static_cast<DWORD>(SERVICE_RUNNING));
  SERVICE_STATUS status{};
  ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status)) << GetLastError();
  DWORD state = State();
  // A fast service may have ended already; winsim's stop always takes a while.
  if (!contract::RunningOnWine()) {
    EXPECT_EQ(state, static_cast<DWORD>(SERVICE_STOP_PENDING));
  }
  if (state == SERVICE_STOP_PENDING) {
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(StartServiceA(service, 0, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
  } else {
    EXPECT_EQ(state, static_cast<DWORD>(SERVICE_STOPPED));
  }
  EXPECT_EQ(SettledState(), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
  EXPECT_EQ(SettledState(), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST_F(ServiceContractTest, AnUnknownServiceDoesNotOpen) {
  manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(manager, nullptr);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(OpenServiceA(manager, "NoSuchServiceHere", SERVICE_START), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
}

TEST_F(ServiceContractTest, QueryWithoutTheQueryRightIsDenied) {
  OpenSpooler(SERVICE_START);
  SERVICE_STATUS status{};
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(QueryServiceStatus(service, &status));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(ServiceContractTest, StopStartAndWaitLeaveTheSpoolerRunningWithoutMessages) {
  StopSpooler();
  Sleep(500);  // as the install sequence waits before it starts the spooler again
  std::string message;
  StartSpooler(message);
  EXPECT_EQ(message, "");
  StartSpooler(message);  // already running: no message
  EXPECT_EQ(message, "");
  EXPECT_EQ(WaitSpoolerRunning(message), 1);
  EXPECT_EQ(message, "");
}

}  // namespace
