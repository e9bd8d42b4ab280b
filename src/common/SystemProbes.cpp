#include "common/SystemProbes.h"

#include "common/BoundedText.h"
#include "common/RegKey.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

const char kPersistedKey[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility "
    "Assistant\\Persisted";
const char kProtectedStorageKey[] = "Software\\Microsoft\\Protected Storage System Provider";

// Writes the DWORD 1 named after this program's path under root\path.
void MarkProgram(HKEY root, const char* path) {
  char program[260] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  program[sizeof program - 1] = '\0';
  RegKey::CreateKey(root, path);
  RegKey key;
  if (key.Open(root, path)) key.SetDword(program, 1);
  key.Close();
}

// The token of the impersonating thread, else of the process; null when neither opens.
HANDLE OpenCallerToken() {
  HANDLE token = nullptr;
  if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token)) return token;
  if (GetLastError() != ERROR_NO_TOKEN) return nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return token;
  return nullptr;
}

bool TokenListsAdministrators(HANDLE token) {
  DWORD size = 0;
  if (GetTokenInformation(token, TokenGroups, nullptr, 0, &size) ||
      GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    return false;
  size = (size + 3) & ~static_cast<DWORD>(3);
  // Pointer-sized cells keep the group array aligned on every build.
  std::vector<ULONG_PTR> buffer((size + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
  if (!GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) return false;

  SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
    return false;
  const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  bool found = false;
  // Attributes are not looked at: a deny-only Administrators group still counts.
  for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
    found = EqualSid(groups->Groups[i].Sid, administrators) != FALSE;
  FreeSid(administrators);
  return found;
}

// The NT versions the medium has drivers for.
struct NtVersion {
  DWORD major, minor;
  TargetOs os;
};
const NtVersion kNtVersions[] = {
    {4, 0, WinNt4}, {5, 0, Win2000}, {5, 1, WinXp}, {5, 2, WinServer2003}, {6, 0, WinVista},
};

const NtVersion* FindNtVersion(const SystemVersion& version) {
  if (!IsNtFamily(version)) return nullptr;
  for (const NtVersion& nt : kNtVersions)
    if (nt.major == version.major && nt.minor == version.minor) return &nt;
  return nullptr;
}

// Any NT version above 6.0, including what 8.1 and later tell a program they do not know.
bool IsNt61OrLater(const SystemVersion& version) {
  return IsNtFamily(version) && (version.major > 6 || (version.major == 6 && version.minor > 0));
}

// Looked up at run time: 95, 98 and NT 4.0 have no IsWow64Process.
bool RunsUnderWow64() {
  typedef BOOL(WINAPI * IsWow64ProcessProc)(HANDLE, PBOOL);
  auto isWow64 = reinterpret_cast<IsWow64ProcessProc>(KernelFunction("IsWow64Process"));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

void* KernelFunction(const char* name) {
  HMODULE kernel = LoadLibraryA("kernel32.dll");
  if (!kernel) return nullptr;
  void* function = reinterpret_cast<void*>(GetProcAddress(kernel, name));
  FreeLibrary(kernel);
  return function;
}

SystemVersion ReadSystemVersion() {
  OSVERSIONINFOA info;
  memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  if (!GetVersionExA(&info)) return {false, 0, 0, 0, false};
  // No 64-bit Windows predates NT 5: the 98 family and NT 4.0 are not asked.
  bool nt5 = info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
  return {true, info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
          nt5 && RunsUnderWow64()};
}

bool IsWindows9xFamily(const SystemVersion& version) {
  return version.known && version.platform == VER_PLATFORM_WIN32_WINDOWS;
}

bool IsNtFamily(const SystemVersion& version) {
  return version.known && version.platform == VER_PLATFORM_WIN32_NT;
}

bool IsRecognisedSystem(const SystemVersion& version) {
  // Windows 95 is minor version 0; 98 and Me are 10 and 90.
  if (IsWindows9xFamily(version)) return version.minor > 0;
  if (IsOld64BitWindows(version)) return false;
  return IsNt61OrLater(version) || FindNtVersion(version) != nullptr;
}

bool IsOld64BitWindows(const SystemVersion& version) {
  return version.known && version.wow64 && !IsNt61OrLater(version);
}

TargetOs TargetOsOf(const SystemVersion& version) {
  if (IsNt61OrLater(version)) return version.wow64 ? Win7x64 : Win7;
  if (IsOld64BitWindows(version)) return Win98Me;
  const NtVersion* nt = FindNtVersion(version);
  return nt ? nt->os : Win98Me;
}

TargetOs GetTargetOs() { return TargetOsOf(ReadSystemVersion()); }

bool IsAdministrator() {
  HANDLE token = OpenCallerToken();
  if (!token) return false;
  bool result = TokenListsAdministrators(token);
  CloseHandle(token);
  return result;
}

void MarkCompatibilityPersisted() { MarkProgram(HKEY_CURRENT_USER, kPersistedKey); }

void MarkCompatibilityPersistedForUsers() {
  RegKey storage;
  if (!storage.Open(HKEY_CURRENT_USER, kProtectedStorageKey)) return;
  char name[260];
  for (DWORD index = 0; RegEnumKeyA(storage.Handle(), index, name, sizeof name) == ERROR_SUCCESS;
       ++index) {
    name[sizeof name - 1] = '\0';
    // User identifiers are long; their "_Classes" companions are not users.
    if (strlen(name) <= 30 || strstr(name, "Classes")) continue;
    char path[512];
    // A cut path would name some other key: such a user is skipped.
    if (!FormatText(path, sizeof path, "%s\\%s", name, kPersistedKey)) continue;
    MarkProgram(HKEY_USERS, path);
  }
}
