// Version information and the Windows and system directories.
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
};
SystemState sys;

}  // namespace

void ResetSystem() { sys = SystemState(); }

void SetVersion(DWORD platform, DWORD major, DWORD minor) {
  WINSIM_LOCK;
  sys.platform = platform;
  sys.major = major;
  sys.minor = minor;
  UpdateWinspoolExports(platform, major);
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

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) {
  WINSIM_LOCK;
  if (FailsNow("GetSystemDirectoryA")) return 0;
  return CopyPathOut(sys.systemDirectory, buffer, size);
}

}  // extern "C"
