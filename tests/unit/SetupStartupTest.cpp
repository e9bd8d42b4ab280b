#include "wizard/SetupStartup.h"

#include "winsim/TokenControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SetupStartupTest, OnlyTheSystemsFrom2000OnRefuseAUserWhoIsNoAdministrator) {
  struct System {
    const char* name;
    DWORD platform, major, minor;
    bool asks;
  } systems[] = {
      {"98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, false},
      {"NT 4.0", VER_PLATFORM_WIN32_NT, 4, 0, false},
      {"2000", VER_PLATFORM_WIN32_NT, 5, 0, true},
      {"XP", VER_PLATFORM_WIN32_NT, 5, 1, true},
      {"2003", VER_PLATFORM_WIN32_NT, 5, 2, true},
      {"Vista", VER_PLATFORM_WIN32_NT, 6, 0, true},
      {"7", VER_PLATFORM_WIN32_NT, 6, 1, true},
      {"10", VER_PLATFORM_WIN32_NT, 10, 0, true},
  };
  for (const System& system : systems) {
    for (bool administrator : {true, false}) {
      winsim::Reset();
      winsim::SetVersion(system.platform, system.major, system.minor);
      if (!administrator) winsim::SetProcessTokenGroups({winsim::UsersGroup()});
      const char* refusal = SetupAdministratorRefusal();
      if (system.asks && !administrator)
        EXPECT_STREQ(refusal, "You must be logged on the computer as an administrator!")
            << system.name;
      else
        EXPECT_EQ(refusal, nullptr) << system.name << (administrator ? "" : ", no administrator");
    }
  }
}

TEST(SetupStartupTest, TheFrameRefusesAMissingSidePictureBeforeAUserWhoIsNoAdministrator) {
  const char* const noPicture = "Can't load file Left.bmp!";
  const char* const noAdministrator = "You must be logged on the computer as an administrator!";
  struct Case {
    bool picture, administrator;
    const char* refusal;
  } cases[] = {{false, false, noPicture},
               {false, true, noPicture},
               {true, false, noAdministrator},
               {true, true, ""}};
  for (const Case& c : cases) {
    winsim::Reset();
    winsim::SetVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    if (!c.administrator) winsim::SetProcessTokenGroups({winsim::UsersGroup()});
    const char* refusal = SetupFrameRefusal(c.picture);
    EXPECT_STREQ(refusal ? refusal : "", c.refusal) << c.picture << c.administrator;
  }
}

}  // namespace
