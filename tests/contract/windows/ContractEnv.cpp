#include "contract/ContractEnv.h"

#include <winspool.h>

#include <atomic>
#include <cstdio>
#include <thread>

namespace contract {
namespace {
std::string currentDir;
std::string currentKey;
std::vector<std::string> protectedKeys;
int counter = 0;

// Kernel, USER and GDI objects of this process: what the real API can count of what a test
// left open.
long ObjectCount() {
  DWORD kernel = 0;
  GetProcessHandleCount(GetCurrentProcess(), &kernel);
  return static_cast<long>(kernel) +
         static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) +
         static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}
long objectsAtSetUp = 0;

// A DACL with one entry: the user of this process gets `allowed` on the key.
bool GrantUserOnly(const std::string& path, REGSAM allowed) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
    return false;
  HANDLE token;
  DWORD user[64];
  DWORD size = 0;
  bool ok = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  if (ok) {
    ok = GetTokenInformation(token, TokenUser, user, sizeof user, &size);
    CloseHandle(token);
  }
  DWORD aclBuffer[64];
  auto* acl = reinterpret_cast<PACL>(aclBuffer);
  SECURITY_DESCRIPTOR descriptor;
  ok = ok && InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
       AddAccessAllowedAce(acl, ACL_REVISION, allowed,
                           reinterpret_cast<TOKEN_USER*>(user)->User.Sid) &&
       InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
       SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
       RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child + "\\");
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}
}  // namespace

std::string TempDir() { return currentDir; }

void PutFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string FileText(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string text;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
  CloseHandle(file);
  return text;
}

void PutDirectory(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

void PutModule(const std::string& path, const std::string& fixture) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string built = self;
  built = built.substr(0, built.find_last_of('\\')) + "\\" + fixture;
  ASSERT_TRUE(CopyFileA(built.c_str(), path.c_str(), FALSE)) << built << " " << GetLastError();
}

const char* TestKeyPath() { return currentKey.c_str(); }

void DeleteKeyTree(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char name[260];
    while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS)
      DeleteKeyTree(root, path + "\\" + name);
    RegCloseKey(key);
  }
  RegDeleteKeyA(root, path.c_str());
}

void ProtectKey(const std::string& path, REGSAM allowed) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  protectedKeys.push_back(path);
  ASSERT_TRUE(GrantUserOnly(path, allowed)) << GetLastError();
}

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool RunningUnderWow64() {
  using IsWow64Proc = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64 = reinterpret_cast<IsWow64Proc>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

void PlayWindows64(bool windows64) {
  if (RunningUnderWow64() != windows64)
    GTEST_SKIP() << (windows64 ? "a 32-bit system" : "a 64-bit system");
}

int OpenHandles() {
  long opened = ObjectCount() - objectsAtSetUp;
  return opened > 0 ? static_cast<int>(opened) : 0;
}

int AnswerWithEnter(const char* text, UINT type) {
  HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (!probe) return -1;
  DestroyWindow(probe);
  std::atomic<bool> done{false};
  std::thread presser([&done] {
    while (!done) {
      HWND box = FindWindowA("#32770", "contract");
      if (box && IsWindowVisible(box)) {
        // Enter presses the focused push button, else the dialog's default one.
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info)
                         ? info.hwndFocus
                         : nullptr;
        LRESULT id = SendMessageA(box, DM_GETDEFID, 0, 0);
        if (focus && IsChild(box, focus))
          PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(focus)), 0);
        else if (HIWORD(id) == DC_HASDEFID)
          PostMessageA(box, WM_COMMAND, LOWORD(id), 0);
      }
      Sleep(20);
    }
  });
  int answer = MessageBoxA(nullptr, text, "contract", type);
  done = true;
  presser.join();
  return answer;
}

std::string RunTag() {
  char tag[32];
  snprintf(tag, sizeof tag, "-%lu-%d", GetCurrentProcessId(), counter);
  return tag;
}

void DeleteSpoolerObjects(const std::vector<std::string>& printers,
                          const std::vector<std::string>& drivers,
                          const std::vector<std::string>& monitors) {
  for (const std::string& name : printers) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) {
      DeletePrinter(printer);
      ClosePrinter(printer);
    }
  }
  for (const std::string& name : drivers)
    DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(name.c_str()));
  for (const std::string& name : monitors)
    DeleteMonitorA(nullptr, nullptr, const_cast<char*>(name.c_str()));
}

}  // namespace contract

void ContractTest::SetUp() {
  using namespace contract;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  char name[64];
  snprintf(name, sizeof name, "contract-%lu-%d\\", GetCurrentProcessId(), ++counter);
  currentDir = std::string(temp) + name;
  RemoveTree(currentDir);
  CreateDirectoryA(currentDir.c_str(), nullptr);
  dir = currentDir;
  snprintf(name, sizeof name, "Software\\ContractTests\\%lu-%d", GetCurrentProcessId(), counter);
  currentKey = name;
  DeleteKeyTree(HKEY_CURRENT_USER, currentKey);
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, currentKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr);
  RegCloseKey(key);
  objectsAtSetUp = ObjectCount();
}

void ContractTest::TearDown() {
  for (const std::string& path : contract::protectedKeys)
    contract::GrantUserOnly(path, KEY_ALL_ACCESS);
  contract::protectedKeys.clear();
  contract::RemoveTree(contract::currentDir);
  contract::DeleteKeyTree(HKEY_CURRENT_USER, contract::currentKey);
}
