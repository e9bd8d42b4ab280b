// What the readers never see: sections and keys of the medium's INI files that no program
// reads, most often a misspelt model or key name.
#include "checkmedium/MediumCheck.h"

namespace {

bool IsKnown(const std::string& name, const std::vector<std::string>& known) {
  for (const std::string& candidate : known)
    if (EqualNoCase(name, candidate)) return true;
  return false;
}

std::vector<std::string> ModelKeys() {
  std::vector<std::string> keys = {"ControlFontFile", "ATTRIBUTES"};
  for (const char* prefix : {"STD", "GDI"})
    for (const char* key : {"DriverName", "DriverPath", "DataFile", "ConfigFile", "HelpFile",
                            "DataFileDLLName", "DataOemuiDLL", "DataOemuniDLL", "DataOemuniini",
                            "ProcessorDLLName", "PrintProcessor", "2KDDKDEV"})
      keys.push_back(std::string(prefix) + key);
  return keys;
}

const std::vector<std::string> kPortKeys = {"USBSUPPORTED",         "LPTDEFAULT",
                                            "AdvancedSetup",        "System2003Supported",
                                            "SystemVistaSupported", "System7Supported",
                                            "System7x64Supported",  "BaudRate"};
const std::vector<std::string> kMonitorKeys = {
    "USBMONitorPName", "USBMONitorPDLLName", "USBMONitorPUIDLLName", "USBMONitorVersion",
    "COMMONitorPName", "COMMONitorPDLLName", "COMMONitorPUIDLLName", "COMMONitorVersion"};

void CheckSetupIniNames(MediumContext& medium) {
  const IniFile& ini = medium.setupIni;
  std::vector<std::string> devices = {"DEVICENUMBER", "DEFAULTNAME"};
  int count = medium.config.GetDeviceCount();
  for (int n = 1; n <= count && n <= kMaxDevices; ++n) devices.push_back(Text("DEVICENAME%d", n));
  std::vector<std::string> usbPorts;
  for (const MediumModel& model : medium.models)
    if (model.usb)
      for (const std::string& port : RecordedUsbPorts(model, 4)) usbPorts.push_back(port);

  for (const std::string& section : ini.Sections()) {
    if (EqualNoCase(section, "DEVICENAME")) {
      ReportUnknownKeys(medium, ini, section, devices,
                        Text("the module page reads DEVICENAME1 to DEVICENAME%d only", count));
    } else if (EqualNoCase(section, "ProcessorVersion")) {
      ReportUnknownKeys(medium, ini, section, {"DriverVersion"}, "setup never reads it");
    } else if (EqualNoCase(section, "SUPPORTED-USB-DEVICE")) {
      ReportUnknownKeys(medium, ini, section, usbPorts,
                        "the port list offers no USB port of this name");
    } else {
      bool monitor = false;
      for (TargetOs os : kTargetOses)
        monitor =
            monitor || EqualNoCase(section, std::string("COMMON-MONITOR") + OsSectionSuffix(os));
      if (monitor)
        ReportUnknownKeys(medium, ini, section, kMonitorKeys, "setup never reads it");
      else
        medium.findings.Add(WarningFinding, "unknown-section", ini.name, section, "",
                            "setup never reads this section");
    }
  }
}

void CheckModuleIniNames(MediumContext& medium, PrinterModule module) {
  const IniFile& ini = medium.ModuleIni(module);
  if (!ini.Exists()) return;
  std::vector<std::string> modelSections, portSections;
  for (const MediumModel& model : medium.models) {
    if (model.module != module) continue;
    for (TargetOs os : kTargetOses) modelSections.push_back(model.name + OsSectionSuffix(os));
    portSections.push_back(model.name + ".PORT");
  }
  const std::vector<std::string> modelKeys = ModelKeys();
  for (const std::string& section : ini.Sections()) {
    if (IsKnown(section, modelSections))
      ReportUnknownKeys(medium, ini, section, modelKeys, "setup never reads it");
    else if (IsKnown(section, portSections))
      ReportUnknownKeys(medium, ini, section, kPortKeys, "setup never reads it");
    else
      medium.findings.Add(WarningFinding, "unknown-section", ini.name, section, "",
                          "no model of this module in the device list has this section: setup "
                          "never reads it");
  }
}

}  // namespace

void ReportUnknownKeys(MediumContext& medium, const IniFile& ini, const std::string& section,
                       const std::vector<std::string>& known, const std::string& why) {
  for (const std::string& key : ini.Keys(section))
    if (!IsKnown(key, known))
      medium.findings.Add(WarningFinding, "unknown-key", ini.name, section, key,
                          "unknown key: " + why);
}

void CheckUnknownNames(MediumContext& medium) {
  CheckSetupIniNames(medium);
  for (PrinterModule module : kPrinterModules) CheckModuleIniNames(medium, module);
}
