// WriteProfileStringA on the "Ports" section of the user profile, which lives in win.ini.
#include "contract/ContractEnv.h"

namespace {

class ProfileWriteContractTest : public ContractTest {
 protected:
  void TearDown() override {
    WriteProfileStringA("Ports", "COM9:", nullptr);
    WriteProfileStringA("windows", key.c_str(), nullptr);
    ContractTest::TearDown();
  }
  std::string key = "ContractDevice" + contract::RunTag();
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

TEST_F(ProfileWriteContractTest, TheWindowsSectionLivesInTheRegistryOnNt) {
  ASSERT_TRUE(WriteProfileStringA("windows", key.c_str(), "QM,driver,LPT1:"));
  char text[64];
  GetPrivateProfileStringA("windows", key.c_str(), "<none>", text, sizeof text, "win.ini");
  EXPECT_STREQ(text, "QM,driver,LPT1:");
  HKEY mapped;
  ASSERT_EQ(
      RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                    0, KEY_READ, &mapped),
      ERROR_SUCCESS);
  DWORD size = sizeof text;
  EXPECT_EQ(
      RegQueryValueExA(mapped, key.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
      ERROR_SUCCESS);
  RegCloseKey(mapped);
  EXPECT_STREQ(text, "QM,driver,LPT1:");
  char windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
  EXPECT_EQ(contract::FileText(std::string(windows) + "\\win.ini").find(key), std::string::npos);
  ASSERT_TRUE(WriteProfileStringA("windows", key.c_str(), nullptr));
  GetPrivateProfileStringA("windows", key.c_str(), "<none>", text, sizeof text, "win.ini");
  EXPECT_STREQ(text, "<none>");
}

}  // namespace
