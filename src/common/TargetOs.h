// The systems the driver medium has drivers for, and the questions both programs ask of one.
#pragma once

enum TargetOs : int {
  UnsupportedPlatform = -1,  // the uninstaller's value for a platform of neither family
  Win98Me = 0,               // also every system the version table does not recognise
  WinNt4 = 1,
  Win2000 = 2,
  WinXp = 3,
  WinServer2003 = 4,
  WinVista = 5,
  Win7 = 6,    // Windows 7 or later, 32-bit
  Win7x64 = 7  // Windows 7 or later, 64-bit (this 32-bit program under WOW64)
};

// Every system the medium has drivers for, in the order of its INI suffixes.
const TargetOs kTargetOses[] = {Win98Me, WinNt4, Win2000, WinXp, WinServer2003, WinVista, Win7, Win7x64};
const int kTargetOsCount = sizeof kTargetOses / sizeof kTargetOses[0];

inline bool IsWindows98Me(TargetOs os) { return os == Win98Me; }
// Everything else is driven through the NT spooler's environment, even a platform of
// neither family, which the uninstaller treats as NT.
inline bool HasNtSpooler(TargetOs os) { return !IsWindows98Me(os); }
inline bool IsWindows2000OrLater(TargetOs os) { return os >= Win2000 && os <= Win7x64; }
// Windows 7 and later take Vista's compatibility marking and nothing older's.
inline bool IsWindows7OrLater(TargetOs os) { return os == Win7 || os == Win7x64; }
// Both programs insist on an administrator there; NT 4.0 and the 98 family are not asked.
inline bool AsksForAdministrator(TargetOs os) { return IsWindows2000OrLater(os); }
// NT 4.0 knows no USB: no USB port, monitor or printer there.
inline bool SupportsUsb(TargetOs os) { return os != WinNt4; }
// Windows 98/Me and NT 4.0: the uninstaller keeps their printer drivers, and the medium has
// no USB device driver for them. An unsupported platform is not counted with them.
inline bool PredatesWindows2000(TargetOs os) { return os == Win98Me || os == WinNt4; }
inline bool HasUsbDeviceDriver(TargetOs os) { return !PredatesWindows2000(os); }
