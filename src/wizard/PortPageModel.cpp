#include "wizard/PortPageModel.h"

#include "common/BoundedText.h"
#include "common/FileVersion.h"
#include "common/NativeSystemDirectory.h"
#include "engine/SetupText.h"
#include "package/PackageLayout.h"
#include "wizard/WizardFlow.h"

#include <windows.h>

#include <cstring>

namespace {

const char* const kNtPorts[] = {"AQCOM1:", "AQCOM2:", "AQCOM3:", "AQCOM4:", "AQCOM5:", "AQCOM6:",
                                "AQCOM7:", "AQCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};
const char* const kWin98Ports[] = {"COM1:", "COM2:", "LPT1:"};

bool Contains(const char* text, const char* part) { return strstr(text, part) != nullptr; }

// IDC_USB_HINT warns when the installed USB device driver has no version, i.e. is missing.
void CheckUsbDeviceDriverLabel(PortView* view) {
  char path[MAX_PATH + 40] = {};
  char windows[MAX_PATH + 1] = {};
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length >= sizeof windows) windows[0] = '\0';
  FormatText(path, sizeof path, "%s\\system32\\drivers\\bulkusb.sys", windows);
  NativeSystemDirectory native;
  if (GetFileVersionText(path) == "0.0.0.0") {
    view->usbHintText = SetupText(IDS_USB_INSTALL_STEPS);
    view->usbHintShown = 1;
  } else {
    view->usbHintShown = 0;
  }
}

PortView EmptyView() {
  PortView view;
  memset(&view, 0, sizeof view);
  view.selection = -1;
  view.serialBoxesEnabled = kKeep;
  view.driverModeBoxEnabled = kKeep;
  view.driverModeBoxShown = kKeep;
  view.usbHintShown = kKeep;
  view.usbHintText = nullptr;
  return view;
}

struct PortSectionFlags {
  int usbSupported;
  int lptDefault;
};

// USBSUPPORTED and LPTDEFAULT of the model's port section in its module INI file.
PortSectionFlags ReadPortSectionFlags(const char* model, PrinterModule module) {
  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  char iniFile[kPathCapacity];
  CopyText(iniFile, root);
  if (const char* name = ModuleIniName(module)) AppendText(iniFile, name);
  char section[kPortSectionCapacity];
  FormatText(section, sizeof section, "%s.PORT", model);
  return {ReadPortSectionNumber(iniFile, section, "USBSUPPORTED"),
          ReadPortSectionNumber(iniFile, section, "LPTDEFAULT")};
}

struct PortList {
  char (&entries)[kMaxPortEntries][kPortTextCapacity];
  int& count;
};

// The fixed ports of the system, then (where the model and system have USB and the names fit)
// one USB port, four with the multi-USB list.
void ListPorts(PortList& list, const char* model, TargetOs os, bool usbSupported, bool multiUsb) {
  list.count = 0;
  memset(list.entries, 0, sizeof list.entries);
  auto add = [&list](const char* name) {
    if (list.count < kMaxPortEntries) CopyText(list.entries[list.count++], name);
  };
  if (IsWindows98Me(os))
    for (const char* name : kWin98Ports) add(name);
  else
    for (const char* name : kNtPorts) add(name);
  if (!usbSupported || !SupportsUsb(os) || !UsbPortNamesFit(model)) return;
  int count = multiUsb ? 4 : 1;
  for (int i = 1; i <= count; ++i) {
    char name[kPortTextCapacity];
    UsbPortName(name, sizeof name, model, i);
    add(name);
  }
}

// The entry of the attached USB printer's port (the first USB entry for one port); -1 for
// none, but the first entry for a device number beyond the fourth port.
int PreselectUsbPort(const PortList& list, int device, bool multiUsb) {
  if (!multiUsb) {
    for (int i = 0; i < list.count; ++i)
      if (Contains(list.entries[i], "USB")) return i;
    return -1;
  }
  int port = device % 8 + 1;
  char suffix[16];
  FormatText(suffix, sizeof suffix, "_%d", port);
  for (int i = 0; i < list.count; ++i)
    if (Contains(list.entries[i], "USB") && Contains(list.entries[i], suffix)) return i;
  return port > 4 ? 0 : -1;
}

// The first entry, or with LPTDEFAULT the first parallel one; -1 for none.
int PreselectFixedPort(const PortList& list, bool lptDefault) {
  if (!lptDefault) return list.count > 0 ? 0 : -1;
  for (int i = 0; i < list.count; ++i)
    if (Contains(list.entries[i], "LPT")) return i;
  return -1;
}

// The controls and driver mode that follow from the composed port text.
DriverMode ShowComposedPort(const char* portText, TargetOs os, bool multiUsb, PortView& view) {
  DriverMode driverMode;
  if (Contains(portText, "USB")) {
    // The USB device driver is checked only where the package installs it.
    if (HasUsbDeviceDriver(os)) CheckUsbDeviceDriverLabel(&view);
    view.driverModeBoxEnabled = 1;
    driverMode = GdiMode;
  } else if (Contains(portText, "LPT")) {
    view.usbHintShown = 0;
    view.driverModeBoxEnabled = 1;
    driverMode = GdiMode;
    view.serialBoxesEnabled = 0;
  } else {
    view.serialBoxesEnabled = 1;
    view.usbHintShown = 0;
    view.driverModeBoxEnabled = 0;
    driverMode = StdMode;
  }
  view.driverModeBoxShown = multiUsb ? 1 : 0;
  view.driverMode = driverMode;
  return driverMode;
}

}  // namespace

PortPageModel::PortPageModel()
    : setupType(1), driverMode(StdMode), lastSetupType(1), targetOs(Win98Me), entryCount(0) {
  memset(portText, 0, sizeof portText);
  memset(lastModel, 0, sizeof lastModel);
  memset(entries, 0, sizeof entries);
  CopyText(lastModel, "PRINTER");
  serial.baudRate = 0;
  serial.dataBits = 8;
  serial.stopBits = 1.0;
  serial.parity = 'n';
  serial.flowControl = 'p';
}

bool PortPageModel::Recomposes(const char* model) const {
  return strcmp(model ? model : "", lastModel) != 0 || setupType != lastSetupType;
}

PortView PortPageModel::FillPortList(const char* model, TargetOs os, PrinterModule module,
                                     int usbDevice) {
  return Compose(model, os, module, usbDevice, false);
}

PortView PortPageModel::FillPortListMultiUsb(const char* model, TargetOs os, PrinterModule module,
                                             int usbDevice) {
  return Compose(model, os, module, usbDevice, true);
}

PortView PortPageModel::Unchanged() const {
  PortView view = EmptyView();
  view.driverMode = driverMode;
  return view;
}

// The list afresh (another model or setup type than last time), the preselected port, then
// the view that follows from it; else the page keeps its list.
PortView PortPageModel::Compose(const char* model, TargetOs os, PrinterModule module, int device,
                                bool multiUsb) {
  if (!model) model = "";
  targetOs = os;
  if (!Recomposes(model)) return Unchanged();
  lastSetupType = setupType;
  CopyText(lastModel, model);

  PortSectionFlags flags = ReadPortSectionFlags(lastModel, module);
  PortList list{entries, entryCount};
  ListPorts(list, lastModel, os, flags.usbSupported != 0, multiUsb);
  PortView view = EmptyView();
  int selection = -1;
  if (flags.usbSupported && device != kNoUsbDevice) {
    selection = PreselectUsbPort(list, device, multiUsb);
    view.serialBoxesEnabled = 0;
  }
  // Without a device, and also when a device answers but no USB entry matches it (NT 4.0
  // offers none; a negative device number names no port), the page preselects as it does
  // without a device, so that the port text is never empty.
  if (selection < 0) selection = PreselectFixedPort(list, flags.lptDefault != 0);
  CopyText(portText, selection >= 0 ? entries[selection] : "");
  driverMode = ShowComposedPort(portText, os, multiUsb, view);

  view.listComposed = true;
  view.entryCount = entryCount;
  memcpy(view.entries, entries, sizeof entries);
  view.selection = selection;
  return view;
}

PortView PortPageModel::OnPortSelected(const char* entryText) {
  CopyText(portText, entryText);
  PortView view = EmptyView();
  // A USB port is judged first, as the composition does: a model name may itself hold "COM".
  if (Contains(portText, "USB")) {
    view.serialBoxesEnabled = 0;
    view.driverModeBoxEnabled = 1;
    driverMode = GdiMode;
    if (HasUsbDeviceDriver(targetOs)) CheckUsbDeviceDriverLabel(&view);
  } else if (Contains(portText, "COM")) {
    view.serialBoxesEnabled = 1;
    view.driverModeBoxEnabled = 0;
    view.usbHintShown = 0;
    driverMode = StdMode;
  } else {
    view.serialBoxesEnabled = 0;
    view.driverModeBoxEnabled = 1;
    view.usbHintShown = 0;
    driverMode = GdiMode;
  }
  view.driverMode = driverMode;
  return view;
}

void PortPageModel::OnBaudRateSelected(const char* text) { serial.baudRate = DecimalValue(text); }

void PortPageModel::OnByteSizeSelected(const char* text) { serial.dataBits = DecimalValue(text); }

void PortPageModel::OnParitySelected(const char* text) { serial.parity = text ? text[0] : '\0'; }

void PortPageModel::OnStopBitsSelected(const char* text) {
  // Read without the C library's locale: the list's texts always use a point.
  if (!text) return;
  double value = DecimalValue(text);
  if (const char* point = strchr(text, '.')) {
    double scale = 0.1;
    for (const char* p = point + 1; *p >= '0' && *p <= '9'; ++p, scale /= 10)
      value += (*p - '0') * scale;
  }
  serial.stopBits = value;
}

void PortPageModel::OnProtocolSelected(const char* text) {
  if (!text) return;
  if (strcmp(text, "Xon/Xoff") == 0)
    serial.flowControl = 'x';
  else if (strcmp(text, "Hardware") == 0)
    serial.flowControl = 'p';
  else if (strcmp(text, "None") == 0)
    serial.flowControl = ' ';
}

int PortPageModel::SetConfiguredBaudRate(int baudRate) {
  serial.baudRate = baudRate;
  return BaudRateIndex(baudRate);
}
