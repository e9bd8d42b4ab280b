// The thin layer between the install sequence and the print spooler and file system. Each
// operation turns a failure into one line of text in the caller's message, with its kind, and
// a result.
#pragma once

#include "common/SystemProbes.h"
#include "engine/StepMessage.h"

#include <windows.h>
#include <winspool.h>

// Where CopyPackageFile puts a file.
enum DestinationKind {
  DriverDirectory3 = 999,      // printer-driver directory + "\3"
  DriverDirectory = 66000,     // printer-driver directory of the current environment
  ProcessorDirectory = 66001,  // print-processor directory of the current environment
  SystemDirectory = 66002,     // system directory
};

// Destination naming of CopyPackageFile: PrefixedCopy places "n" + name beside a file in use.
enum CopyNaming { PlainCopy = 0, PrefixedCopy = 1 };

// Size of the printer-name buffer that AddPrinterChecked numbers names in.
const size_t kPrinterNameSize = 260;

// The medium's driver directory of a TargetOs, with both backslashes ("" for any other value).
const char* OsSubdirectory(TargetOs targetOs);

// What CopyPackageFile did. A file in use or protected leaves the message untouched.
enum CopyResult {
  CopyFailed = 0,  // with a message, or skipped without one for a name beginning with "0"
  Copied = 1,
  CopySharingViolation,
  CopyAccessDenied,
};

CopyResult CopyPackageFile(const char* fileName, DestinationKind kind, TargetOs targetOs,
                           CopyNaming naming, StepMessage& message);
int AddMonitorChecked(MONITOR_INFO_2A* monitor, StepMessage& message);
// No message: the caller reports every failure itself.
int AddPrintProcessorChecked(const char* processorName, const char* pathName, TargetOs targetOs);
int AddPrinterDriverChecked(DRIVER_INFO_3A* driver, StepMessage& message);
// printer->pPrinterName must point to a buffer of kPrinterNameSize characters. With
// numbering allowed, a taken name is retried as name + "(1)" ... "(98)"; on success the
// buffer holds the name the printer was added under, on failure it is emptied.
int AddPrinterChecked(PRINTER_INFO_2A* printer, DWORD level, int numberingAllowed,
                      StepMessage& message);

// How a system makes a printer the default one.
enum DefaultPrinterCall {
  DefaultUnknown,       // the version could not be read: nothing is done, the answer is 0
  DefaultByAttribute,   // the 98 family: the printer's default attribute
  DefaultByProfile,     // NT before 2000: the "device" entry of the profile's [windows]
  DefaultBySpooler,     // 2000 and later: SetDefaultPrinterA
  DefaultNotAvailable,  // a platform of neither family: nothing is done, the answer is 1
};
DefaultPrinterCall DefaultPrinterCallOf(const SystemVersion& version);
int SetDefaultPrinterByName(const char* printerName);
int CheckSpoolerPorts(StepMessage& message);
