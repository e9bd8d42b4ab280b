// Reader of the medium's DRVCONFIG INI files: turns a model's sections into the records
// the install sequence hands to the print spooler.
#pragma once

#include "common/TargetOs.h"

#include <windows.h>
#include <winspool.h>

enum PrinterModule : int {
  NoModule = -1,  // a device-list name without a module suffix
  ReceiptModule = 0,
  TicketModule = 1,
  LabelModule = 2,
  EmbeddedModule = 3
};
const PrinterModule kPrinterModules[] = {ReceiptModule, TicketModule, LabelModule, EmbeddedModule};
inline bool IsKnownModule(PrinterModule module) {
  return module >= ReceiptModule && module <= EmbeddedModule;
}

enum DriverMode : int { StdMode = 0, GdiMode = 1 };

// INI section suffix of a TargetOs ("" for any other value).
const char* OsSectionSuffix(TargetOs os);

// The library of the medium's Windows 98/Me driver directory that a model's driver needs
// there beside the files its sections name, or null: only the models whose name holds
// "QM-B220" or "QM-A210" have one, and no section names it.
const char* Windows98ModelLibrary(const char* model);

// setup.ini may claim any number of devices; the module page reads no more than this many
// entries, so that a wrong DEVICENUMBER cannot keep the page reading for hours.
const int kMaxDevices = 1000;
// Room for a model name of 199 characters, ".PORT" and the terminator.
const int kPortSectionCapacity = 205;

// How much of a value each read of the medium's INI files takes, its terminator included: a
// longer value is cut there (the checker reports the values that do not fit).
const int kShortValueCapacity = 50;    // driver, printer-driver and processor names, monitor
                                       // names and UI DLLs, ATTRIBUTES, numbers read as text
const int kValueCapacity = 200;        // file names, device-list entries, port-section values
const int kDdkFlagCapacity = 5;        // STD2KDDKDEV and GDI2KDDKDEV
const int kDefaultNameCapacity = 260;  // DEFAULTNAME

// Caller-owned table of a model's files, every field kValueCapacity characters.
struct DriverFileSet {
  char driverPath[kValueCapacity];
  char dataFile[kValueCapacity];
  char configFile[kValueCapacity];
  char helpFile[kValueCapacity];
  char sequenceFile[kValueCapacity];  // not read from the INI: the install sequence's own file
  char processorDll[kValueCapacity];
  char dataFileDll[kValueCapacity];
  char oemRenderingDll[kValueCapacity];
  char oemPluginIni[kValueCapacity];
  char oemUiDll[kValueCapacity];
  char controlFontFile[kValueCapacity];
};

// The dependent-files list setup hands a driver of the 2000 driver kit: the data file, the
// kit's TTFSUB.GPD, UNIRES.DLL and STDNAMES.GPD, then the plug-in files (data DLL, OEM UI,
// OEM rendering, OEM ini) that are not "0"; a blank value names no file. Written into `list`
// as NUL-separated names closed by two NULs, as far as whole names fit; a name that does not
// fit is left out with every name after it. Answers the bytes the whole list takes, so that
// an answer above `capacity` says names were left out.
const size_t kDependentFilesCapacity = 200;
size_t BuildDependentFiles(char* list, size_t capacity, const char* dataFile,
                           const char* const plugins[4]);

struct MonitorSet {
  MONITOR_INFO_2A serialMonitor;
  MONITOR_INFO_2A usbMonitor;
  char serialMonitorUiDll[200];
  char usbMonitorUiDll[200];
  int serialMonitorVersion;
  int usbMonitorVersion;
};

class ModuleConfig {
 public:
  ModuleConfig();
  // Reads the medium under `packageRoot` (with its trailing backslash) instead of PackageRoot.
  explicit ModuleConfig(const char* packageRoot);
  virtual ~ModuleConfig();

  // Model-section reads: `module` names the module INI that holds the model.
  void ReadDriverInfo(PrinterModule module, const char* model, TargetOs os, DRIVER_INFO_3A* info,
                      DriverMode mode);
  void ReadPrinterInfo(PrinterModule module, const char* model, TargetOs os,
                       PRINTER_INFO_2A* info, DriverMode mode);
  void ReadDriverFiles(PrinterModule module, const char* model, TargetOs os,
                       DriverFileSet* files, DriverMode mode);
  bool UsesDdkDriver(PrinterModule module, const char* model, TargetOs os, DriverMode mode);
  void ReadMonitorSet(TargetOs os, MonitorSet* monitors);
  int ReadProcessorVersion();
  int GetDeviceCount();
  PrinterModule GetDeviceName(int n, char* name);  // name: kValueCapacity characters
  PrinterModule GetDefaultDevice(char* name);      // name: kDefaultNameCapacity characters

 private:
  void BuildPaths(const char* root);
  void SelectModuleIni(PrinterModule module);
  void ReadKey(const char* section, const char* key, char* buffer, DWORD capacity,
               const char* file);
  int ReadNumber(const char* section, const char* key, DWORD capacity, const char* file);

  // Driver text
  char driverName[kShortValueCapacity];
  char dataFile[kValueCapacity];
  char driverPath[kValueCapacity];
  char helpFile[kValueCapacity];
  char configFile[kValueCapacity];
  char dataFileDll[kValueCapacity];
  char oemUiDll[kValueCapacity];
  char oemRenderingDll[kValueCapacity];
  char oemPluginIni[kValueCapacity];
  char dependentFiles[kDependentFilesCapacity];
  // Monitor text
  char usbMonitorName[kValueCapacity];
  char usbMonitorDll[kValueCapacity];
  char serialMonitorName[kValueCapacity];
  char serialMonitorDll[kValueCapacity];
  // Printer text
  char printerDriverName[kShortValueCapacity];
  char attributesText[kShortValueCapacity];
  char printProcessor[kShortValueCapacity];
  char printerName[200];

  char activeModuleIni[200];
  char moduleIni[4][200];
  char setupIni[200];
};

// Decimal value of the leading digits (null reads as ""); no digits give 0, and a value out of
// range is held at the limit instead of wrapping. Every number of the medium is read this way.
int DecimalValue(const char* text);

// The number a key of a model's port section holds, read as text with the default "0" and
// converted as decimal (a text without digits gives 0).
int ReadPortSectionNumber(const char* iniFile, const char* section, const char* key);
