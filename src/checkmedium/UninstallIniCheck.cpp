// Uninstall.ini: whether the uninstaller would recognise every driver, monitor and processor
// setup installs, and which DLLs it would delete with them.
#include "checkmedium/MediumCheck.h"

#include "common/BoundedText.h"
#include "uninstall/UninstallInventory.h"
#include "uninstall/UninstallState.h"
#include "uninstall/UninstallText.h"

#include <cstring>

namespace {

struct FragmentList {
  const char* section;
  const char* countKey;
  const char* baseKey;
  const char* what;
};
const FragmentList kLists[] = {{"AQPRINTER", "PRINTERNUM", "PRINTERNAME", "printer driver"},
                               {"AQMONITOR", "MonitorNUM", "MONITORNAME", "port monitor"},
                               {"AQPROC", "PROCNUM", "PROCNAME", "print processor"}};

std::string EntryKey(const char* base, int n) {
  return std::string(base) + static_cast<char>('0' + n);
}

std::string WithoutBlanks(const std::string& name) {
  std::string text;
  for (char c : name)
    if (c != ' ') text += c;
  return text;
}

// Where the uninstaller finds the file: the first directory, the medium's root or its
// DRVCONFIG, holding an entry whose name contains "Uninstall.ini" as it is spelt.
std::string LocateIni(const std::string& root) {
  for (const char* dir : {"", "DRVCONFIG\\"})
    for (const std::string& name : DirectoryEntries(root + dir))
      if (name.find("Uninstall.ini") != std::string::npos)
        return std::string(dir) + "Uninstall.ini";
  return "";
}

void CheckFragments(MediumContext& medium, const IniFile& ini, const FragmentList& list,
                    std::vector<std::string>* known) {
  known->push_back(list.countKey);
  CheckCapacity(medium, ini, list.section, list.countKey, kIniValueSize);
  CheckDecimal(medium, ini, list.section, list.countKey);
  int count = DecimalValue(ini.Value(list.section, list.countKey).c_str());
  if (count > kMaxUninstallEntries) count = kMaxUninstallEntries;
  for (int n = 1; n <= count; ++n) {
    std::string key = EntryKey(list.baseKey, n);
    known->push_back(key);
    if (!CheckCapacity(medium, ini, list.section, key, kIniValueSize))
      medium.findings.Add(WarningFinding, "missing-key", ini.name, list.section, key,
                          Text("missing: read as \"0\", uninstall takes every %s whose name "
                               "holds the digit 0 for one of the family",
                               list.what));
    else if (ini.Value(list.section, key).empty())
      medium.findings.Add(WarningFinding, "empty-value", ini.name, list.section, key,
                          Text("empty: uninstall ignores it and lists no %s by it", list.what));
  }
}

// The DLL key of a monitor's or processor's file section, compared with what setup installs.
void CheckFileSection(MediumContext& medium, const IniFile& ini, const std::string& section,
                      const char* key, const std::string& installed, const char* directory) {
  if (!CheckCapacity(medium, ini, section, key, kIniValueSize)) {
    medium.findings.Add(WarningFinding, "missing-key", ini.name, section, key,
                        Text("missing: read as \"0\", uninstall deletes \"0\" from the %s "
                             "instead of %s",
                             directory, installed.empty() ? "the DLL" : installed.c_str()));
    return;
  }
  std::string value = ini.Value(section, key);
  if (!installed.empty() && installed[0] != '0' && !EqualNoCase(value, installed))
    medium.findings.Add(WarningFinding, "dll-mismatch", ini.name, section, key,
                        Text("uninstall deletes %s from the %s, setup installs %s", value.c_str(),
                             directory, installed.c_str()));
}

// One check of Uninstall.ini: the file sections the uninstaller reads for the monitors and
// processors setup installs, and the names already checked (each is reported once).
struct UninstallIniRun {
  MediumContext& medium;
  const IniFile& ini;
  std::vector<std::string> fileSections;
  std::vector<std::string> checked;
  UninstallSettings settings;

  bool Once(const std::string& text) {
    for (const std::string& known : checked)
      if (known == text) return false;
    checked.push_back(text);
    return true;
  }
  // An installed name (a `kind` of `list`) that no fragment matches: the uninstaller never
  // lists it (`missed`). Each kind and name is checked once.
  void CheckListed(const InstalledName& name,
                   bool (*isListed)(const UninstallSettings&, const char*), const char* kind,
                   const char* code, const FragmentList& list, const char* missed) {
    if (!Once(std::string(kind) + " " + name.name) || isListed(settings, name.name.c_str())) return;
    medium.findings.Add(ErrorFinding, code, ini.name, list.section, list.baseKey,
                        Text("no fragment matches the %s \"%s\" (%s [%s] %s): uninstall never "
                             "lists %s",
                             kind, name.name.c_str(), name.file.c_str(), name.section.c_str(),
                             name.key.c_str(), missed));
  }
};

void CheckDriversListed(UninstallIniRun& run) {
  for (const InstalledName& driver : run.medium.drivers)
    run.CheckListed(driver, IsListedDriverName, "driver", "printer-not-listed", kLists[0],
                    "its printers");
}

void CheckMonitors(UninstallIniRun& run) {
  for (const InstalledName& monitor : run.medium.monitors) {
    run.CheckListed(monitor, IsListedMonitor, "monitor", "monitor-not-listed", kLists[1], "it");
    std::string section = WithoutBlanks(monitor.name) + UninstallOsSuffix(monitor.os);
    run.fileSections.push_back(section);
    CheckFileSection(run.medium, run.ini, section, "MonitorPDLLName", monitor.dll,
                     "system directory");
    CheckFileSection(run.medium, run.ini, section, "MonitorPUIDLLName", "", "system directory");
  }
}

void CheckProcessors(UninstallIniRun& run) {
  for (const InstalledName& processor : run.medium.processors) {
    // The uninstaller lists no print processor on Windows 98/Me.
    if (processor.os == Win98Me) continue;
    run.settings.osCode = processor.os;
    run.CheckListed(processor, IsListedProcessor, "print processor", "processor-not-listed",
                    kLists[2], "it");
    std::string section = processor.name + UninstallOsSuffix(processor.os);
    run.fileSections.push_back(section);
    CheckFileSection(run.medium, run.ini, section, "ProcessorDllName", processor.dll,
                     "print-processor directory");
  }
}

// Every section is a fragment list or a file section the uninstaller reads.
void CheckSections(UninstallIniRun& run) {
  // A file section of any system is the uninstaller's to read once the monitor or processor
  // is installed, whichever system setup installs it on.
  std::vector<std::string> bases;
  for (const InstalledName& monitor : run.medium.monitors)
    bases.push_back(WithoutBlanks(monitor.name));
  for (const InstalledName& processor : run.medium.processors) bases.push_back(processor.name);
  for (const std::string& base : bases)
    for (TargetOs os : kTargetOses) run.fileSections.push_back(base + UninstallOsSuffix(os));

  for (const std::string& section : run.ini.Sections()) {
    bool list = false, file = false;
    for (const FragmentList& fragments : kLists)
      list = list || EqualNoCase(section, fragments.section);
    for (const std::string& fileSection : run.fileSections)
      file = file || EqualNoCase(section, fileSection);
    if (file)
      ReportUnknownKeys(run.medium, run.ini, section,
                        {"MonitorPDLLName", "MonitorPUIDLLName", "ProcessorDllName"},
                        "uninstall never reads it");
    else if (!list)
      run.medium.findings.Add(WarningFinding, "unknown-section", run.ini.name, section, "",
                              "uninstall reads this section for no monitor or processor setup "
                              "installs");
  }
}

}  // namespace

void CheckUninstallIni(MediumContext& medium) {
  std::string name = LocateIni(medium.root);
  if (name.empty()) {
    medium.findings.Add(
        ErrorFinding, "missing-file", "DRVCONFIG\\Uninstall.ini", "", "",
        Text("missing: uninstall fails with \"%s\"", UninstallText(IDS_NO_UNINSTALL_INI)));
    return;
  }
  IniFile ini(medium.root, name.c_str());

  for (const FragmentList& list : kLists) {
    std::vector<std::string> known;
    CheckFragments(medium, ini, list, &known);
    ReportUnknownKeys(medium, ini, list.section, known, "uninstall never reads it");
  }
  // The uninstaller's own rules, read against this medium's Uninstall.ini.
  UninstallIniRun run{medium, ini, {}, {}, UninstallSettings{Win98Me, {0}, nullptr}};
  CopyText(run.settings.iniPath, kUninstallIniPathSize, ini.path.c_str());
  CheckDriversListed(run);
  CheckMonitors(run);
  CheckProcessors(run);
  CheckSections(run);
}
