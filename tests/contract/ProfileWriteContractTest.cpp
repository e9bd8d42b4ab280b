// WriteProfileStringA on the "Ports" section of the user profile, which lives in win.ini.
#include "contract/ContractEnv.h"

namespace {

class ProfileWriteContractTest : public ContractTest {
 protected:
  void TearDown() override {
    WriteProfileStringA("Ports", "COM9:", nullptr);
    ContractTest::TearDown();
  }
};

TEST_F(ProfileWriteContractTest, APortsEntryReadsBackFromWinIniAndCanBeRemoved) {
  ASSERT_TRUE(WriteProfileStringA("Ports", "COM9:", "9600,n,8,1,x"));
  EXPECT_FALSE(
      WriteProfileStringA(nullptr, nullptr, nullptr));  // a flush of the cache answers FALSE
  char text[64];
  GetPrivateProfileStringA("Ports", "COM9:", "<none>", text, sizeof text, "win.ini");
  EXPECT_STREQ(text, "9600,n,8,1,x");
  ASSERT_TRUE(WriteProfileStringA("Ports", "COM9:", nullptr));
  GetPrivateProfileStringA("Ports", "COM9:", "<none>", text, sizeof text, "win.ini");
  EXPECT_STREQ(text, "<none>");
}

}  // namespace
