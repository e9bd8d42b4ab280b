// Internal state shared by the simulated API areas. Not for tests: they use winsim.h.
#pragma once

#include "winsim/winsim.h"

#include <cstdint>
#include <mutex>
#include <string>

namespace winsim {

// One lock for the whole machine: the install worker and a test thread may call at once.
std::recursive_mutex& MachineLock();
#define WINSIM_LOCK std::lock_guard<std::recursive_mutex> winsimLock_(::winsim::MachineLock())

// What every simulated call throws once the power is off; winsim alone catches it.
struct PowerCut {};

// Counts the call and returns the injected error for it, or 0 to go on.
DWORD TakeFault(const char* function, const char* argument = nullptr);
// TakeFault for functions that report through the last error: sets it and answers true
// when the call must fail.
bool FailsNow(const char* function, const char* argument = nullptr);

uintptr_t NewHandle(HandleKind kind);
bool IsHandle(HandleKind kind, uintptr_t value);
bool ReleaseHandle(HandleKind kind, uintptr_t value);  // false when it was not open

// The close functions: counts the call, releases a handle of `kind` and drops its state in
// `states`; FALSE with ERROR_INVALID_HANDLE when it was not open. An injected fault makes
// the call answer FALSE with its error; the handle is gone all the same, as the system
// does not give a handle back that it failed to close.
template <class States>
BOOL CloseTracked(const char* function, HandleKind kind, const void* handle, States& states) {
  DWORD fault = TakeFault(function);
  auto value = reinterpret_cast<uintptr_t>(handle);
  if (!ReleaseHandle(kind, value)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  states.erase(value);
  if (fault) {
    SetLastError(fault);
    return FALSE;
  }
  return TRUE;
}

// Case-insensitive helpers used by every area.
std::string Upper(const std::string& text);
bool EqualNoCase(const std::string& a, const std::string& b);

// Absolute, normalised path ("C:\A\b.txt", root "C:\") of a path relative to the
// simulated working directory. Empty for an empty path.
std::string FullPath(const std::string& path);
// FullPath as a file function of the simulated process sees it: on 64-bit Windows the 32-bit
// process's system directory is SysWOW64, unless the calling thread turned that off.
std::string ApiPath(const std::string& path);
// kernel32.dll's run-time exports for the Windows being simulated (Modules reset).
void UpdateKernelExports();

// Platform and major version of the simulated Windows (what GetVersionExA reports).
DWORD PlatformId();
DWORD MajorVersion();
// Registry values by name, without the calls of the API (no counts, no faults).
std::vector<std::string> RegistryValueNames(HKEY root, const std::string& path);
void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& name);
// winspool.drv's exports for the Windows version being set.
void UpdateWinspoolExports(DWORD platform, DWORD major);

// Per-area reset hooks, called by Reset() in this order.
void ResetClock();
void ResetRegistry();
void ResetFiles();
void ResetSystem();
void ResetModules();
void ResetTokens();
void ResetUsb();
void ResetMessageBoxes();
void ResetServices();
void ResetSpooler();
void ResetMessages();
void ResetMemory();
void ResetShell();
void ResetThreads();
void ResetSync();

// Reboot hooks of the areas that keep state across a power loss: each drops what belonged to
// the processes (open handles), keeps what the disk and the spooler hold.
void RebootRegistry();
void RebootFiles();
void RebootModules();
void RebootSpooler();
void RebootTokens();
void RebootUsb();
// Waits (in real time) until every thread started with CreateThread has ended.
void WaitForThreadsToEnd();

// Token privileges (Privileges.cpp), reset with the tokens.
void ResetPrivileges();
void RecordTokenAccess(HANDLE token, DWORD access);

// CloseHandle of a thread handle: false when `value` is none.
bool CloseThreadHandle(uintptr_t value);
// CloseHandle of a mutex handle: false when `value` is none.
bool CloseMutexHandle(uintptr_t value);

}  // namespace winsim
