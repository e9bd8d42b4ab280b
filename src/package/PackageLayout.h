// Where the driver medium is and the names of its configuration files.
#pragma once

#include "package/ModuleConfig.h"

#include <cstddef>

// Capacity of every path built from PackageRoot.
const size_t kPathCapacity = 200;

// PackageRoot: the directory of the running program with its trailing backslash, "" when the
// program name holds no backslash. Derived afresh at each call.
void GetPackageRoot(char* root, size_t capacity);

// Module INI file of a PrinterModule, spelled as the port list and page switch spell it;
// null for NoModule.
const char* ModuleIniName(PrinterModule module);

// setupIniPath = PackageRoot + "DRVCONFIG\setup.ini"; moduleIniPath = PackageRoot + the
// module INI name (PackageRoot alone for NoModule). Both hold kPathCapacity.
void ResolveIniPaths(PrinterModule module, char* setupIniPath, char* moduleIniPath);

// Copies the SUPPORTED-USB-DEVICE number of a USB port into the vendor registry keys.
void RecordUsbPortDevice(const char* usbPortName);

// Compares PackageRoot "USBDRV\bulkusb.sys" with the installed
// "<Windows>\system32\drivers\bulkusb.sys": -1 the installed driver is missing or has no
// version, 1 it is older than the package's, 0 otherwise.
int CheckUsbDeviceDriver();
