#include "checkmedium/MediumCheck.h"

#include "winsim/winsim.h"

#include <gtest/gtest.h>

namespace {

class CheckMediumTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winsim::Reset();
    ASSERT_GT(winsim::LoadHostDirectory(SOURCE_ROOT "/sample/medium", "D:\\QM"), 0);
  }
  void TearDown() override { EXPECT_EQ(winsim::OpenHandles(), 0) << winsim::DescribeOpenHandles(); }
  int Check() {
    findings = FindingList();
    return CheckMedium("D:\\QM", &findings);
  }
  std::string Report() const {
    std::string text;
    for (const Finding& finding : findings.All()) text += FormatFinding(finding) + "\n";
    return text;
  }
  FindingList findings;
};

TEST_F(CheckMediumTest, SampleMediumPassesClean) {
  EXPECT_EQ(Check(), MediumClean) << Report();
}

}  // namespace
