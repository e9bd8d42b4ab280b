// What an install step says when it fails: the text the user reads, and the kind of failure
// it stands for. The silent mode's exit codes are published by kind, so no wording of a text
// ever decides one.
#pragma once

#include <string>

// One kind per exit code of a failed run (docs/silent-mode.md, codes 30 to 35).
enum InstallFailure {
  NoFailure,           // nothing failed, or the text is no failure's
  MonitorFailure,      // a port monitor could not be added
  ProcessorFailure,    // the print processor could not be added or its directory found
  DriverFilesFailure,  // a driver file could not be copied, found or given a directory
  DriverFailure,       // the spooler refused the driver
  PrinterFailure,      // the spooler refused the printer, or its ports could not be listed
  SystemFailure,       // anything else: memory, the spooler service, a component in use
};

struct StepMessage {
  std::string text;
  InstallFailure failure = NoFailure;

  // The failing step's text replaces any earlier one, and its kind goes with it.
  void Fail(InstallFailure kind, const char* why);
};
