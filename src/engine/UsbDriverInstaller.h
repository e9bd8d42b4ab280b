// The USB device driver's own installer on the medium, started before a USB installation
// when the installed driver is missing or older than the medium's.
#pragma once

// True on 2000 and later when CheckUsbDeviceDriver finds the installed driver missing or older.
bool UsbDriverInstallNeeded();
// Clears the read-only marks of the installed driver files, starts PackageRoot
// "USBDrv\Install.exe" with "2" and waits (at most about 5 s) while its window is open.
// The installer's outcome is its own: nothing is reported.
void RunUsbDriverInstaller();
