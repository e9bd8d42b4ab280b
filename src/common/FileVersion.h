// File versions from version resources, and the decision whether the USB device driver of the
// package must be installed.
#pragma once

#include <string>

// The "FileVersion" text of the first language/code-page pair of the file's version
// resource; "0.0.0.0" when the file, the resource, its translation table or the text is
// missing or empty.
std::string GetFileVersionText(const char* path);

// Compares PackageRoot "USBDRV\bulkusb.sys" with the installed
// "<Windows>\system32\drivers\bulkusb.sys": -1 the installed driver is missing or has no
// version, 1 it is older than the package's, 0 otherwise.
int CheckUsbDeviceDriver();

// The digits at positions 0, 2, 4 and 6 of a version text ("1.0.0.5" -> 1005).
int VersionNumber(const std::string& text);
