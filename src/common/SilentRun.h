// The frame both programs' silent runs share.
#pragma once

#include "common/AppMessage.h"
#include "common/BoundedText.h"
#include "common/SilentExitCodes.h"
#include "common/SilentLog.h"

#include <string>

// Logs the refusal and answers its exit code.
inline int SilentRefuse(SilentLog& log, int code, const char* text, const char* detail = "") {
  std::string line = text;
  line += detail;
  log.Line("refused: ", line.c_str());
  return code;
}

// Opens the log (nothing is done when it cannot be written), logs the command line or the bad
// argument, holds the program's single-instance mutex for the run as the window holds it for
// its life, calls run(session, log) with every message box going to the log, and logs the
// exit code. `options` has hasLog, logPath and badArgument.
template <class Options, class Run>
int RunSilently(const char* program, const char* commandLine, bool parsed, const Options& options,
                const char* alreadyRunning, Run run) {
  SilentLog log;
  if (options.hasLog && !log.Open(options.logPath.c_str())) return SilentLogUnwritable;
  log.Line(program, commandLine);
  int code;
  HANDLE mutex = nullptr;
  if (!parsed) {
    log.Line("bad argument: ", options.badArgument.c_str());
    code = SilentBadCommandLine;
  } else {
    char name[MAX_PATH];
    GetApplicationName(name, sizeof name);
    mutex = CreateMutexA(nullptr, TRUE, name);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
      code = SilentRefuse(log, SilentAlreadyRunning, alreadyRunning);
    } else {
      SilentSession session(log);
      code = run(session, log);
    }
  }
  char line[32];
  FormatText(line, sizeof line, "%d", code);
  log.Line("exit code ", line);
  if (mutex) CloseHandle(mutex);
  return code;
}
