// What keeps setup from starting on this machine, decided once for the wizard's frame and the
// silent run alike.
#pragma once

// The administrator message on a system whose spooler asks for one (2000 to Vista) when the
// user is not an administrator; nullptr when setup may go on. NT 4.0 and the Windows 98
// family are not asked.
const char* SetupAdministratorRefusal();
