// checkmedium's work: reads a driver medium as setup and uninstall read it and reports what
// would go wrong, for every model, system and driver mode the wizard could offer.
#pragma once

#include "checkmedium/Finding.h"
#include "checkmedium/IniFile.h"
#include "package/ModuleConfig.h"

#include <memory>
#include <string>
#include <vector>

// A model of the device list as the module page lists it.
struct MediumModel {
  std::string name;
  PrinterModule module;
  int entry;      // n of its DEVICENAMEn
  bool usb;       // USBSUPPORTED non-zero: the port list offers USB ports
  bool advanced;  // AdvancedSetup non-zero: four USB ports instead of one
  // By TargetOs: the port section's claim of a system that asks for one (ClaimOf).
  bool claimed[kTargetOsCount];
};

// A name setup gives the system (a driver, processor or monitor) and where the medium says it.
struct InstalledName {
  std::string name;
  std::string dll;  // the processor's or monitor's DLL, "" for a driver
  TargetOs os;
  std::string file, section, key;
};

struct MediumContext {
  explicit MediumContext(const std::string& mediumRoot);

  // The systems the wizard lets the user go on with for a model.
  bool Offers(const MediumModel& model, TargetOs os) const;
  // The module INI file of a PrinterModule, spelled as the port list and page switch spell it.
  const IniFile& ModuleIni(PrinterModule module) const { return moduleInis[module]; }
  // Medium-relative name of a driver file in the directory of a TargetOs ("winnt\AQSTD.DLL").
  std::string DriverFileName(TargetOs os, const std::string& file) const;
  bool DriverFileExists(TargetOs os, const std::string& file) const;

  std::string root;  // the medium's directory with its trailing backslash
  ModuleConfig config;
  IniFile setupIni;
  std::vector<IniFile> moduleInis;
  std::vector<MediumModel> models;
  // What setup would install, collected by the checks of the model sections and monitors for
  // the check of Uninstall.ini.
  std::vector<InstalledName> drivers, processors, monitors;
  FindingList findings;
};

// Runs every check on the medium in `mediumDir` ("" for the working directory) and returns
// the exit code; `findings` receives what was found.
int CheckMedium(const char* mediumDir, FindingList* findings);

// The parts of the check, in the order CheckMedium runs them.
void CheckLayout(MediumContext& medium);
void CheckDeviceList(MediumContext& medium);  // fills medium.models
void CheckModuleIniNames(MediumContext& medium, const std::vector<std::string>& drvconfig);
void CheckPortSections(MediumContext& medium);  // sets the models' port flags
void CheckModelSections(MediumContext& medium);
void CheckSetupIniRest(MediumContext& medium);  // processor version, monitors, USB devices
void CheckUninstallIni(MediumContext& medium);
void CheckUnknownNames(MediumContext& medium);

// The entries of a directory (with its trailing backslash) as the file system names them.
std::vector<std::string> DirectoryEntries(const std::string& dir);
// Reports every key of `section` that is not one of `known` (compared as the profile
// functions compare) as never read.
void ReportUnknownKeys(MediumContext& medium, const IniFile& ini, const std::string& section,
                       const std::vector<std::string>& known, const std::string& why);

// Shared by the parts: a present value longer than the reader's `capacity` (characters with
// the terminator) is reported as cut; a present value that is not a decimal number as read
// as its leading digits. Both answer whether the key is present.
bool CheckCapacity(MediumContext& medium, const IniFile& ini, const std::string& section,
                   const std::string& key, size_t capacity);
bool CheckDecimal(MediumContext& medium, const IniFile& ini, const std::string& section,
                  const std::string& key);

// The first `count` USB port names the port list offers a model, as the Install command
// records them in the registry.
std::vector<std::string> RecordedUsbPorts(const MediumModel& model, int count);

// The module INI names that two files of DRVCONFIG answer to, where a file system that
// distinguishes case holds both spellings: `names` are the directory's entries.
std::vector<std::string> ModuleNamesWithTwoFiles(PrinterModule module,
                                                 const std::vector<std::string>& names);
