// What a printer's port is given: room for its name, and a serial port's settings with the
// baud rates offered for it.
#pragma once

#include "common/BoundedText.h"

#include <cstddef>
#include <cstring>

// The port text holds 51 characters and its terminator.
const int kPortTextCapacity = 52;

// A model's USB ports are "USB_<model>_1" to "USB_<model>_4". A name that does not fit the
// port text would be cut to a name no monitor offers, and the four names would no longer
// differ: such a model gets no USB port.
inline bool UsbPortNamesFit(const char* model) {
  return strlen(model) + strlen("USB__1") < static_cast<size_t>(kPortTextCapacity);
}
// "USB_<model>_<number>" into `name` (cut to `capacity`).
inline void UsbPortName(char* name, size_t capacity, const char* model, int number) {
  FormatText(name, capacity, "USB_%s_%d", model, number);
}

struct SerialSettings {
  int baudRate;
  int dataBits;
  double stopBits;   // 1.0, 1.5 or 2.0
  char parity;       // first letter of the parity name
  char flowControl;  // 'x' Xon/Xoff, 'p' hardware, ' ' none
};

// Index of a baud rate in the port page's list IDC_BAUD_RATE (110, 300, 1200, 2400, 4800,
// 9600, 19200, 38400, 57600, 115200); every rate the list lacks, 0 included, selects 38400
// (index 7).
int BaudRateIndex(int baudRate);
