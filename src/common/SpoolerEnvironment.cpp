#include "common/SpoolerEnvironment.h"

namespace {
// The spooler's calls take writable strings; nothing writes to these.
char kWindows40[] = "Windows 4.0";
char kWindowsX64[] = "Windows x64";
}  // namespace

char* RecordEnvironment(TargetOs os) {
  return IsWindows98Me(os) ? kWindows40 : NativeSpoolerEnvironment(os);
}

char* NativeSpoolerEnvironment(TargetOs os) { return os == Win7x64 ? kWindowsX64 : nullptr; }

const char* EnvironmentKeyName(TargetOs os) {
  if (IsWindows98Me(os)) return kWindows40;
  return os == Win7x64 ? kWindowsX64 : "Windows NT x86";
}
