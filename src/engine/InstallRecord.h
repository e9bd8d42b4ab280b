// The data handed from the wizard to the installation engine, and the completion
// contract between the install worker and the progress window.
#pragma once

#include "engine/StepMessage.h"
#include "package/ModuleConfig.h"
#include "ports/PortSettings.h"

#include <windows.h>
#include <winspool.h>

#include <atomic>
#include <string>

enum PortKind : int { NoPort = -1, SerialPort = 0, ParallelPort = 1, UsbPort = 2 };

enum InstallFlag { ComMonitorOutdated = 1, UsbMonitorOutdated = 2, ProcessorOutdated = 8 };

struct SetupSelection {
  PrinterModule module;
  TargetOs targetOs;
  DriverMode driverMode;
  char modelName[200];
  char portName[100];
  char usbPortName[100];
  int setAsDefault;
  SerialSettings serial;
  int installFlags;
  char setupIniPath[200];
  char moduleIniPath[200];
  PortKind portKind;
  int typicalSetup;  // 1 Typical, 0 Advanced: the setup type page's choice
};

// Working data of one installation, beside the selection; the wizard frame owns both.
struct InstallWorkingData {
  ModuleConfig config;
  DriverFileSet files;
  DRIVER_INFO_3A driver;
  PRINTER_INFO_2A printer;
  // The printer's name with its port suffix: the printer record points here, and the install
  // sequence may number it in place (room for the spooler operations' printer names).
  char printerName[260];
  // The outcome text of the installation: replaced by each failing step, and kept across a
  // repeated Install like the rest of the program run.
  std::string message;

  // Clears everything but the configuration reader and the outcome text, before the Install
  // command fills it.
  void Clear();
};

// Worker and progress window agree on the end of a run through these two values.
enum InstallResult { InstallRunning = 0, InstallFailed = 1, InstallSucceeded = 2 };
struct InstallCompletion {
  std::atomic<int> result{InstallRunning};  // written once by the worker, as its last act
  InstallFailure failure = NoFailure;       // what failed: written by the worker before result
  bool waitForResult = false;  // false on Windows 98/Me: the window may close before it
};

// What the Install command hands to the worker thread: the frame's record and working data,
// and the progress window's completion values.
struct InstallJob {
  SetupSelection* selection;
  InstallWorkingData* work;
  InstallCompletion* completion;
};

// Initial Selection: "n" parity and a Typical setup before the user changes them.
void ClearSelection(SetupSelection* selection);
// Kind of a port name, tested in the order "USB_", "COM", "LPT"; NoPort for none of them.
PortKind PortKindOf(const char* portName);

