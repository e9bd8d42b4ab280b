// Questions asked of the running system before anything is installed.
#pragma once

// TargetOs codes: 0 Windows 98/Me (and every system not recognised), 1 NT 4.0, 2 2000, 3 XP,
// 4 Server 2003, 5 Vista.
int GetTargetOs();

// True when the token of the calling thread, or else of the process, lists the built-in
// Administrators group, whatever the group's attributes (a deny-only group counts too).
bool IsAdministrator();

// Tell the Program Compatibility Assistant that this program is already handled, for the
// current user, and for every user whose identifier the Protected Storage key lists.
void MarkCompatibilityPersisted();
void MarkCompatibilityPersistedForUsers();
