// The module INI files: every model's port section and its sections for every system and
// driver mode the wizard offers, with the files they name.
#include "checkmedium/MediumCheck.h"

#include "engine/SetupText.h"
#include "engine/SystemClaims.h"
#include "ports/PortSettings.h"

#include <cstring>

namespace {

bool IsMissing(const char* text) { return !text[0] || text[0] == '0'; }

void CheckPortFlag(MediumContext& medium, const IniFile& ini, const std::string& section,
                   const char* key, const std::string& effect) {
  CheckCapacity(medium, ini, section, key, kValueCapacity);
  if (!CheckDecimal(medium, ini, section, key))
    medium.findings.Add(WarningFinding, "missing-key", ini.name, section, key,
                        "missing rather than 0: read as 0, " + effect);
}

// A driver file setup copies from the system's directory of the medium.
void CheckDriverFile(MediumContext& medium, TargetOs os, const char* file, const IniFile& ini,
                     const std::string& section, const std::string& key, int severity,
                     const std::string& failure) {
  if (IsMissing(file) || medium.DriverFileExists(os, file)) return;
  medium.findings.Add(
      severity, "missing-file", ini.name, section, key,
      Text("%s is missing: %s", medium.DriverFileName(os, file).c_str(), failure.c_str()));
}

// The bytes the driver's whole dependent-files list takes, as setup builds it.
size_t DependentListSize(const DriverFileSet& files) {
  char list[kDependentFilesCapacity];
  const char* const plugins[4] = {files.dataFileDll, files.oemUiDll, files.oemRenderingDll,
                                  files.oemPluginIni};
  return BuildDependentFiles(list, sizeof list, files.dataFile, plugins);
}

// One model's section of one system in one driver mode, read as setup reads it.
struct ModeCheck {
  MediumContext& medium;
  const IniFile& ini;
  TargetOs os;
  std::string section;
  std::string prefix;  // "STD" or "GDI"
  DriverFileSet files;
  PRINTER_INFO_2A printer;
  bool usesDdk;

  void Add(int severity, const char* code, const std::string& key, const std::string& text) {
    medium.findings.Add(severity, code, ini.name, section, key, text);
  }
  void DriverFile(const char* file, const std::string& key, const std::string& failure) {
    CheckDriverFile(medium, os, file, ini, section, key, ErrorFinding, failure);
  }
};

std::string DriverError() {
  return Text("setup fails with \"%s   er = \"", SetupText(IDS_ADD_DRIVER_ERROR));
}
std::string CopyError() {
  return Text("setup fails with \"%s\"", SetupText(IDS_COPY_DRIVER_FILES_ERROR));
}

void CheckDriverName(ModeCheck& c) {
  std::string key = c.prefix + "DriverName";
  if (!CheckCapacity(c.medium, c.ini, c.section, key, kShortValueCapacity))
    c.Add(ErrorFinding, "missing-key", key,
          "missing: read as \"0\", setup installs a driver named \"0\"");
  else
    c.medium.drivers.push_back(
        InstalledName{c.printer.pDriverName, "", c.os, c.ini.name, c.section, key});
}

void CheckDriverFiles(ModeCheck& c) {
  const DriverFileSet& files = c.files;
  const char* mandatory[][2] = {{"DriverPath", files.driverPath},
                                {"DataFile", files.dataFile},
                                {"ConfigFile", files.configFile},
                                {"HelpFile", files.helpFile}};
  for (const auto& entry : mandatory) {
    std::string key = c.prefix + entry[0];
    if (!CheckCapacity(c.medium, c.ini, c.section, key, kValueCapacity))
      c.Add(ErrorFinding, "missing-key", key,
            "missing: read as \"0\", setup copies no such file and " + DriverError());
    else if (!entry[1][0])
      c.Add(ErrorFinding, "empty-value", key,
            Text("empty: setup fails with \"%s\"", SetupText(IDS_DRIVER_FILES_LOST)));
    else
      c.DriverFile(entry[1], key, CopyError());
  }
  const char* optional[][2] = {{"DataFileDLLName", files.dataFileDll},
                               {"DataOemuiDLL", files.oemUiDll},
                               {"DataOemuniDLL", files.oemRenderingDll},
                               {"DataOemuniini", files.oemPluginIni}};
  for (const auto& entry : optional) {
    std::string key = c.prefix + entry[0];
    CheckCapacity(c.medium, c.ini, c.section, key, kValueCapacity);
    c.DriverFile(entry[1], key, CopyError());
  }
  CheckCapacity(c.medium, c.ini, c.section, "ControlFontFile", kValueCapacity);
  c.DriverFile(files.controlFontFile, "ControlFontFile", CopyError());
  if (c.os == Win98Me && !IsMissing(files.controlFontFile))
    c.Add(WarningFinding, "font-on-98", "ControlFontFile",
          "setup copies the font into the \"3\" subdirectory of the printer-driver "
          "directory, which Windows 98/Me do not have: " +
              CopyError());
}

void CheckAttributes(ModeCheck& c) {
  if (!CheckDecimal(c.medium, c.ini, c.section, "ATTRIBUTES"))
    c.Add(WarningFinding, "missing-key", "ATTRIBUTES",
          "missing: read as 0, the printer gets no attributes");
  CheckCapacity(c.medium, c.ini, c.section, "ATTRIBUTES", kShortValueCapacity);
}

void CheckProcessor(ModeCheck& c) {
  std::string processorError = Text("setup fails with \"%s\"", SetupText(IDS_ADD_PROCESSOR_ERROR));
  std::string key = c.prefix + "PrintProcessor";
  const char* processor = c.printer.pPrintProcessor;
  bool systemProcessor = strcmp(processor, "WinPrint") == 0;
  if (!CheckCapacity(c.medium, c.ini, c.section, key, kShortValueCapacity))
    c.Add(ErrorFinding, "missing-key", key, "missing: read as \"0\", " + processorError);
  else if (!systemProcessor)
    c.medium.processors.push_back(
        InstalledName{processor, c.files.processorDll, c.os, c.ini.name, c.section, key});
  key = c.prefix + "ProcessorDLLName";
  CheckCapacity(c.medium, c.ini, c.section, key, kValueCapacity);
  if (!systemProcessor && IsMissing(c.files.processorDll))
    c.Add(ErrorFinding, "missing-key", key,
          Text("\"%s\" is no file: the print processor \"%s\" cannot be added, %s",
               c.files.processorDll, processor, processorError.c_str()));
  else if (!systemProcessor)
    c.DriverFile(c.files.processorDll, key, processorError);
}

void CheckDriverKit(ModeCheck& c) {
  std::string key = c.prefix + "2KDDKDEV";
  CheckDecimal(c.medium, c.ini, c.section, key);
  CheckCapacity(c.medium, c.ini, c.section, key, kDdkFlagCapacity);
  if (!IsWindows2000OrLater(c.os)) return;
  if (c.usesDdk)
    for (const char* file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
      c.DriverFile(file, key, DriverError());
  size_t size = DependentListSize(c.files);
  if (DecimalValue(c.ini.Value(c.section, "GDI2KDDKDEV").c_str()) != 0 &&
      size > kDependentFilesCapacity)
    c.Add(WarningFinding, "dependent-files-cut", "GDI2KDDKDEV",
          Text("the driver's dependent files take %u of %u bytes: setup leaves the last names "
               "out",
               static_cast<unsigned>(size), static_cast<unsigned>(kDependentFilesCapacity)));
}

void CheckModelMode(MediumContext& medium, const MediumModel& model, TargetOs os, DriverMode mode) {
  std::string section = model.name + OsSectionSuffix(os);
  const char* prefix = mode == StdMode ? "STD" : "GDI";
  ModeCheck c{medium, medium.ModuleIni(model.module), os, section, prefix, {}, {}, false};
  ModuleConfig& config = medium.config;
  config.ReadDriverFiles(model.module, model.name.c_str(), os, &c.files, mode);
  DRIVER_INFO_3A driver;
  memset(&driver, 0, sizeof driver);
  config.ReadDriverInfo(model.module, model.name.c_str(), os, &driver, mode);
  config.ReadPrinterInfo(model.module, model.name.c_str(), os, &c.printer, mode);
  c.usesDdk = config.UsesDdkDriver(model.module, model.name.c_str(), os, mode);

  CheckDriverName(c);
  CheckDriverFiles(c);
  CheckAttributes(c);
  CheckProcessor(c);
  CheckDriverKit(c);
}

}  // namespace

void CheckPortSections(MediumContext& medium) {
  FindingList& findings = medium.findings;
  for (MediumModel& model : medium.models) {
    const IniFile& ini = medium.ModuleIni(model.module);
    if (!ini.Exists()) {
      findings.Add(ErrorFinding, "module-ini-missing", ini.name, "", "",
                   Text("missing although the device list names %s: every key reads as \"0\" "
                        "and setup installs a driver named \"0\"",
                        model.name.c_str()));
      continue;
    }
    std::string section = model.name + ".PORT";
    if (section.size() + 1 > static_cast<size_t>(kPortSectionCapacity)) continue;
    auto flag = [&](const char* key) {
      return ReadPortSectionNumber(ini.path.c_str(), section.c_str(), key) != 0;
    };
    model.usb = flag("USBSUPPORTED");
    model.advanced = flag("AdvancedSetup");
    for (TargetOs os : kTargetOses)
      model.claimed[os] = ModelClaims(os, ini.path.c_str(), section.c_str());
    if (!ini.HasSection(section)) {
      findings.Add(WarningFinding, "missing-section", ini.name, section, "",
                   "missing: every key reads as 0, so no USB port, only the typical setup, "
                   "Server 2003 and Vista refused and the serial port set to 0 baud");
      continue;
    }
    for (const char* key : {"USBSUPPORTED", "LPTDEFAULT"}) {
      CheckCapacity(medium, ini, section, key, kValueCapacity);
      CheckDecimal(medium, ini, section, key);
    }
    CheckPortFlag(medium, ini, section, "AdvancedSetup", "only the typical setup is offered");
    CheckPortFlag(
        medium, ini, section, "System2003Supported",
        Text("setup refuses Server 2003 with \"%s\"", SetupText(IDS_NO_SERVER_2003_SUPPORT)));
    CheckPortFlag(medium, ini, section, "SystemVistaSupported",
                  Text("setup refuses Vista with \"%s\"", SetupText(IDS_NO_VISTA_SUPPORT)));
    // Younger keys: a medium made before Windows 7 lacks them, and means 0.
    for (const char* key : {"System7Supported", "System7x64Supported"}) {
      CheckCapacity(medium, ini, section, key, 200);
      CheckDecimal(medium, ini, section, key);
    }

    CheckCapacity(medium, ini, section, "BaudRate", kValueCapacity);
    bool hasBaud = CheckDecimal(medium, ini, section, "BaudRate");
    int baud = ReadPortSectionNumber(ini.path.c_str(), section.c_str(), "BaudRate");
    if (BaudRateIndex(baud) == BaudRateIndex(0) && baud != 38400)
      findings.Add(WarningFinding, "baud-rate", ini.name, section, "BaudRate",
                   Text("%s: the list shows 38400 but the serial port is set to %d baud until "
                        "the user picks a rate",
                        hasBaud ? "not a rate of the list" : "missing, read as 0", baud));
    if (model.usb && !UsbPortNamesFit(model.name.c_str()))
      findings.Add(WarningFinding, "usb-name-too-long", ini.name, section, "USBSUPPORTED",
                   Text("USB_%s_1 is longer than %d characters: the port list offers this model "
                        "no USB port",
                        model.name.c_str(), kPortTextCapacity - 1));
  }
}

void CheckModelSections(MediumContext& medium) {
  for (const MediumModel& model : medium.models) {
    const IniFile& ini = medium.ModuleIni(model.module);
    if (!ini.Exists()) continue;
    for (TargetOs os : kTargetOses) {
      if (!medium.Offers(model, os)) continue;
      std::string section = model.name + OsSectionSuffix(os);
      if (!ini.HasSection(section)) {
        medium.findings.Add(ErrorFinding, "missing-section", ini.name, section, "",
                            "missing: every key reads as \"0\", setup installs a driver named "
                            "\"0\" from files named \"0\"");
        continue;
      }
      for (DriverMode mode : {StdMode, GdiMode}) CheckModelMode(medium, model, os, mode);
    }
  }
  // Files every installation on a system copies, whatever the model.
  bool offers98 = !medium.models.empty();
  if (!offers98) return;
  for (const char* file : {"ICONLIB.DLL", "UNIDRV.DLL"})
    if (!medium.DriverFileExists(Win98Me, file))
      medium.findings.Add(file[0] == 'I' ? ErrorFinding : WarningFinding, "missing-file",
                          medium.DriverFileName(Win98Me, file), "", "",
                          file[0] == 'I'
                              ? Text("missing: setup fails on Windows 98/Me with \"%s\"",
                                     SetupText(IDS_COPY_DRIVER_FILES_ERROR))
                              : Text("missing: setup fails on Windows 98/Me with \"%s\" where "
                                     "the system lacks its universal driver",
                                     SetupText(IDS_COPY_DRIVER_FILES_ERROR)));
  for (const MediumModel& model : medium.models) {
    const char* library = Windows98ModelLibrary(model.name.c_str());
    if (library && !medium.DriverFileExists(Win98Me, library))
      medium.findings.Add(ErrorFinding, "missing-file", medium.DriverFileName(Win98Me, library), "",
                          "",
                          Text("missing: setup fails for %s on Windows 98/Me with \"%s\"",
                               model.name.c_str(), SetupText(IDS_COPY_DRIVER_FILES_ERROR)));
  }
}
