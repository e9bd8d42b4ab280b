#include "ports/UsbPrinterId.h"

#include "common/AppMessage.h"
#include "common/BoundedText.h"
#include "package/PackageLayout.h"

#include <windows.h>

#include <cstring>

namespace {

typedef int(WINAPI* OpenDeviceXProc)(int index);
typedef void(WINAPI* CloseDeviceProc)(int device);
typedef int(WINAPI* GetDescriptorProc)(int device, unsigned char* descriptor);
typedef int(WINAPI* UWriteProc)(int device, int reserved, const unsigned char* data, int length);

const char kLibraryName[] = "AqUsbInt.dll";
const int kDeviceSlots = 8;
const int kDescriptorLength = 18;

bool IsDevice(int handle) { return handle != 0 && handle != -1; }

// Task-modal, so the wizard waits for it.
void ShowMessage(const char* text) { ShowAppMessage(nullptr, text, MB_OK | MB_TASKMODAL); }

// The library is loaded by full path only, from the package first and then from the system
// directory: a bare name would also search the working directory and PATH, where a planted
// DLL would run with the installer's administrator rights.
HMODULE LoadUsbLibrary() {
  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  char path[MAX_PATH];
  if (root[0] != '\0' && FormatText(path, sizeof path, "%s%s", root, kLibraryName)) {
    if (HMODULE library = LoadLibraryA(path)) return library;
  }
  char system[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(system, sizeof system);
  if (length == 0 || length >= sizeof system) return nullptr;
  if (!FormatText(path, sizeof path, "%s\\%s", system, kLibraryName)) return nullptr;
  return LoadLibraryA(path);
}

// First index 0..7 that opens; 0 when none does.
int OpenFirstDevice(OpenDeviceXProc openDevice) {
  for (int index = 0; index < kDeviceSlots; ++index) {
    int device = openDevice(index);
    if (IsDevice(device)) return device;
  }
  return 0;
}

}  // namespace

void BuildIdentityCommand(int identity, unsigned char (&command)[kIdentityCommandLength]) {
  // ESC, the firmware's service code that unlocks the identity command, then GS 'I' ' ' n.
  const unsigned char prefix[kIdentityCommandLength - 1] = {0x1B, 0x71, 0x4C, 0x48, 0xA3,
                                                            0x8E, 0x1D, 0x49, 0x20};
  memcpy(command, prefix, sizeof prefix);
  command[kIdentityCommandLength - 1] = static_cast<unsigned char>(identity - 1);
}

int GetUsbPrinterId(const char* severalPrintersText) {
  HMODULE library = LoadUsbLibrary();
  if (!library) {
    ShowMessage("Can not load AqUsbInt.dll");
    return -1;
  }
  OpenDeviceXProc openDevice = reinterpret_cast<OpenDeviceXProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "OpenDeviceX")));
  GetDescriptorProc getDescriptor = reinterpret_cast<GetDescriptorProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "GetDescriptor")));
  CloseDeviceProc closeDevice = reinterpret_cast<CloseDeviceProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "CloseDevice")));
  if (!openDevice || !getDescriptor || !closeDevice) {
    FreeLibrary(library);
    ShowMessage("open function error");
    return -1;
  }

  int count = 0;
  for (int index = 0; index < kDeviceSlots; ++index) {
    int device = openDevice(index);
    if (IsDevice(device) && ++count == 2) {
      // The second printer's handle and the library are released before the user is told.
      closeDevice(device);
      FreeLibrary(library);
      ShowMessage(severalPrintersText);
      return -2;
    }
    closeDevice(device);
  }

  int device = OpenFirstDevice(openDevice);
  if (!device) {
    FreeLibrary(library);
    return -1;
  }
  unsigned char descriptor[kDescriptorLength] = {};
  if (!getDescriptor(device, descriptor)) {
    closeDevice(device);
    FreeLibrary(library);
    ShowMessage("Get Device ID error");
    return -1;
  }
  closeDevice(device);
  FreeLibrary(library);
  return descriptor[12] | (descriptor[13] << 8);
}

bool SetUsbPrinterId(int identity) {
  if (identity < 1 || identity > 8) return false;
  HMODULE library = LoadUsbLibrary();
  if (!library) return false;
  OpenDeviceXProc openDevice = reinterpret_cast<OpenDeviceXProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "OpenDeviceX")));
  UWriteProc write =
      reinterpret_cast<UWriteProc>(reinterpret_cast<void*>(GetProcAddress(library, "uWrite")));
  CloseDeviceProc closeDevice = reinterpret_cast<CloseDeviceProc>(
      reinterpret_cast<void*>(GetProcAddress(library, "CloseDevice")));
  if (!openDevice || !write || !closeDevice) {
    FreeLibrary(library);
    ShowMessage("open function error");
    return false;
  }

  int device = OpenFirstDevice(openDevice);
  if (!device) {
    FreeLibrary(library);
    ShowMessage("Can not find USB device.");
    return false;
  }
  unsigned char command[kIdentityCommandLength];
  BuildIdentityCommand(identity, command);
  int written = write(device, 0, command, kIdentityCommandLength);
  closeDevice(device);
  FreeLibrary(library);
  if (written <= 0) {
    ShowMessage("write ID error");
    return false;
  }
  return true;
}
