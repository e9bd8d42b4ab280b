// Test control of the maker's USB interface library as the simulation provides it: a DLL image
// whose four exports work on simulated attached printers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winsim {

struct UsbPrinter {
  WORD bcdDevice = 0;            // device release number reported in the descriptor
  bool descriptorFails = false;  // GetDescriptor answers 0
  bool writeFails = false;       // uWrite answers 0
};

// Places the library as a DLL file at `path` (e.g. "C:\\AqUsbInt.dll") exporting
// "OpenDeviceX", "CloseDevice", "GetDescriptor" and "uWrite", except the names in `omit`.
void InstallUsbLibrary(const std::string& path, const std::vector<std::string>& omit = {});
// The printers on the bus; index i of OpenDeviceX is printer i. None after Reset.
void AttachUsbPrinters(const std::vector<UsbPrinter>& printers);
// Every block of bytes written with uWrite, in order (also the failed ones).
std::vector<std::string> UsbWrites();
// Device handles open now. A device can be open once: while a handle to it is held,
// OpenDeviceX of its index answers -1, as the real driver refuses a second opener.
int OpenUsbDevices();

}  // namespace winsim
