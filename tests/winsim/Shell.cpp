// ShellExecuteA, FindWindowA, GetDesktopWindow and ExitWindowsEx: there is no desktop here,
// only the windows that tests open or that scripted programs show, timed on the virtual clock.
#include "winsim/FileSystem.h"
#include "winsim/ShellControl.h"
#include "winsim/TokenControl.h"

#include <shellapi.h>

namespace winsim {
namespace {
struct TopWindow {
  std::string title;
  DWORD opened;
  DWORD lifetime;
  uintptr_t handle;
};
struct ProgramWindow {
  std::string file;  // Upper(full path)
  std::string title;
  DWORD lifetime;
};
struct ShellState {
  std::vector<ShellRun> runs;
  std::vector<ProgramWindow> programs;
  std::vector<TopWindow> windows;
  std::vector<ExitRequest> exits;
  uintptr_t nextWindow = 0x20000;
};
ShellState shell;

bool Exists(const TopWindow& window) {
  return window.lifetime == INFINITE || Now() - window.opened < window.lifetime;
}

void AddWindow(const std::string& title, DWORD lifetime) {
  shell.windows.push_back(TopWindow{title, Now(), lifetime, shell.nextWindow});
  shell.nextWindow += 4;
}
}  // namespace

void ResetShell() { shell = ShellState(); }

std::vector<ShellRun> ShellRuns() {
  WINSIM_LOCK;
  return shell.runs;
}

void ScriptProgramWindow(const std::string& file, const std::string& title, DWORD lifetimeMs) {
  WINSIM_LOCK;
  shell.programs.push_back(ProgramWindow{Upper(FullPath(file)), title, lifetimeMs});
}

void OpenWindow(const std::string& title, DWORD lifetimeMs) {
  WINSIM_LOCK;
  AddWindow(title, lifetimeMs);
}

std::vector<ExitRequest> ExitRequests() {
  WINSIM_LOCK;
  return shell.exits;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

HINSTANCE WINAPI ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, INT show) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("ShellExecuteA", file))
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(fault));
  shell.runs.push_back(ShellRun{owner, verb ? verb : "", file ? file : "",
                                parameters ? parameters : "", directory ? directory : "", show,
                                Now()});
  std::string path = ApiPath(file ? file : "");
  FileNode* node = path.empty() ? nullptr : FindNode(path);
  // Values up to 32 are the shell's error codes; a missing directory answers "file not found"
  // too.
  if (!node || node->directory) return reinterpret_cast<HINSTANCE>(SE_ERR_FNF);
  for (const ProgramWindow& program : shell.programs)
    if (program.file == Upper(path)) AddWindow(program.title, program.lifetime);
  return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(42));
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR title) {
  WINSIM_LOCK;
  if (FailsNow("FindWindowA", title)) return nullptr;
  // The simulated windows have no class: a search by class finds none of them.
  if (className) return nullptr;
  for (const TopWindow& window : shell.windows)
    if (Exists(window) && title && EqualNoCase(window.title, title))
      return reinterpret_cast<HWND>(window.handle);
  return nullptr;
}

HWND WINAPI GetDesktopWindow(void) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10010));
}

BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reason) {
  WINSIM_LOCK;
  if (FailsNow("ExitWindowsEx")) return FALSE;
  // The NT family reboots only for a caller whose token has the shutdown privilege enabled.
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
      !PrivilegeEnabled("SeShutdownPrivilege")) {
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return FALSE;
  }
  shell.exits.push_back(ExitRequest{flags, reason});
  return TRUE;
}

}  // extern "C"
