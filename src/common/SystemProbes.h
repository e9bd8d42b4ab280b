// Questions asked of the running system before anything is installed.
#pragma once

#include "common/TargetOs.h"

#include <windows.h>

// What the running system says of its version. Reading it changes nothing; every program
// decision that depends on the system is a plain function of this record, so that a table
// of versions can test them all.
struct SystemVersion {
  bool known;      // false when the system would not say: the numbers are then 0
  DWORD platform;  // VER_PLATFORM_WIN32_WINDOWS, VER_PLATFORM_WIN32_NT or another
  DWORD major;
  DWORD minor;
  bool wow64;  // a 64-bit Windows runs this 32-bit program (IsWow64Process says so)
};

SystemVersion ReadSystemVersion();
// A kernel32 function that older systems lack, looked up at run time; null where it is
// missing. kernel32 is loaded in every process, so the address outlives the lookup.
void* KernelFunction(const char* name);

bool IsWindows9xFamily(const SystemVersion& version);
bool IsNtFamily(const SystemVersion& version);
// Windows 98 and Me, and the NT versions the medium has drivers for. Windows 95, every other
// NT version and other platforms are not recognised.
bool IsRecognisedSystem(const SystemVersion& version);
// A 64-bit Windows older than 7: the medium has no drivers for it, and the OS page treats it as
// a platform of neither family.
bool IsOld64BitWindows(const SystemVersion& version);
// Win98Me for the 98 family and for every system not recognised. NT 6.1 and later is Win7, or
// Win7x64 under WOW64.
TargetOs TargetOsOf(const SystemVersion& version);
// TargetOsOf the running system.
TargetOs GetTargetOs();

// True when the token of the calling thread, or else of the process, lists the built-in
// Administrators group, whatever the group's attributes (a deny-only group counts too).
bool IsAdministrator();

// Tell the Program Compatibility Assistant that this program is already handled, for the
// current user, and for every user whose identifier the Protected Storage key lists.
void MarkCompatibilityPersisted();
void MarkCompatibilityPersistedForUsers();
