// setup.exe /S: the wizard's choices taken from the command line, checked by the same page
// models and carried out by the same Install command, with no window and no message box.
#pragma once

#include "common/TargetOs.h"
#include "engine/InstallCommand.h"
#include "engine/StepMessage.h"

#include <string>

// The usage that "/?" shows.
extern const char kSetupUsage[];

struct SilentSetupOptions {
  std::string model;
  std::string port;
  bool advanced = false;
  bool setDefault = false;
  bool setId = false;
  bool noRestart = false;
  // Serial settings as the port page's lists spell them; empty when not given.
  std::string baud, dataBits, parity, stopBits, flow;
  bool hasLog = false;
  std::string logPath;
  std::string badArgument;  // after a failed parse: the argument, or the switch missing
};

// False when an argument is unknown, malformed, repeated or has a value the wizard does not
// offer, or /model= or /port= is missing; `badArgument` names it. /log= is taken even then.
bool ParseSilentSetup(const char* commandLine, SilentSetupOptions& options);

// Exit code of a refused Install from why the command refused.
int SetupRefusalCode(InstallRefusal refusal);
// Exit code of a completed Install from the worker's InstallResult and, for a failed run, the
// kind of its failure.
int SetupOutcomeCode(int result, InstallFailure failure, TargetOs targetOs);

// The whole silent install; answers the exit code (SilentExitCode).
int RunSilentSetup(const char* commandLine);
