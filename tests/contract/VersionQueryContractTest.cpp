// GetVersionExA as the system probes call it.
#include "contract/ContractEnv.h"

#include <cstring>

namespace {

class VersionQueryContract : public ContractTest {};

TEST_F(VersionQueryContract, BasicAndExtendedStructuresAreFilledOthersRefused) {
  OSVERSIONINFOA basic;
  memset(&basic, 0xcc, sizeof basic);
  basic.dwOSVersionInfoSize = sizeof basic;
  ASSERT_EQ(sizeof basic, 148u);
  ASSERT_TRUE(GetVersionExA(&basic));
  EXPECT_EQ(basic.dwOSVersionInfoSize, 148u);
  EXPECT_TRUE(basic.dwPlatformId == VER_PLATFORM_WIN32_NT ||
              basic.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS);
  EXPECT_GE(basic.dwMajorVersion, 4u);
  EXPECT_NE(memchr(basic.szCSDVersion, '\0', sizeof basic.szCSDVersion), nullptr);

  OSVERSIONINFOEXA extended;
  memset(&extended, 0, sizeof extended);
  extended.dwOSVersionInfoSize = sizeof extended;
  ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)));
  EXPECT_EQ(extended.dwMajorVersion, basic.dwMajorVersion);
  EXPECT_EQ(extended.dwMinorVersion, basic.dwMinorVersion);
  EXPECT_EQ(extended.dwPlatformId, basic.dwPlatformId);

  for (DWORD size : {0u, 100u, 149u}) {
    OSVERSIONINFOEXA other;
    memset(&other, 0, sizeof other);
    other.dwOSVersionInfoSize = size;
    SetLastError(0xdead);
    EXPECT_FALSE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&other))) << size;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER)) << size;
  }
}

}  // namespace
