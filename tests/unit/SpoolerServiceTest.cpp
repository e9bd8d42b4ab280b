#include "common/SpoolerService.h"

#include "winsim/ServiceControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class SpoolerServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { winsim::Reset(); }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
};

TEST_F(SpoolerServiceTest, StopStopsARunningSpoolerAndIsSilentOnAStoppedOne) {
  StopSpooler();
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_STOPPED));
  StopSpooler();  // answered with 1062 by the service, not reported
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(winsim::Sleeps(), (std::vector<DWORD>{100, 100}));
  EXPECT_EQ(winsim::CallCount("ControlService"), 2);
}

TEST_F(SpoolerServiceTest, StopDoesNothingWithoutTheServiceControlManager) {
  winsim::FailCall("OpenSCManagerA", ERROR_ACCESS_DENIED);
  StopSpooler();
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_TRUE(winsim::Sleeps().empty());
}

TEST_F(SpoolerServiceTest, StartingARunningSpoolerWritesNoMessage) {
  std::string message = "earlier text";
  StartSpooler(message);
  EXPECT_EQ(message, "earlier text");
  EXPECT_EQ(winsim::CallCount("StartServiceA"), 1);
}

TEST_F(SpoolerServiceTest, StartStartsAStoppedSpooler) {
  winsim::SetSpoolerRunning(false);
  std::string message;
  StartSpooler(message);
  EXPECT_EQ(message, "");
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST_F(SpoolerServiceTest, FailedStartReportsTheSystemError) {
  winsim::SetSpoolerRunning(false);
  winsim::FailCall("StartServiceA", ERROR_SERVICE_DISABLED);
  std::string message;
  StartSpooler(message);
  EXPECT_EQ(message, "Start spool service error, error code = 1058");
}

TEST_F(SpoolerServiceTest, AServiceThatCannotBeOpenedReportsTheSystemError) {
  winsim::FailCall("OpenServiceA", ERROR_ACCESS_DENIED);
  std::string message;
  StartSpooler(message);
  EXPECT_EQ(message, "Start spool service error, error code = 5");
}

TEST_F(SpoolerServiceTest, WaitPollsEvery300msUntilTheSpoolerRuns) {
  winsim::SetSpoolerRunning(false);
  winsim::SetSpoolerStartDelay(2000);
  std::string message;
  StartSpooler(message);
  EXPECT_EQ(WaitSpoolerRunning(message), 1);
  EXPECT_EQ(message, "");
  // 2000 ms are over after the seventh pause of 300 ms.
  EXPECT_EQ(winsim::Sleeps(), std::vector<DWORD>(7, 300));
}

TEST_F(SpoolerServiceTest, ASpoolerThatNeedsMoreThanThreeSecondsFailsTheWait) {
  winsim::SetSpoolerRunning(false);
  winsim::SetSpoolerStartDelay(3100);
  std::string message;
  StartSpooler(message);
  EXPECT_EQ(WaitSpoolerRunning(message), 0);
  EXPECT_EQ(message, "StartSpoolService error");
  EXPECT_EQ(winsim::Sleeps(), std::vector<DWORD>(10, 300));
  EXPECT_EQ(winsim::CallCount("QueryServiceStatus"), 10);
}

TEST_F(SpoolerServiceTest, WaitFailsAfterItsPollsWhenTheServiceCannotBeOpened) {
  winsim::FailCall("OpenServiceA", ERROR_ACCESS_DENIED);
  std::string message;
  EXPECT_EQ(WaitSpoolerRunning(message), 0);
  EXPECT_EQ(message, "StartSpoolService error");
  EXPECT_EQ(winsim::Sleeps().size(), 10u);
}

TEST_F(SpoolerServiceTest, RestartStopsPausesAndStartsIgnoringFailures) {
  RestartSpooler(2000);
  EXPECT_EQ(winsim::Sleeps(), (std::vector<DWORD>{2000}));
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(winsim::CallCount("ControlService"), 1);
  EXPECT_EQ(winsim::CallCount("StartServiceA"), 1);
}

TEST_F(SpoolerServiceTest, RestartOfAStoppedSpoolerStillStartsIt) {
  winsim::SetSpoolerRunning(false);
  RestartSpooler(2000);  // the stop answers 1062; the start still follows
  EXPECT_EQ(winsim::SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));
}

}  // namespace
