// Every decision the programs take from the running system's version, fed with version
// triples: a new system is one more row.
#include "common/SystemProbes.h"
#include "engine/SpoolerOperations.h"
#include "uninstall/RemovalSteps.h"
#include "uninstall/UninstallInventory.h"
#include "wizard/OsPageModel.h"

#include <gtest/gtest.h>

namespace {

const SystemVersion kUnreadable = {false, 0, 0, 0, false};
SystemVersion Win9x(DWORD minor) { return {true, VER_PLATFORM_WIN32_WINDOWS, 4, minor, false}; }
SystemVersion Nt(DWORD major, DWORD minor) {
  return {true, VER_PLATFORM_WIN32_NT, major, minor, false};
}
// This 32-bit program under WOW64 on a 64-bit Windows.
SystemVersion Nt64(DWORD major, DWORD minor) {
  return {true, VER_PLATFORM_WIN32_NT, major, minor, true};
}
SystemVersion Other(DWORD platform, DWORD major, DWORD minor) {
  return {true, platform, major, minor, false};
}

struct Row {
  const char* system;
  SystemVersion version;
  TargetOs targetOs;  // setup's, and the system the OS page offers
  bool checked;       // the OS page checks that system's radio
  OsMarking marking;
  bool unsupportedMessage;  // the OS page warns that the driver does not work here
  TargetOs uninstallCode;
  bool usbRemovalUnavailable;
  DefaultPrinterCall defaultPrinter;
  bool privilegedReboot;
};

// Columns: system, version; setup's TargetOs, radio checked, marking, unsupported message; the
// uninstaller's code and USB flag; the default-printer call; privileged reboot. A 64-bit Windows
// older than 7 is a platform the medium has nothing for.
const Row kRows[] = {
    {"unreadable", kUnreadable, Win98Me, false, NoMarking, true, Win98Me, false, DefaultUnknown,
     false},
    {"95", Win9x(0), Win98Me, false, NoMarking, false, Win98Me, false, DefaultByAttribute, false},
    {"98", Win9x(10), Win98Me, true, NoMarking, false, Win98Me, true, DefaultByAttribute, false},
    {"Me", Win9x(90), Win98Me, true, NoMarking, false, Win98Me, true, DefaultByAttribute, false},
    {"NT 3.51", Nt(3, 51), Win98Me, false, NoMarking, false, Win98Me, false, DefaultByProfile,
     true},
    {"NT 4.0", Nt(4, 0), WinNt4, true, NoMarking, false, WinNt4, true, DefaultByProfile, true},
    {"NT 4.1", Nt(4, 1), Win98Me, false, NoMarking, false, Win98Me, false, DefaultByProfile, true},
    {"2000", Nt(5, 0), Win2000, true, NoMarking, false, Win2000, false, DefaultBySpooler, true},
    {"XP", Nt(5, 1), WinXp, true, MarkForUsers, false, WinXp, false, DefaultBySpooler, true},
    {"2003", Nt(5, 2), WinServer2003, true, NoMarking, false, WinServer2003, false,
     DefaultBySpooler, true},
    {"NT 5.3", Nt(5, 3), Win98Me, false, NoMarking, false, Win98Me, false, DefaultBySpooler, true},
    {"Vista", Nt(6, 0), WinVista, true, MarkCurrentUser, false, WinVista, false, DefaultBySpooler,
     true},
    {"7", Nt(6, 1), Win7, true, MarkCurrentUser, false, Win7, false, DefaultBySpooler, true},
    {"8", Nt(6, 2), Win7, true, MarkCurrentUser, false, Win7, false, DefaultBySpooler, true},
    {"10", Nt(10, 0), Win7, true, MarkCurrentUser, false, Win7, false, DefaultBySpooler, true},
    {"7 x64", Nt64(6, 1), Win7x64, true, MarkCurrentUser, false, Win7x64, false,
     DefaultBySpooler, true},
    {"8 x64", Nt64(6, 2), Win7x64, true, MarkCurrentUser, false, Win7x64, false,
     DefaultBySpooler, true},
    {"10 x64", Nt64(10, 0), Win7x64, true, MarkCurrentUser, false, Win7x64, false,
     DefaultBySpooler, true},
    {"XP x64", Nt64(5, 2), Win98Me, false, NoMarking, true, UnsupportedPlatform, false,
     DefaultBySpooler, true},
    {"Vista x64", Nt64(6, 0), Win98Me, false, NoMarking, true, UnsupportedPlatform, false,
     DefaultBySpooler, true},
    {"Win32s", Other(VER_PLATFORM_WIN32s, 3, 10), Win98Me, false, NoMarking, true,
     UnsupportedPlatform, false, DefaultNotAvailable, true},
    {"CE", Other(3, 5, 0), Win98Me, false, NoMarking, true, UnsupportedPlatform, false,
     DefaultNotAvailable, true},
    {"platform 7", Other(7, 6, 0), Win98Me, false, NoMarking, true, UnsupportedPlatform, false,
     DefaultNotAvailable, true},
};

TEST(SystemVersionTable, EveryDecisionFollowsFromTheVersion) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.system);
    EXPECT_EQ(TargetOsOf(row.version), row.targetOs);

    OsPageView page = ComposeOsPage(row.version);
    EXPECT_EQ(page.osIndex, row.targetOs);
    EXPECT_EQ(page.checkedRadio, row.checked ? kOsRadios[row.targetOs] : 0);
    // The radio range reaches the Vista radio only when Vista is checked, the last radio only
    // when one of Windows 7's is.
    TargetOs rangeLast = !row.checked                 ? WinServer2003
                         : row.targetOs == WinVista   ? WinVista
                         : IsWindows7OrLater(row.targetOs) ? Win7x64
                                                           : WinServer2003;
    EXPECT_EQ(page.checkRangeLast, kOsRadios[rangeLast]);
    EXPECT_EQ(page.marking, row.marking);
    EXPECT_EQ(page.messageId != 0, row.unsupportedMessage);
    // A 64-bit Windows older than 7 gets no radio at all.
    bool old64Bit = row.version.wow64 && !IsWindows7OrLater(row.targetOs);
    EXPECT_EQ(page.old64Bit, old64Bit);
    for (TargetOs os : kTargetOses)
      EXPECT_EQ(page.enabled[os], os == row.targetOs && !old64Bit) << os;

    OsClassification uninstall = ClassifyOs(row.version);
    EXPECT_EQ(uninstall.osCode, row.uninstallCode);
    EXPECT_EQ(uninstall.usbRemovalUnavailable, row.usbRemovalUnavailable);

    EXPECT_EQ(DefaultPrinterCallOf(row.version), row.defaultPrinter);
    EXPECT_EQ(RebootNeedsShutdownPrivilege(row.version), row.privilegedReboot);
  }
}

}  // namespace
