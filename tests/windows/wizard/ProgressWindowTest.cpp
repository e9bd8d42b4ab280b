// The progress window's run of the bar against the worker's result, sampled at every
// position it shows.
#include "windows/support/WindowTestSupport.h"
#include "windows/MessageBoxWatcher.h"

#include "SetupIds.h"
#include "wizard/window/ProgressDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>
#include <vector>

namespace {

struct Sample {
  DWORD at;  // milliseconds since the first position
  int position;
};

// Records every position the loop shows, with the bar's own reading.
class RecordingProgressDlg : public CProgressDlg {
 public:
  explicit RecordingProgressDlg(InstallCompletion& completion) : CProgressDlg(completion) {}
  std::vector<Sample> samples;
  std::vector<int> barReadings;
  bool screenshot = false;

 protected:
  void SetPosition(int n) override {
    CProgressDlg::SetPosition(n);
    DWORD now = GetTickCount();
    if (samples.empty()) start_ = now;
    samples.push_back({now - start_, n});
    barReadings.push_back(
        static_cast<int>(SendDlgItemMessageA(hwnd_, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0)));
    if (screenshot && n == 45) wintest::SaveScreenshot(hwnd_, "progress");
  }

 private:
  DWORD start_ = 0;
};

class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MessageBoxWatcher::HaveDisplay()) GTEST_SKIP() << "no display";
  }
  // Runs the window modally; the "worker" writes `result` after `delay` ms (never for 0).
  void Run(bool waitForResult, int result, DWORD delay) {
    dialog.completion.waitForResult = waitForResult;
    std::thread worker([&] {
      if (result == 0) return;
      Sleep(delay);
      dialog.completion.result = result;
    });
    DWORD start = GetTickCount();
    returned = dialog.DoModal(nullptr);
    elapsed = GetTickCount() - start;
    worker.join();
  }
  // Positions from the first sample at or after `from`.
  std::vector<int> PositionsFrom(size_t from) const {
    std::vector<int> positions;
    for (size_t i = from; i < dialog.samples.size(); ++i)
      positions.push_back(dialog.samples[i].position);
    return positions;
  }

  InstallCompletion completion;
  RecordingProgressDlg dialog{completion};
  INT_PTR returned = -1;
  DWORD elapsed = 0;
};

TEST_F(ProgressWindowTest, ASuccessRunsTheBarUpFromWhereItStoodTo99) {
  dialog.screenshot = true;
  Run(true, InstallSucceeded, 3000);
  EXPECT_EQ(IDOK, returned);
  ASSERT_FALSE(dialog.samples.empty());
  // One step per position, climbing and then running up, ending at 99.
  for (size_t i = 1; i < dialog.samples.size(); ++i)
    ASSERT_EQ(dialog.samples[i - 1].position + 1, dialog.samples[i].position) << i;
  EXPECT_EQ(0, dialog.samples.front().position);
  EXPECT_EQ(99, dialog.samples.back().position);
  EXPECT_EQ(dialog.samples.size(), dialog.barReadings.size());
  EXPECT_EQ(99, dialog.barReadings.back());
  // About 3 s at 80 ms a step before the result: the run-up starts near 37.
  size_t runUp = 1;
  while (runUp < dialog.samples.size() &&
         dialog.samples[runUp].at - dialog.samples[runUp - 1].at > 40)
    ++runUp;
  int from = dialog.samples[runUp].position;
  EXPECT_GE(from, 25);
  EXPECT_LE(from, 42);
  // 80 ms a step while climbing (timers may run late, never early by much).
  double climbStep = double(dialog.samples[runUp - 1].at) / (runUp - 1);
  EXPECT_GE(climbStep, 75.0);
  EXPECT_LE(climbStep, 120.0);
  EXPECT_TRUE(std::ifstream((wintest::ScreenshotDir() + "progress.bmp").c_str()).good());
}

TEST_F(ProgressWindowTest, AFailureDuringTheHoldRunsTheBarDownFrom91To0) {
  Run(true, InstallFailed, 8500);
  EXPECT_EQ(IDOK, returned);
  ASSERT_FALSE(dialog.samples.empty());
  // Climb to 89, hold at 90, then 91, 90, ... 1 and 0.
  size_t down = 0;
  while (down < dialog.samples.size() && dialog.samples[down].position != 91) ++down;
  ASSERT_LT(down, dialog.samples.size());
  for (size_t i = 0; i < 90; ++i) EXPECT_EQ(static_cast<int>(i), dialog.samples[i].position) << i;
  for (size_t i = 90; i < down; ++i) EXPECT_EQ(90, dialog.samples[i].position) << i;
  std::vector<int> expected;
  for (int n = 91; n >= 1; --n) expected.push_back(n);
  expected.push_back(0);
  EXPECT_EQ(expected, PositionsFrom(down));
  EXPECT_EQ(0, dialog.barReadings.back());
}

TEST_F(ProgressWindowTest, WithoutWaitingTheWindowClosesAfterTheBarShowed89) {
  Run(false, 0, 0);
  EXPECT_EQ(IDOK, returned);
  ASSERT_EQ(90u, dialog.samples.size());
  EXPECT_EQ(89, dialog.samples.back().position);
  // 90 steps of 80 ms after the first 100 ms tick: about 7.2 s.
  EXPECT_GE(elapsed, 7000u);
  EXPECT_LE(elapsed, 11000u);
}

}  // namespace
