// How the Install command names the printer and its port, and how it reads the numbers of a
// USB printer and of a USB port.
#pragma once

#include "engine/InstallRecord.h"

#include <cstddef>

// Printer number 1..8 of an identity value read from the printer.
int UsbPrinterNumber(int identity);
// 4, 3, 2 or 1 for a port name containing "_4", "_3", "_2" or "_1" (tested in that order);
// 0 for none of them.
int UsbPortNumber(const char* portName);
// Appends the port kind's suffix to `name`: "(S)", "(P)", or on USB "(U) n" for each of
// "_1" to "_4" that the port name contains. Cut to `capacity`.
void AppendPortSuffix(char* name, size_t capacity, const char* portName, PortKind portKind);
// The printer's port: on USB for a "QM-C3" model "USB_QM-C3_" and the last character of the
// port name, built in selection.usbPortName; else the port name.
const char* PrinterPortName(SetupSelection& selection);
