// Version information, the Windows and system directories, and WOW64: a 32-bit process on
// 64-bit Windows.
#include "winsim/FileSystem.h"

#include <cstring>

namespace winsim {
namespace {
struct SystemState {
  DWORD platform = VER_PLATFORM_WIN32_NT;
  DWORD major = 5;
  DWORD minor = 1;
  std::string windowsDirectory = "C:\\WINDOWS";
  std::string systemDirectory = "C:\\WINDOWS\\system32";
  bool windows64 = false;
};
SystemState sys;
// Wow64DisableWow64FsRedirection holds for the calling thread only.
thread_local bool redirectionOff = false;

// What WOW64 leaves in the native system directory for a 32-bit process.
bool ExemptFromRedirection(const std::string& upperRest) {
  for (const char* kept : {"\\CATROOT", "\\CATROOT2", "\\DRIVERSTORE", "\\DRIVERS\\ETC",
                           "\\LOGFILES", "\\SPOOL"}) {
    size_t n = strlen(kept);
    if (upperRest.compare(0, n, kept) == 0 && (upperRest.size() == n || upperRest[n] == '\\'))
      return true;
  }
  return false;
}

BOOL WINAPI SimWow64DisableWow64FsRedirection(PVOID* oldValue);
BOOL WINAPI SimWow64RevertWow64FsRedirection(PVOID oldValue);

}  // namespace

void ResetSystem() {
  sys = SystemState();
  redirectionOff = false;
}

void SetVersion(DWORD platform, DWORD major, DWORD minor) {
  WINSIM_LOCK;
  sys.platform = platform;
  sys.major = major;
  sys.minor = minor;
  UpdateWinspoolExports(platform, major);
  UpdateKernelExports();
}

void SetWindows64(bool on) {
  WINSIM_LOCK;
  sys.windows64 = on;
  if (on) PutDirectory(FullPath(sys.windowsDirectory + "\\SysWOW64"));
  UpdateKernelExports();
}

bool Windows64() {
  WINSIM_LOCK;
  return sys.windows64;
}

std::string ApiPath(const std::string& path) {
  std::string full = FullPath(path);
  if (!sys.windows64 || redirectionOff) return full;
  std::string system = Upper(FullPath(sys.systemDirectory));
  std::string upper = Upper(full);
  if (upper.compare(0, system.size(), system) != 0) return full;
  std::string rest = full.substr(system.size());
  if ((!rest.empty() && rest[0] != '\\') || ExemptFromRedirection(Upper(rest))) return full;
  return FullPath(sys.windowsDirectory + "\\SysWOW64") + rest;
}

// IsWow64Process came with XP SP2 (NT 5.1 here); the redirection pair is handed out on 64-bit
// Windows only, where the product may call it.
void UpdateKernelExports() {
  Exports exports;
  if (sys.platform == VER_PLATFORM_WIN32_NT && (sys.major > 5 || (sys.major == 5 && sys.minor >= 1)))
    exports["IsWow64Process"] = reinterpret_cast<void*>(&IsWow64Process);
  if (sys.windows64) {
    exports["Wow64DisableWow64FsRedirection"] =
        reinterpret_cast<void*>(&SimWow64DisableWow64FsRedirection);
    exports["Wow64RevertWow64FsRedirection"] =
        reinterpret_cast<void*>(&SimWow64RevertWow64FsRedirection);
  }
  RegisterSystemModule("kernel32.dll", exports);
}

void SetWindowsDirectory(const std::string& path) {
  WINSIM_LOCK;
  sys.windowsDirectory = path;
  sys.systemDirectory = path + "\\system32";
  PutDirectory(FullPath(sys.systemDirectory));
}

DWORD PlatformId() {
  WINSIM_LOCK;
  return sys.platform;
}

DWORD MajorVersion() {
  WINSIM_LOCK;
  return sys.major;
}

std::string WindowsDirectory() {
  WINSIM_LOCK;
  return sys.windowsDirectory;
}
std::string SystemDirectory() {
  WINSIM_LOCK;
  return sys.systemDirectory;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
  WINSIM_LOCK;
  if (FailsNow("GetVersionExA")) return FALSE;
  if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) &&
                info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXA))) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  DWORD size = info->dwOSVersionInfoSize;
  memset(info, 0, size);
  info->dwOSVersionInfoSize = size;
  info->dwPlatformId = sys.platform;
  info->dwMajorVersion = sys.major;
  info->dwMinorVersion = sys.minor;
  info->dwBuildNumber = 2600;
  return TRUE;
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  WINSIM_LOCK;
  if (FailsNow("GetWindowsDirectoryA")) return 0;
  return CopyPathOut(sys.windowsDirectory, buffer, size);
}

BOOL WINAPI IsWow64Process(HANDLE, PBOOL wow64) {
  WINSIM_LOCK;
  if (FailsNow("IsWow64Process")) return FALSE;
  *wow64 = sys.windows64 ? TRUE : FALSE;
  return TRUE;
}

}  // extern "C"

namespace winsim {
namespace {
// The old value is whether redirection was off before; revert restores exactly that.
BOOL WINAPI SimWow64DisableWow64FsRedirection(PVOID* oldValue) {
  WINSIM_LOCK;
  if (FailsNow("Wow64DisableWow64FsRedirection")) return FALSE;
  *oldValue = reinterpret_cast<PVOID>(static_cast<uintptr_t>(redirectionOff));
  redirectionOff = true;
  return TRUE;
}

BOOL WINAPI SimWow64RevertWow64FsRedirection(PVOID oldValue) {
  WINSIM_LOCK;
  if (FailsNow("Wow64RevertWow64FsRedirection")) return FALSE;
  redirectionOff = oldValue != nullptr;
  return TRUE;
}
}  // namespace
}  // namespace winsim

extern "C" {

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) {
  WINSIM_LOCK;
  if (FailsNow("GetSystemDirectoryA")) return 0;
  return CopyPathOut(sys.systemDirectory, buffer, size);
}

}  // extern "C"
