#include "engine/InstallRecord.h"

#include <cstring>

void InstallWorkingData::Clear() {
  memset(&files, 0, sizeof files);
  memset(&driver, 0, sizeof driver);
  memset(&printer, 0, sizeof printer);
  memset(printerName, 0, sizeof printerName);
}

void ClearSelection(SetupSelection* selection) {
  memset(selection, 0, sizeof *selection);
  selection->serial.parity = 'n';
  selection->serial.flowControl = ' ';
  selection->typicalSetup = 1;
}

PortKind PortKindOf(const char* portName) {
  if (!portName) return NoPort;
  if (strstr(portName, "USB_")) return UsbPort;
  if (strstr(portName, "COM")) return SerialPort;
  if (strstr(portName, "LPT")) return ParallelPort;
  return NoPort;
}
