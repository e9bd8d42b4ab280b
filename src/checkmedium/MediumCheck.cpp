#include "checkmedium/MediumCheck.h"

#include "engine/SetupText.h"
#include "engine/SpoolerOperations.h"
#include "engine/SystemClaims.h"
#include "package/PackageLayout.h"

#include <windows.h>

#include <cstring>

namespace {

const char* BaseName(const char* path) {
  const char* slash = strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

bool DirectoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::vector<std::string> DirectoryEntries(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((dir + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    entry.cFileName[sizeof entry.cFileName - 1] = '\0';
    names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

namespace {

std::string MediumRoot(const char* mediumDir) {
  std::string root = mediumDir ? mediumDir : "";
  if (!root.empty() && root.back() != '\\' && root.back() != '/') root += '\\';
  return root;
}

}  // namespace

MediumContext::MediumContext(const std::string& mediumRoot)
    : root(mediumRoot), config(mediumRoot.c_str()), setupIni(mediumRoot, "DRVCONFIG\\setup.ini") {
  for (PrinterModule module : kPrinterModules)
    moduleInis.push_back(IniFile(mediumRoot, ModuleIniName(module)));
}

bool MediumContext::Offers(const MediumModel& model, TargetOs os) const {
  if (os < 0 || os >= kTargetOsCount) return false;
  return !ClaimOf(os).key || model.claimed[os];
}

std::string MediumContext::DriverFileName(TargetOs os, const std::string& file) const {
  return std::string(OsSubdirectory(os) + 1) + file;  // without the leading backslash
}

bool MediumContext::DriverFileExists(TargetOs os, const std::string& file) const {
  return FileExists(root + DriverFileName(os, file));
}

std::vector<std::string> ModuleNamesWithTwoFiles(PrinterModule module,
                                                 const std::vector<std::string>& names) {
  std::vector<std::string> matching;
  const char* spelling = ModuleIniName(module);
  if (!spelling) return matching;
  for (const std::string& name : names)
    if (EqualNoCase(name, BaseName(spelling))) matching.push_back(name);
  if (matching.size() < 2) matching.clear();
  return matching;
}

void CheckModuleIniNames(MediumContext& medium, const std::vector<std::string>& drvconfig) {
  for (PrinterModule module : kPrinterModules) {
    std::vector<std::string> files = ModuleNamesWithTwoFiles(module, drvconfig);
    if (files.empty()) continue;
    std::string list;
    for (const std::string& file : files) list += (list.empty() ? "" : ", ") + file;
    medium.findings.Add(ErrorFinding, "module-ini-case", medium.ModuleIni(module).name, "", "",
                        Text("DRVCONFIG holds %s: on a file system that distinguishes case the "
                             "port list and the page switch read %s, the driver records are "
                             "read from %s",
                             list.c_str(), BaseName(ModuleIniName(module)),
                             BaseName(ModuleRecordsIniName(module))));
  }
}

void CheckLayout(MediumContext& medium) {
  struct Required {
    const char* file;
    int severity;
    std::string text;
  } required[] = {
      {"License.txt", ErrorFinding,
       Text("missing: setup shows \"%s\" on the licence page",
            SetupText(IDS_CANNOT_LOAD_LICENSE_TXT))},
      {"DRVCONFIG\\Left.bmp", ErrorFinding,
       Text("missing: setup shows \"%s\" and closes", SetupText(IDS_CANNOT_LOAD_LEFT_BMP))},
      {"USBDRV\\bulkusb.sys", WarningFinding,
       "missing: setup cannot compare the medium's USB device driver with the installed one"},
  };
  for (const Required& file : required)
    if (!FileExists(medium.root + file.file))
      medium.findings.Add(file.severity, "missing-file", file.file, "", "", file.text);
  CheckModuleIniNames(medium, DirectoryEntries(medium.root + "DRVCONFIG\\"));
}

int CheckMedium(const char* mediumDir, FindingList* findings) {
  std::unique_ptr<MediumContext> medium(new MediumContext(MediumRoot(mediumDir)));
  std::string dir = medium->root.empty() ? std::string(".") : medium->root;
  if (!DirectoryExists(dir) || !medium->setupIni.Exists()) {
    findings->Add(ErrorFinding, "medium-unreadable", medium->setupIni.name, "", "",
                  DirectoryExists(dir) ? "missing: the medium has no device list"
                                       : "the medium's directory cannot be read");
    return MediumUnreadable;
  }
  CheckLayout(*medium);
  CheckDeviceList(*medium);
  CheckPortSections(*medium);
  CheckModelSections(*medium);
  CheckSetupIniRest(*medium);
  CheckUninstallIni(*medium);
  CheckUnknownNames(*medium);
  *findings = medium->findings;
  return findings->Result();
}

bool CheckCapacity(MediumContext& medium, const IniFile& ini, const std::string& section,
                   const std::string& key, size_t capacity) {
  if (!ini.HasKey(section, key)) return false;
  std::string value = ini.Value(section, key);
  if (value.size() + 1 > capacity)
    medium.findings.Add(
        WarningFinding, "value-cut", ini.name, section, key,
        Text("%u characters: the programs read only the first %u, \"%s\"",
             static_cast<unsigned>(value.size()), static_cast<unsigned>(capacity - 1),
             value.substr(0, capacity - 1).c_str()));
  return true;
}

bool CheckDecimal(MediumContext& medium, const IniFile& ini, const std::string& section,
                  const std::string& key) {
  if (!ini.HasKey(section, key)) return false;
  std::string value = ini.Value(section, key);
  if (!IsDecimalText(value))
    medium.findings.Add(WarningFinding, "not-a-number", ini.name, section, key,
                        Text("\"%s\" is not a decimal number: the programs read it as %d",
                             value.c_str(), DecimalValue(value.c_str())));
  return true;
}
