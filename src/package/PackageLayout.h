// Where the driver medium is and the names of its configuration files.
#pragma once

#include "package/ModuleConfig.h"

#include <cstddef>

// Capacity of every path built from PackageRoot.
const size_t kPathCapacity = 200;

// PackageRoot: the directory of the running program with its trailing backslash, "" when the
// program name holds no backslash. Derived afresh at each call.
void GetPackageRoot(char* root, size_t capacity);

// The module INI files are spelt two ways, both kept as setup has always read them: the port
// list and the page switch read "setup_Ticket.ini", the driver records "setup_ticket.ini".
// Windows finds one file by either name, but a medium copied to a file system that
// distinguishes case may hold both, and then setup reads two different files: that is why the
// checker reports their case. Both are relative to PackageRoot; null for NoModule.
const char* ModuleIniName(PrinterModule module);         // the pages' spelling
const char* ModuleRecordsIniName(PrinterModule module);  // the driver records' spelling

// setupIniPath = PackageRoot + "DRVCONFIG\setup.ini"; moduleIniPath = PackageRoot + the
// module INI name (PackageRoot alone for NoModule). Both hold kPathCapacity.
void ResolveIniPaths(PrinterModule module, char* setupIniPath, char* moduleIniPath);

// Copies the SUPPORTED-USB-DEVICE number of a USB port into the vendor registry keys.
void RecordUsbPortDevice(const char* usbPortName);

// Compares PackageRoot "USBDRV\bulkusb.sys" with the installed
// "<Windows>\system32\drivers\bulkusb.sys": -1 the installed driver is missing or has no
// version, 1 it is older than the package's, 0 otherwise.
int CheckUsbDeviceDriver();
