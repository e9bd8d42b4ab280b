#include "package/ModuleConfig.h"

#include "common/BoundedText.h"
#include "common/SpoolerEnvironment.h"
#include "package/PackageLayout.h"

#include <climits>
#include <cstring>

namespace {

const char* const kSuffixes[kTargetOsCount] = {".98",   ".NT",    ".2K",  ".XP",
                                               ".2003", ".Vista", ".Win7", ".Win7x64"};
const char* const kModuleSuffixes[] = {"-ReceiptPrinter", "-TicketPrinter", "-LabelPrinter",
                                       "-EmbeddedPrinter"};

// A system the medium has drivers for (UnsupportedPlatform is none).
bool ValidOs(TargetOs os) { return os >= Win98Me && os < kTargetOsCount; }

// Model section name of a TargetOs; empty for any other value.
void ModelSection(char* section, size_t capacity, const char* model, TargetOs os) {
  section[0] = '\0';
  if (ValidOs(os)) FormatText(section, capacity, "%s%s", model ? model : "", kSuffixes[os]);
}

}  // namespace

size_t BuildDependentFiles(char* list, size_t capacity, const char* dataFile,
                           const char* const plugins[4]) {
  const char* names[] = {dataFile,   "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                         plugins[0], plugins[1],   plugins[2],   plugins[3]};
  size_t used = 0;
  size_t whole = 2;  // the two closing NULs
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
    if (i >= 4 && names[i][0] == '0') continue;  // "0": no such plug-in file
    // A blank value names no file; as an empty entry it would end the list there.
    if (names[i][0] == '\0') continue;
    size_t length = strlen(names[i]) + 1;
    whole += length;
    // The whole list only grows: once a name does not fit, no later one is written, so the
    // list the spooler receives is always well formed.
    if (whole > capacity) continue;
    memcpy(list + used, names[i], length);
    used += length;
  }
  list[used] = '\0';
  list[used + 1] = '\0';
  return whole;
}

int DecimalValue(const char* text) {
  if (!text) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;
      break;
    }
  }
  if (negative) return value > INT_MAX ? INT_MIN : static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int ReadPortSectionNumber(const char* iniFile, const char* section, const char* key) {
  char text[kValueCapacity] = {};
  GetPrivateProfileStringA(section, key, "0", text, sizeof text, iniFile);
  return DecimalValue(text);
}

const char* OsSectionSuffix(TargetOs os) { return ValidOs(os) ? kSuffixes[os] : ""; }

const char* Windows98ModelLibrary(const char* model) {
  return strstr(model, "QM-B220") || strstr(model, "QM-A210") ? "DMCOLOR.DLL" : nullptr;
}

ModuleConfig::ModuleConfig() {
  memset(driverName, 0, sizeof driverName);
  memset(dataFile, 0, sizeof dataFile);
  memset(driverPath, 0, sizeof driverPath);
  memset(helpFile, 0, sizeof helpFile);
  memset(configFile, 0, sizeof configFile);
  memset(dataFileDll, 0, sizeof dataFileDll);
  memset(oemUiDll, 0, sizeof oemUiDll);
  memset(oemRenderingDll, 0, sizeof oemRenderingDll);
  memset(oemPluginIni, 0, sizeof oemPluginIni);
  memset(dependentFiles, 0, sizeof dependentFiles);
  memset(usbMonitorName, 0, sizeof usbMonitorName);
  memset(usbMonitorDll, 0, sizeof usbMonitorDll);
  memset(serialMonitorName, 0, sizeof serialMonitorName);
  memset(serialMonitorDll, 0, sizeof serialMonitorDll);
  memset(printerDriverName, 0, sizeof printerDriverName);
  memset(attributesText, 0, sizeof attributesText);
  memset(printProcessor, 0, sizeof printProcessor);
  memset(printerName, 0, sizeof printerName);
  memset(activeModuleIni, 0, sizeof activeModuleIni);

  char root[kPathCapacity];
  GetPackageRoot(root, sizeof root);
  BuildPaths(root);
}

ModuleConfig::ModuleConfig(const char* packageRoot) : ModuleConfig() {
  BuildPaths(packageRoot ? packageRoot : "");
}

void ModuleConfig::BuildPaths(const char* root) {
  for (PrinterModule m : kPrinterModules)
    FormatText(moduleIni[m], sizeof moduleIni[m], "%s%s", root, ModuleRecordsIniName(m));
  FormatText(setupIni, sizeof setupIni, "%sDRVCONFIG\\setup.ini", root);
}

ModuleConfig::~ModuleConfig() {}

void ModuleConfig::SelectModuleIni(PrinterModule module) {
  memset(activeModuleIni, 0, sizeof activeModuleIni);
  if (IsKnownModule(module)) CopyText(activeModuleIni, moduleIni[module]);
}

void ModuleConfig::ReadKey(const char* section, const char* key, char* buffer, DWORD capacity,
                           const char* file) {
  // Without a section or a file there is nothing to look up: every key reads as its default.
  if (!section[0] || !file[0]) {
    CopyText(buffer, capacity, "0");
    return;
  }
  GetPrivateProfileStringA(section, key, "0", buffer, capacity, file);
}

int ModuleConfig::ReadNumber(const char* section, const char* key, DWORD capacity,
                             const char* file) {
  char text[kShortValueCapacity];
  if (capacity > sizeof text) capacity = sizeof text;
  ReadKey(section, key, text, capacity, file);
  return DecimalValue(text);
}

void ModuleConfig::ReadDriverInfo(PrinterModule module, const char* model, TargetOs os,
                                  DRIVER_INFO_3A* info, DriverMode mode) {
  SelectModuleIni(module);
  char section[260];
  ModelSection(section, sizeof section, model, os);
  if (os == Win98Me)
    info->cVersion = 0;
  else if (os == WinNt4)
    info->cVersion = 2;
  else if (ValidOs(os))
    info->cVersion = 3;

  if (mode == StdMode || mode == GdiMode) {
    const char* prefix = mode == StdMode ? "STD" : "GDI";
    struct {
      const char* key;
      char* text;
      DWORD capacity;
    } reads[] = {
        {"DriverName", driverName, sizeof driverName},
        {"DataFile", dataFile, sizeof dataFile},
        {"DriverPath", driverPath, sizeof driverPath},
        {"HelpFile", helpFile, sizeof helpFile},
        {"ConfigFile", configFile, sizeof configFile},
        {"DataFileDLLName", dataFileDll, sizeof dataFileDll},
        {"DataOemuiDLL", oemUiDll, sizeof oemUiDll},
        {"DataOemuniDLL", oemRenderingDll, sizeof oemRenderingDll},
        {"DataOemuniini", oemPluginIni, sizeof oemPluginIni},
    };
    for (const auto& read : reads) {
      char key[64];
      FormatText(key, sizeof key, "%s%s", prefix, read.key);
      ReadKey(section, key, read.text, read.capacity, activeModuleIni);
    }
  }

  info->pEnvironment = RecordEnvironment(os);
  info->pName = driverName;
  info->pDriverPath = driverPath;
  info->pDataFile = dataFile;
  info->pConfigFile = configFile;
  info->pHelpFile = helpFile;

  int ddk = ReadNumber(section, "GDI2KDDKDEV", 10, activeModuleIni);
  memset(dependentFiles, 0, sizeof dependentFiles);
  const char* const plugins[4] = {dataFileDll, oemUiDll, oemRenderingDll, oemPluginIni};
  if (ddk != 0 && IsWindows2000OrLater(os))
    BuildDependentFiles(dependentFiles, sizeof dependentFiles, dataFile, plugins);
  info->pDependentFiles = dependentFiles;
}

void ModuleConfig::ReadPrinterInfo(PrinterModule module, const char* model, TargetOs os,
                                   PRINTER_INFO_2A* info, DriverMode mode) {
  SelectModuleIni(module);
  char section[260];
  ModelSection(section, sizeof section, model, os);
  if (mode == StdMode || mode == GdiMode) {
    bool std = mode == StdMode;
    ReadKey(section, std ? "STDDRIVERNAME" : "GDIDRIVERNAME", printerDriverName,
            sizeof printerDriverName, activeModuleIni);
    ReadKey(section, std ? "STDPrintProcessor" : "GDIPrintProcessor", printProcessor,
            sizeof printProcessor, activeModuleIni);
    ReadKey(section, "ATTRIBUTES", attributesText, sizeof attributesText, activeModuleIni);
  }
  CopyText(printerName, model);
  info->Attributes = static_cast<DWORD>(DecimalValue(attributesText));
  info->pDriverName = printerDriverName;
  info->pPrintProcessor = printProcessor;
  info->pPrinterName = printerName;
}

void ModuleConfig::ReadDriverFiles(PrinterModule module, const char* model, TargetOs os,
                                   DriverFileSet* files, DriverMode mode) {
  SelectModuleIni(module);
  if (mode != StdMode && mode != GdiMode) return;
  char section[260];
  ModelSection(section, sizeof section, model, os);
  const char* prefix = mode == StdMode ? "STD" : "GDI";
  struct {
    const char* key;
    char* text;
  } reads[] = {
      {"DataFile", files->dataFile},          {"ConfigFile", files->configFile},
      {"HelpFile", files->helpFile},          {"ProcessorDLLName", files->processorDll},
      {"DriverPath", files->driverPath},      {"DataFileDLLName", files->dataFileDll},
      {"DataOemuiDLL", files->oemUiDll},      {"DataOemuniDLL", files->oemRenderingDll},
      {"DataOemuniini", files->oemPluginIni},
  };
  for (const auto& read : reads) {
    char key[64];
    FormatText(key, sizeof key, "%s%s", prefix, read.key);
    ReadKey(section, key, read.text, kValueCapacity, activeModuleIni);
  }
  ReadKey(section, "ControlFontFile", files->controlFontFile, sizeof files->controlFontFile,
          activeModuleIni);
}

bool ModuleConfig::UsesDdkDriver(PrinterModule module, const char* model, TargetOs os,
                                 DriverMode mode) {
  SelectModuleIni(module);
  if (mode != StdMode && mode != GdiMode) return false;
  char section[260];
  ModelSection(section, sizeof section, model, os);
  char text[kDdkFlagCapacity];
  ReadKey(section, mode == StdMode ? "STD2KDDKDEV" : "GDI2KDDKDEV", text, sizeof text,
          activeModuleIni);
  return text[0] == '1';
}

void ModuleConfig::ReadMonitorSet(TargetOs os, MonitorSet* monitors) {
  char section[64];
  FormatText(section, sizeof section, "COMMON-MONITOR%s", OsSectionSuffix(os));
  ReadKey(section, "USBMONitorPName", usbMonitorName, kShortValueCapacity, setupIni);
  ReadKey(section, "USBMONitorPDLLName", usbMonitorDll, sizeof usbMonitorDll, setupIni);
  ReadKey(section, "USBMONitorPUIDLLName", monitors->usbMonitorUiDll, kShortValueCapacity,
          setupIni);
  monitors->usbMonitorVersion = ReadNumber(section, "USBMONitorVersion", 10, setupIni);
  ReadKey(section, "COMMONitorPName", serialMonitorName, kShortValueCapacity, setupIni);
  ReadKey(section, "COMMONitorPDLLName", serialMonitorDll, sizeof serialMonitorDll, setupIni);
  ReadKey(section, "COMMONitorPUIDLLName", monitors->serialMonitorUiDll, kShortValueCapacity,
          setupIni);
  monitors->serialMonitorVersion = ReadNumber(section, "COMMONitorVersion", 10, setupIni);

  char* environment = RecordEnvironment(os);
  monitors->usbMonitor.pName = usbMonitorName;
  monitors->usbMonitor.pEnvironment = environment;
  monitors->usbMonitor.pDLLName = usbMonitorDll;
  monitors->serialMonitor.pName = serialMonitorName;
  monitors->serialMonitor.pEnvironment = environment;
  monitors->serialMonitor.pDLLName = serialMonitorDll;
}

int ModuleConfig::ReadProcessorVersion() {
  return ReadNumber("ProcessorVersion", "DriverVersion", kShortValueCapacity, setupIni);
}

int ModuleConfig::GetDeviceCount() {
  return ReadNumber("DEVICENAME", "DEVICENUMBER", kShortValueCapacity, setupIni);
}

PrinterModule ModuleConfig::GetDeviceName(int n, char* name) {
  char key[32];
  FormatText(key, sizeof key, "DEVICENAME%d", n);
  ReadKey("DEVICENAME", key, name, kValueCapacity, setupIni);
  for (PrinterModule module : kPrinterModules) {
    if (char* found = strstr(name, kModuleSuffixes[module])) {
      *found = '\0';
      return module;
    }
  }
  return NoModule;
}

PrinterModule ModuleConfig::GetDefaultDevice(char* name) {
  ReadKey("DEVICENAME", "DEFAULTNAME", name, kDefaultNameCapacity, setupIni);
  return GetDeviceName(DecimalValue(name), name);
}
