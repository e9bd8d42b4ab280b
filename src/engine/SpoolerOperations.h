// The thin layer between the install sequence and the print spooler and file system. Each
// operation turns a failure into one line of text in the caller's message and a result.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>

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

// The medium's driver directory of a TargetOs, with both backslashes ("" outside 0..5).
const char* OsSubdirectory(int targetOs);

// 1 copied; 32 or 5 (sharing violation, access denied) with the message untouched; 0 failed
// with a message, or skipped without one for a name beginning with "0".
int CopyPackageFile(const char* fileName, int kind, int targetOs, int naming, std::string& message);
int AddMonitorChecked(MONITOR_INFO_2A* monitor, std::string& message);
// No message: the caller reports every failure itself.
int AddPrintProcessorChecked(const char* processorName, const char* pathName, int targetOs);
int AddPrinterDriverChecked(DRIVER_INFO_3A* driver, std::string& message);
// printer->pPrinterName must point to a buffer of kPrinterNameSize characters. With
// numbering allowed, a taken name is retried as name + "(1)" ... "(98)"; on success the
// buffer holds the name the printer was added under, on failure it is emptied.
int AddPrinterChecked(PRINTER_INFO_2A* printer, DWORD level, int numberingAllowed,
                      std::string& message);
int SetDefaultPrinterByName(const char* printerName);
int CheckSpoolerPorts(std::string& message);
