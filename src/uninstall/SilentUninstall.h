// uninstall.exe /S: the ticks taken from the command line, carried out by the same inventory,
// job check and removal engine as the window, with the status lines going to the log.
#pragma once

#include <string>
#include <vector>

extern const char kUninstallUsage[];

struct SilentUninstallOptions {
  bool all = false;
  bool usb = false;
  bool noRestart = false;
  std::vector<std::string> printers, monitors, processors;
  bool hasLog = false;
  std::string logPath;
  std::string badArgument;
};

// False when an argument is unknown or malformed, /all is mixed with names, or nothing is
// asked to go; `badArgument` names it. /log= is taken even then.
bool ParseSilentUninstall(const char* commandLine, SilentUninstallOptions& options);

// The whole silent removal; answers the exit code (SilentExitCode). The entry point calls it
// when the command line holds /S.
int RunSilentUninstall(const char* commandLine);
