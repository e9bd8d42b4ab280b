#include "engine/InstallNaming.h"

#include "common/BoundedText.h"

#include <cstring>

int UsbPrinterNumber(int identity) { return identity % 8 + 1; }

int UsbPortNumber(const char* portName) {
  static const char* const marks[] = {"_4", "_3", "_2", "_1"};
  for (int i = 0; i < 4; ++i)
    if (strstr(portName, marks[i])) return 4 - i;
  return 0;
}

void AppendPortSuffix(char* name, size_t capacity, const char* portName, PortKind portKind) {
  if (portKind == SerialPort) {
    AppendText(name, capacity, "(S)");
  } else if (portKind == ParallelPort) {
    AppendText(name, capacity, "(P)");
  } else if (portKind == UsbPort) {
    static const char* const marks[] = {"_1", "_2", "_3", "_4"};
    static const char* const suffixes[] = {"(U) 1", "(U) 2", "(U) 3", "(U) 4"};
    for (int i = 0; i < 4; ++i)
      if (strstr(portName, marks[i])) AppendText(name, capacity, suffixes[i]);
  }
}

const char* PrinterPortName(SetupSelection& selection) {
  selection.usbPortName[0] = '\0';
  if (selection.portKind != UsbPort || !strstr(selection.modelName, "QM-C3"))
    return selection.portName;
  size_t length = strlen(selection.portName);
  char last[2] = {length ? selection.portName[length - 1] : '\0', '\0'};
  FormatText(selection.usbPortName, sizeof selection.usbPortName, "USB_QM-C3_%s", last);
  return selection.usbPortName;
}
