// The maker's USB interface library, simulated over a list of attached printers.
#include "winsim/Machine.h"
#include "winsim/UsbControl.h"

#include <cstring>
#include <map>

namespace winsim {
namespace {

struct UsbState {
  std::vector<UsbPrinter> printers;
  std::map<int, size_t> open;        // device handle -> printer index
  std::map<int, uintptr_t> handles;  // device handle -> accounting handle
  std::vector<std::string> writes;
  int nextHandle = 0x100;
};
UsbState usb;

bool DeviceOpen(size_t index) {
  for (const auto& device : usb.open)
    if (device.second == index) return true;
  return false;
}

int WINAPI OpenDeviceX(int index) {
  WINSIM_LOCK;
  if (TakeFault("OpenDeviceX")) return -1;
  if (index < 0 || static_cast<size_t>(index) >= usb.printers.size() ||
      DeviceOpen(static_cast<size_t>(index)))
    return -1;
  int handle = usb.nextHandle++;
  usb.open[handle] = static_cast<size_t>(index);
  usb.handles[handle] = NewHandle(HandleKind::Other);
  return handle;
}

void WINAPI CloseDevice(int handle) {
  WINSIM_LOCK;
  TakeFault("CloseDevice");
  auto it = usb.handles.find(handle);
  if (it == usb.handles.end()) return;  // 0, -1 or a stale handle: nothing to close
  ReleaseHandle(HandleKind::Other, it->second);
  usb.handles.erase(it);
  usb.open.erase(handle);
}

int WINAPI GetDescriptor(int handle, unsigned char* descriptor) {
  WINSIM_LOCK;
  if (TakeFault("GetDescriptor")) return 0;
  auto it = usb.open.find(handle);
  if (it == usb.open.end() || !descriptor) return 0;
  const UsbPrinter& printer = usb.printers[it->second];
  if (printer.descriptorFails) return 0;
  // An 18-byte USB device descriptor of a printer-class device.
  const unsigned char fixed[18] = {18,   1,    0x10, 0x01, 0, 0, 0, 64, 0x34,
                                   0x12, 0x78, 0x56, 0,    0, 1, 2, 3,  1};
  memcpy(descriptor, fixed, sizeof fixed);
  descriptor[12] = static_cast<unsigned char>(printer.bcdDevice & 0xFF);
  descriptor[13] = static_cast<unsigned char>(printer.bcdDevice >> 8);
  return 1;
}

int WINAPI uWrite(int handle, int, const unsigned char* data, int length) {
  WINSIM_LOCK;
  if (TakeFault("uWrite")) return 0;
  auto it = usb.open.find(handle);
  if (it == usb.open.end() || !data || length <= 0) return 0;
  usb.writes.emplace_back(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
  return usb.printers[it->second].writeFails ? 0 : length;
}

}  // namespace

void ResetUsb() { usb = UsbState(); }

void RebootUsb() {
  usb.open.clear();
  usb.handles.clear();
}

void InstallUsbLibrary(const std::string& path, const std::vector<std::string>& omit) {
  Exports exports = {{"OpenDeviceX", reinterpret_cast<void*>(&OpenDeviceX)},
                     {"CloseDevice", reinterpret_cast<void*>(&CloseDevice)},
                     {"GetDescriptor", reinterpret_cast<void*>(&GetDescriptor)},
                     {"uWrite", reinterpret_cast<void*>(&uWrite)}};
  for (const std::string& name : omit) exports.erase(name);
  RegisterModuleImage(path, exports);
}

void AttachUsbPrinters(const std::vector<UsbPrinter>& printers) {
  WINSIM_LOCK;
  usb.printers = printers;
}

std::vector<std::string> UsbWrites() {
  WINSIM_LOCK;
  return usb.writes;
}

int OpenUsbDevices() {
  WINSIM_LOCK;
  return static_cast<int>(usb.open.size());
}

}  // namespace winsim
