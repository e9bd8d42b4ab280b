// setup.ini: the device list the module page shows, the print processor's version, the port
// monitors of every system and the USB device table.
#include "checkmedium/MediumCheck.h"

#include "common/BoundedText.h"
#include "engine/InstallNaming.h"
#include "engine/SetupText.h"
#include "ports/PortSettings.h"

#include <cstring>

namespace {

const char* const kModuleSuffixes =
    "-ReceiptPrinter, -TicketPrinter, -LabelPrinter or -EmbeddedPrinter";

std::string NumberedKey(const char* base, int n) { return Text("%s%d", base, n); }

bool OffersAnyModel(const MediumContext& medium, TargetOs os) {
  for (const MediumModel& model : medium.models)
    if (medium.Offers(model, os)) return true;
  return false;
}

bool OffersUsb(const MediumContext& medium, TargetOs os) {
  if (!SupportsUsb(os)) return false;
  for (const MediumModel& model : medium.models)
    if (model.usb && medium.Offers(model, os)) return true;
  return false;
}

struct MonitorKeys {
  const char* name;
  const char* dll;
  const char* uiDll;
  const char* version;
};

void CheckMonitor(MediumContext& medium, TargetOs os, const MonitorKeys& keys, const char* nameRead,
                  const char* dllRead, const char* uiDllRead, bool copyErrorsReported) {
  const IniFile& ini = medium.setupIni;
  std::string section = Text("COMMON-MONITOR%s", OsSectionSuffix(os));
  FindingList& findings = medium.findings;
  if (!ini.HasSection(section)) {
    findings.Add(ErrorFinding, "missing-section", ini.name, section, "",
                 Text("missing: every key reads as \"0\" and setup fails with \"%s Erro code is:\"",
                      SetupText(IDS_ADD_MONITOR_ERROR)));
    return;
  }
  if (!CheckCapacity(medium, ini, section, keys.name, kShortValueCapacity))
    findings.Add(ErrorFinding, "missing-key", ini.name, section, keys.name,
                 "missing: read as \"0\", setup adds the port monitor under the name \"0\"");
  if (!CheckCapacity(medium, ini, section, keys.dll, kValueCapacity))
    findings.Add(ErrorFinding, "missing-key", ini.name, section, keys.dll,
                 Text("missing: read as \"0\", setup copies no DLL and fails with \"%s Erro code "
                      "is:\"",
                      SetupText(IDS_ADD_MONITOR_ERROR)));
  if (!CheckCapacity(medium, ini, section, keys.uiDll, kShortValueCapacity))
    findings.Add(WarningFinding, "missing-key", ini.name, section, keys.uiDll,
                 "missing: read as \"0\", setup copies no user-interface DLL for the monitor");
  if (!CheckDecimal(medium, ini, section, keys.version))
    findings.Add(WarningFinding, "missing-key", ini.name, section, keys.version,
                 "missing: read as 0, an installed monitor is never updated");

  if (nameRead[0])
    medium.monitors.push_back(InstalledName{nameRead, dllRead, os, ini.name, section, keys.name});
  if (dllRead[0] && dllRead[0] != '0' && !medium.DriverFileExists(os, dllRead))
    findings.Add(
        ErrorFinding, "missing-file", ini.name, section, keys.dll,
        Text("%s is missing: setup fails with \"%s\"", medium.DriverFileName(os, dllRead).c_str(),
             copyErrorsReported
                 ? SetupText(IDS_COPY_DRIVER_FILES_ERROR)
                 : (std::string(SetupText(IDS_ADD_MONITOR_ERROR)) + " Erro code is:").c_str()));
  if (uiDllRead[0] && uiDllRead[0] != '0' && !medium.DriverFileExists(os, uiDllRead))
    findings.Add(copyErrorsReported ? ErrorFinding : WarningFinding, "missing-file", ini.name,
                 section, keys.uiDll,
                 copyErrorsReported
                     ? Text("%s is missing: setup fails with \"%s\"",
                            medium.DriverFileName(os, uiDllRead).c_str(),
                            SetupText(IDS_COPY_DRIVER_FILES_ERROR))
                     : Text("%s is missing: setup installs the monitor without its user "
                            "interface",
                            medium.DriverFileName(os, uiDllRead).c_str()));
}

}  // namespace

void CheckDeviceList(MediumContext& medium) {
  const IniFile& ini = medium.setupIni;
  FindingList& findings = medium.findings;
  const std::string section = "DEVICENAME";
  if (!CheckDecimal(medium, ini, section, "DEVICENUMBER"))
    findings.Add(ErrorFinding, "missing-key", ini.name, section, "DEVICENUMBER",
                 "missing: read as 0, the module page lists no model");
  CheckCapacity(medium, ini, section, "DEVICENUMBER", kShortValueCapacity);
  int count = medium.config.GetDeviceCount();
  if (count <= 0 && ini.HasKey(section, "DEVICENUMBER"))
    findings.Add(ErrorFinding, "device-count", ini.name, section, "DEVICENUMBER",
                 Text("%d: the module page lists no model", count));
  if (count > kMaxDevices) {
    findings.Add(WarningFinding, "device-count", ini.name, section, "DEVICENUMBER",
                 Text("%d: the module page reads only the first %d entries", count, kMaxDevices));
    count = kMaxDevices;
  }

  char name[260];
  for (int n = 1; n <= count; ++n) {
    std::string key = NumberedKey("DEVICENAME", n);
    if (!CheckCapacity(medium, ini, section, key, kValueCapacity)) {
      findings.Add(WarningFinding, "missing-key", ini.name, section, key,
                   Text("missing: read as \"0\", the module page leaves entry %d out", n));
      continue;
    }
    memset(name, 0, sizeof name);
    PrinterModule module = medium.config.GetDeviceName(n, name);
    if (module == NoModule) {
      findings.Add(ErrorFinding, "no-module-suffix", ini.name, section, key,
                   Text("\"%s\" holds none of %s: the module page leaves the model out", name,
                        kModuleSuffixes));
      continue;
    }
    if (!name[0]) {
      findings.Add(ErrorFinding, "empty-model", ini.name, section, key,
                   "no model name before the module suffix: the module page lists an empty "
                   "entry and setup installs a driver named \"0\"");
      continue;
    }
    bool duplicate = false;
    for (const MediumModel& known : medium.models)
      duplicate = duplicate || (known.module == module && known.name == name);
    if (duplicate) {
      findings.Add(WarningFinding, "duplicate-model", ini.name, section, key,
                   Text("\"%s\" is listed twice in the same module", name));
      continue;
    }
    medium.models.push_back(MediumModel{name, module, n, false, false, {}});
  }

  CheckDecimal(medium, ini, section, "DEFAULTNAME");
  CheckCapacity(medium, ini, section, "DEFAULTNAME", kDefaultNameCapacity);
  memset(name, 0, sizeof name);
  if (medium.config.GetDefaultDevice(name) == NoModule && !medium.models.empty())
    findings.Add(WarningFinding, "default-names-no-entry", ini.name, section, "DEFAULTNAME",
                 Text("\"%s\" names no entry of the device list with a module: the module page "
                      "checks no module and chooses no model",
                      ini.Value(section, "DEFAULTNAME").c_str()));
}

void CheckSetupIniRest(MediumContext& medium) {
  const IniFile& ini = medium.setupIni;
  FindingList& findings = medium.findings;
  if (!CheckDecimal(medium, ini, "ProcessorVersion", "DriverVersion"))
    findings.Add(WarningFinding, "missing-key", ini.name, "ProcessorVersion", "DriverVersion",
                 "missing: read as 0, an installed print processor is never updated");
  CheckCapacity(medium, ini, "ProcessorVersion", "DriverVersion", kShortValueCapacity);

  const MonitorKeys serial = {"COMMONitorPName", "COMMONitorPDLLName", "COMMONitorPUIDLLName",
                              "COMMONitorVersion"};
  const MonitorKeys usb = {"USBMONitorPName", "USBMONitorPDLLName", "USBMONitorPUIDLLName",
                           "USBMONitorVersion"};
  for (TargetOs os : kTargetOses) {
    MonitorSet monitors;
    memset(&monitors, 0, sizeof monitors);
    medium.config.ReadMonitorSet(os, &monitors);
    // A medium made before Windows 7 has no monitor sections for it, and needs none.
    if (IsWindows7OrLater(os) && !OffersAnyModel(medium, os)) continue;
    // The AQCOM ports and their monitor exist on every system but Windows 98/Me.
    if (HasNtSpooler(os))
      CheckMonitor(medium, os, serial, monitors.serialMonitor.pName,
                   monitors.serialMonitor.pDLLName, monitors.serialMonitorUiDll, true);
    if (OffersUsb(medium, os))
      CheckMonitor(medium, os, usb, monitors.usbMonitor.pName, monitors.usbMonitor.pDLLName,
                   monitors.usbMonitorUiDll, false);
  }

  const std::string table = "SUPPORTED-USB-DEVICE";
  for (const MediumModel& model : medium.models) {
    if (!model.usb) continue;
    for (const std::string& port : RecordedUsbPorts(model, model.advanced ? 4 : 1)) {
      if (!ini.HasKey(table, port))
        findings.Add(WarningFinding, "usb-device-missing", ini.name, table, port,
                     Text("missing: setup records 0 for the port of %s in the registry",
                          model.name.c_str()));
      else
        CheckDecimal(medium, ini, table, port);
    }
  }
}

std::vector<std::string> RecordedUsbPorts(const MediumModel& model, int count) {
  std::vector<std::string> ports;
  SetupSelection selection;
  ClearSelection(&selection);
  selection.portKind = UsbPort;
  CopyText(selection.modelName, model.name.c_str());
  for (int i = 1; i <= count; ++i) {
    UsbPortName(selection.portName, sizeof selection.portName, model.name.c_str(), i);
    ports.push_back(PrinterPortName(selection));
  }
  return ports;
}
