// The port page's decisions over plain data: which ports it offers, which one it preselects,
// which controls it enables or shows and which driver mode follows from the port. CPortPage
// keeps one PortPageModel, calls it from the frame's page switch and from its own
// selection-change handlers, and applies the PortView it gets back to its controls.
#pragma once

#include "engine/InstallRecord.h"
#include "ports/PortSettings.h"

// The most entries a composition adds: 11 NT ports and four USB ports.
const int kMaxPortEntries = 16;

// A control state a view leaves as it is.
const int kKeep = -1;
// The USB device number of a composition without an attached printer.
const int kNoUsbDevice = -1;

// What the page applies after a composition or a change of port. Every int state is 1 (enable
// / show), 0 (disable / hide) or kKeep.
struct PortView {
  // True when the list IDC_PORTS is emptied and refilled with `entries`; false when the list and
  // its selection stay as they are (same model and setup type as last time).
  bool listComposed;
  int entryCount;
  char entries[kMaxPortEntries][kPortTextCapacity];  // in the order the sorted list shows
  int selection;             // index into entries, -1 for none; apply it by its text
  int serialBoxesEnabled;    // IDC_BAUD_RATE..IDC_PROTOCOL
  int driverModeBoxEnabled;  // IDC_RASTER_PRINTING
  int driverModeBoxShown;    // IDC_RASTER_PRINTING (it lies outside the page even when shown)
  int usbHintShown;          // IDC_USB_HINT
  const char* usbHintText;   // when not null: the new text of IDC_USB_HINT
  DriverMode driverMode;     // check state of IDC_RASTER_PRINTING (checked: GDI), always written
};

class PortPageModel {
 public:
  // The page's initial state: last model "PRINTER", setup type 1, 8 data bits, 1 stop bit,
  // parity 'n', flow control 'p'.
  PortPageModel();

  // Whether a composition for `model` fills the list afresh: another model or setup type
  // than last time. Only then is the attached USB printer asked for its number.
  bool Recomposes(const char* model) const;
  // Composition of the port list for the frame's arrival at the page: Typical setup calls
  // FillPortList, Advanced FillPortListMultiUsb. `setupType` must be copied in first. Reads
  // USBSUPPORTED and LPTDEFAULT of the model's port section in the module INI file and checks
  // the installed USB device driver; `usbDevice` is what GetUsbPrinterId answered
  // (kNoUsbDevice without a printer).
  PortView FillPortList(const char* model, TargetOs targetOs, PrinterModule module,
                        int usbDevice);
  PortView FillPortListMultiUsb(const char* model, TargetOs targetOs, PrinterModule module,
                                int usbDevice);

  // A change of selection in IDC_PORTS: `entryText` is the text of the newly selected entry.
  PortView OnPortSelected(const char* entryText);

  // Selection changes of the serial boxes, with the text of the newly selected entry.
  void OnBaudRateSelected(const char* text);  // IDC_BAUD_RATE
  void OnByteSizeSelected(const char* text);  // IDC_BYTE_SIZE
  void OnParitySelected(const char* text);    // IDC_PARITY
  void OnStopBitsSelected(const char* text);  // IDC_STOP_BITS
  void OnProtocolSelected(const char* text);  // IDC_PROTOCOL

  // The page switch stores the model's configured rate (even one the list lacks) and
  // selects BaudRateIndex of it in IDC_BAUD_RATE.
  int SetConfiguredBaudRate(int baudRate);

  char portText[kPortTextCapacity];  // read by the Install command
  int setupType;                     // 1 Typical, 0 Advanced; copied in by the frame
  DriverMode driverMode;             // bound to IDC_RASTER_PRINTING
  SerialSettings serial;             // baud, data bits, stop bits, parity, flow control

  // For tests and the page's own use.
  const char* LastModel() const { return lastModel; }

 private:
  PortView Compose(const char* model, TargetOs targetOs, PrinterModule module, int usbDevice,
                   bool multiUsb);
  PortView Unchanged() const;

  char lastModel[200];
  int lastSetupType;
  TargetOs targetOs;  // of the last composition request
  char entries[kMaxPortEntries][kPortTextCapacity];
  int entryCount;
};
