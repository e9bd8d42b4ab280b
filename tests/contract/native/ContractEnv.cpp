#include "contract/ContractEnv.h"

#include "winsim/SpoolerControl.h"
#include "winsim/winsim.h"

namespace contract {

std::string TempDir() { return "C:\\contract\\"; }
void PutFile(const std::string& path, const std::string& bytes) { winsim::WriteFile(path, bytes); }
std::string FileText(const std::string& path) { return winsim::ReadFile(path); }
void PutDirectory(const std::string& path) { winsim::MakeDirectory(path); }
void PutModule(const std::string& path, const std::string& fixture) {
  if (fixture.find("port-monitor") == 0)
    winsim::MakeMonitorDll(path);
  else if (fixture.find("print-processor") == 0)
    winsim::MakeProcessorDll(path);
  else
    winsim::RegisterModuleImage(path, {});
}
const char* TestKeyPath() { return "Software\\ContractTests\\Current"; }
void DeleteKeyTree(HKEY, const std::string&) {}
void ProtectKey(const std::string& path, REGSAM allowed) {
  winsim::ProtectKey(HKEY_CURRENT_USER, path, allowed);
}
bool RunningOnWine() { return false; }
bool RunningUnderWow64() { return winsim::Windows64(); }
void PlayWindows64(bool windows64) {
  // The native directories every Windows has.
  for (const char* dir : {"system32\\drivers\\etc", "system32\\spool\\drivers"})
    winsim::MakeDirectory(winsim::WindowsDirectory() + "\\" + dir);
  if (!windows64) return;
  winsim::SetVersion(VER_PLATFORM_WIN32_NT, 6, 2);
  winsim::SetWindows64(true);
}
int OpenHandles() { return winsim::OpenHandles(); }
// An unscripted box answers with its default button.
int AnswerWithEnter(const char* text, UINT type) {
  return MessageBoxA(nullptr, text, "contract", type);
}
std::string RunTag() { return "-1"; }
void DeleteSpoolerObjects(const std::vector<std::string>&, const std::vector<std::string>&,
                          const std::vector<std::string>&) {}

}  // namespace contract

void ContractTest::SetUp() {
  winsim::Reset();
  dir = contract::TempDir();
  winsim::MakeDirectory(dir);
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, contract::TestKeyPath(), 0, nullptr, 0, KEY_ALL_ACCESS,
                  nullptr, &key, nullptr);
  RegCloseKey(key);
}

void ContractTest::TearDown() {}
