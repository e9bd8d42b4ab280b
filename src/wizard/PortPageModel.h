// The port page's decisions over plain data: which ports it offers, which one it preselects,
// which controls it enables or shows and which driver mode follows from the port. CPortPage
// keeps one PortPageModel, calls it from the frame's page switch and from its own
// selection-change handlers, and applies the PortView it gets back to its controls.
#pragma once

#include "engine/InstallRecord.h"

// The port text holds 51 characters and its terminator.
const int kPortTextCapacity = 52;
// The most entries a composition adds: 11 NT ports and four USB ports.
const int kMaxPortEntries = 16;

// A control state a view leaves as it is.
const int kKeep = -1;

// What the page applies after a composition or a change of port. Every int state is 1 (enable
// / show), 0 (disable / hide) or kKeep.
struct PortView {
  // True when the list 1049 is emptied and refilled with `entries`; false when the list and
  // its selection stay as they are (same model and setup type as last time).
  bool listComposed;
  int entryCount;
  char entries[kMaxPortEntries][kPortTextCapacity];  // in the order the sorted list shows
  int selection;             // index into entries, -1 for none; apply it by its text
  int serialBoxesEnabled;    // 1041..1045
  int driverModeBoxEnabled;  // 1052
  int driverModeBoxShown;    // 1052 (it lies outside the page even when shown)
  int usbHintShown;          // 1065
  const char* usbHintText;   // when not null: the new text of 1065 (message 148)
  DriverMode driverMode;     // check state of 1052 (checked: GDI), always written
};

// Index of a baud rate in list 1041 (110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600,
// 115200); every rate the list lacks, 0 included, selects 38400 (index 7).
int BaudRateIndex(int baudRate);

class PortPageModel {
 public:
  // The page's initial state: last model "PRINTER", setup type 1, 8 data bits, 1 stop bit,
  // parity 'n', flow control 'p'.
  PortPageModel();

  // Composition of the port list for the frame's arrival at the page: Typical setup calls
  // FillPortList, Advanced FillPortListMultiUsb. `setupType` must be copied in first. Reads
  // USBSUPPORTED and LPTDEFAULT of the model's port section in the module INI file, asks
  // GetUsbPrinterId for the attached printer and checks the installed USB device driver.
  PortView FillPortList(const char* model, TargetOs targetOs, PrinterModule module);
  PortView FillPortListMultiUsb(const char* model, TargetOs targetOs, PrinterModule module);

  // A change of selection in 1049: `entryText` is the text of the newly selected entry.
  PortView OnPortSelected(const char* entryText);

  // Selection changes of the serial boxes, with the text of the newly selected entry.
  void OnBaudRateSelected(const char* text);  // 1041
  void OnByteSizeSelected(const char* text);  // 1042
  void OnParitySelected(const char* text);    // 1043
  void OnStopBitsSelected(const char* text);  // 1044
  void OnProtocolSelected(const char* text);  // 1045

  // The page switch stores the model's configured rate (even one the list lacks) and
  // selects BaudRateIndex of it in 1041.
  int SetConfiguredBaudRate(int baudRate);

  char portText[kPortTextCapacity];  // read by the Install command
  int setupType;                     // 1 Typical, 0 Advanced; copied in by the frame
  DriverMode driverMode;             // bound to 1052
  SerialSettings serial;             // baud, data bits, stop bits, parity, flow control

  // For tests and the page's own use.
  const char* LastModel() const { return lastModel; }

 private:
  PortView Compose(const char* model, TargetOs targetOs, PrinterModule module, bool multiUsb);
  PortView Unchanged() const;

  char lastModel[200];
  int lastSetupType;
  TargetOs targetOs;  // of the last composition request
  char entries[kMaxPortEntries][kPortTextCapacity];
  int entryCount;
};
