// The module INI files: every model's port section and its sections for every system and
// driver mode the wizard offers, with the files they name.
#include "checkmedium/MediumCheck.h"

#include "engine/SetupText.h"
#include "ports/PortSettings.h"

#include <cstring>

namespace {

bool IsMissing(const char* text) { return !text[0] || text[0] == '0'; }

void CheckPortFlag(MediumContext& medium, const IniFile& ini, const std::string& section,
                   const char* key, const std::string& effect) {
  CheckCapacity(medium, ini, section, key, 200);
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

// The dependent-files list of a driver of the 2000 driver kit: its size as ReadDriverInfo
// builds it, with the closing NULs.
size_t DependentListSize(const DriverFileSet& files) {
  size_t size = strlen(files.dataFile) + 1 + strlen("TTFSUB.GPD") + 1 + strlen("UNIRES.DLL") + 1 +
                strlen("STDNAMES.GPD") + 1 + 2;
  for (const char* name :
       {files.dataFileDll, files.oemUiDll, files.oemRenderingDll, files.oemPluginIni})
    if (name[0] != '0') size += strlen(name) + 1;
  return size;
}

void CheckModelMode(MediumContext& medium, const MediumModel& model, TargetOs os, DriverMode mode) {
  const IniFile& ini = medium.ModuleIni(model.module);
  std::string section = model.name + OsSectionSuffix(os);
  std::string prefix = mode == StdMode ? "STD" : "GDI";
  FindingList& findings = medium.findings;
  ModuleConfig& config = medium.config;

  config.module = model.module;
  DriverFileSet files;
  memset(&files, 0, sizeof files);
  config.ReadDriverFiles(model.name.c_str(), os, &files, mode);
  DRIVER_INFO_3A driver;
  memset(&driver, 0, sizeof driver);
  config.ReadDriverInfo(model.name.c_str(), os, &driver, mode);
  PRINTER_INFO_2A printer;
  memset(&printer, 0, sizeof printer);
  config.ReadPrinterInfo(model.name.c_str(), os, &printer, mode);
  bool usesDdk = config.UsesDdkDriver(model.name.c_str(), os, mode);

  std::string key = prefix + "DriverName";
  if (!CheckCapacity(medium, ini, section, key, 50))
    findings.Add(ErrorFinding, "missing-key", ini.name, section, key,
                 "missing: read as \"0\", setup installs a driver named \"0\"");
  else
    medium.drivers.push_back(InstalledName{printer.pDriverName, "", os, ini.name, section, key});

  std::string driverError =
      Text("setup fails with \"%s   er = \"", SetupText(IDS_ADD_DRIVER_ERROR));
  std::string copyError = Text("setup fails with \"%s\"", SetupText(IDS_COPY_DRIVER_FILES_ERROR));
  const char* mandatory[][2] = {{"DriverPath", files.driverPath},
                                {"DataFile", files.dataFile},
                                {"ConfigFile", files.configFile},
                                {"HelpFile", files.helpFile}};
  for (const auto& entry : mandatory) {
    key = prefix + entry[0];
    if (!CheckCapacity(medium, ini, section, key, 200))
      findings.Add(ErrorFinding, "missing-key", ini.name, section, key,
                   "missing: read as \"0\", setup copies no such file and " + driverError);
    else if (!entry[1][0])
      findings.Add(ErrorFinding, "empty-value", ini.name, section, key,
                   Text("empty: setup fails with \"%s\"", SetupText(IDS_DRIVER_FILES_LOST)));
    else
      CheckDriverFile(medium, os, entry[1], ini, section, key, ErrorFinding, copyError);
  }
  const char* optional[][2] = {{"DataFileDLLName", files.dataFileDll},
                               {"DataOemuiDLL", files.oemUiDll},
                               {"DataOemuniDLL", files.oemRenderingDll},
                               {"DataOemuniini", files.oemPluginIni}};
  for (const auto& entry : optional) {
    key = prefix + entry[0];
    CheckCapacity(medium, ini, section, key, 200);
    CheckDriverFile(medium, os, entry[1], ini, section, key, ErrorFinding, copyError);
  }
  CheckCapacity(medium, ini, section, "ControlFontFile", 200);
  CheckDriverFile(medium, os, files.controlFontFile, ini, section, "ControlFontFile", ErrorFinding,
                  copyError);
  if (os == Win98Me && !IsMissing(files.controlFontFile))
    findings.Add(WarningFinding, "font-on-98", ini.name, section, "ControlFontFile",
                 "setup copies the font into the \"3\" subdirectory of the printer-driver "
                 "directory, which Windows 98/Me do not have: " +
                     copyError);
  if (!CheckDecimal(medium, ini, section, "ATTRIBUTES"))
    findings.Add(WarningFinding, "missing-key", ini.name, section, "ATTRIBUTES",
                 "missing: read as 0, the printer gets no attributes");
  CheckCapacity(medium, ini, section, "ATTRIBUTES", 50);

  std::string processorError = Text("setup fails with \"%s\"", SetupText(IDS_ADD_PROCESSOR_ERROR));
  key = prefix + "PrintProcessor";
  bool systemProcessor = strcmp(printer.pPrintProcessor, "WinPrint") == 0;
  if (!CheckCapacity(medium, ini, section, key, 50))
    findings.Add(ErrorFinding, "missing-key", ini.name, section, key,
                 "missing: read as \"0\", " + processorError);
  else if (!systemProcessor)
    medium.processors.push_back(
        InstalledName{printer.pPrintProcessor, files.processorDll, os, ini.name, section, key});
  key = prefix + "ProcessorDLLName";
  CheckCapacity(medium, ini, section, key, 200);
  if (!systemProcessor && IsMissing(files.processorDll))
    findings.Add(ErrorFinding, "missing-key", ini.name, section, key,
                 Text("\"%s\" is no file: the print processor \"%s\" cannot be added, %s",
                      files.processorDll, printer.pPrintProcessor, processorError.c_str()));
  else if (!systemProcessor)
    CheckDriverFile(medium, os, files.processorDll, ini, section, key, ErrorFinding,
                    processorError);

  key = prefix + "2KDDKDEV";
  CheckDecimal(medium, ini, section, key);
  CheckCapacity(medium, ini, section, key, 5);
  if (IsWindows2000OrLater(os) && usesDdk)
    for (const char* file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
      CheckDriverFile(medium, os, file, ini, section, key, ErrorFinding, driverError);
  if (IsWindows2000OrLater(os) && DecimalValue(ini.Value(section, "GDI2KDDKDEV").c_str()) != 0 &&
      DependentListSize(files) > 200)
    findings.Add(WarningFinding, "dependent-files-cut", ini.name, section, "GDI2KDDKDEV",
                 Text("the driver's dependent files take %u of 200 bytes: setup leaves the "
                      "last names out",
                      static_cast<unsigned>(DependentListSize(files))));
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
    model.server2003 = flag("System2003Supported");
    model.vista = flag("SystemVistaSupported");
    model.win7 = flag("System7Supported");
    model.win7x64 = flag("System7x64Supported");
    if (!ini.HasSection(section)) {
      findings.Add(WarningFinding, "missing-section", ini.name, section, "",
                   "missing: every key reads as 0, so no USB port, only the typical setup, "
                   "Server 2003 and Vista refused and the serial port set to 0 baud");
      continue;
    }
    for (const char* key : {"USBSUPPORTED", "LPTDEFAULT"}) {
      CheckCapacity(medium, ini, section, key, 200);
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

    CheckCapacity(medium, ini, section, "BaudRate", 200);
    bool hasBaud = CheckDecimal(medium, ini, section, "BaudRate");
    int baud = ReadPortSectionNumber(ini.path.c_str(), section.c_str(), "BaudRate");
    if (BaudRateIndex(baud) == BaudRateIndex(0) && baud != 38400)
      findings.Add(WarningFinding, "baud-rate", ini.name, section, "BaudRate",
                   Text("%s: the list shows 38400 but the serial port is set to %d baud until "
                        "the user picks a rate",
                        hasBaud ? "not a rate of the list" : "missing, read as 0", baud));
    if (model.usb && model.name.size() + strlen("USB__1") >= static_cast<size_t>(kPortTextCapacity))
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
  for (const MediumModel& model : medium.models)
    if ((model.name.find("QM-B220") != std::string::npos ||
         model.name.find("QM-A210") != std::string::npos) &&
        !medium.DriverFileExists(Win98Me, "DMCOLOR.DLL"))
      medium.findings.Add(ErrorFinding, "missing-file",
                          medium.DriverFileName(Win98Me, "DMCOLOR.DLL"), "", "",
                          Text("missing: setup fails for %s on Windows 98/Me with \"%s\"",
                               model.name.c_str(), SetupText(IDS_COPY_DRIVER_FILES_ERROR)));
}
