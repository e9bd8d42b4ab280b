// Test control of the simulated shell and window manager: programs started with
// ShellExecuteA, top-level windows found by title, restart requests, and worker threads.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winsim {

struct ShellRun {
  HWND owner;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int show;
  DWORD at;  // virtual clock at the call
};
// Every ShellExecuteA call, in order (also those whose file was missing).
std::vector<ShellRun> ShellRuns();
// When ShellExecuteA starts `file` (compared as a full path), the program shows a top-level
// window titled `title` for `lifetimeMs` of the virtual clock (INFINITE: for ever).
void ScriptProgramWindow(const std::string& file, const std::string& title, DWORD lifetimeMs);
// A top-level window that exists from now on for `lifetimeMs` of the virtual clock.
void OpenWindow(const std::string& title, DWORD lifetimeMs = INFINITE);

struct ExitRequest {
  UINT flags;
  DWORD reason;
};
// Every ExitWindowsEx call, in order; none of them ends anything.
std::vector<ExitRequest> ExitRequests();

// Threads started with CreateThread since Reset.
int ThreadsStarted();
// From now on a thread started with CreateThread waits this long in real time before its
// start routine runs: a worker that is slower than whatever waits for it.
void DelayThreadStarts(DWORD realMs);

}  // namespace winsim
