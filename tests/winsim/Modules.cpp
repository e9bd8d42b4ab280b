// LoadLibraryA / GetProcAddress / FreeLibrary over registered modules.
#include "winsim/FileSystem.h"

#include <map>

namespace winsim {
namespace {
struct ModuleState {
  std::map<std::string, Exports> system;  // by Upper(bare name): loadable from anywhere
  std::map<std::string, Exports> images;  // by Upper(full path): DLL files of the file system
  std::map<uintptr_t, const Exports*> loaded;
  std::vector<std::string> loadedPaths;   // every path a load succeeded with
};
ModuleState mods;

const Exports* Resolve(const std::string& name) {
  bool bare = name.find('\\') == std::string::npos && name.find('/') == std::string::npos;
  if (bare) {
    auto it = mods.system.find(Upper(name));
    if (it != mods.system.end()) return &it->second;
    // Windows' search order for a bare name: the program's directory, the system and
    // Windows directories, then the working directory.
    std::string dirs[] = {ParentOf(FullPath(Files().moduleFileName)), SystemDirectory(),
                          WindowsDirectory(), Files().currentDirectory};
    for (const std::string& dir : dirs) {
      std::string candidate = ApiPath(dir + "\\" + name);
      auto image = mods.images.find(Upper(candidate));
      if (image != mods.images.end() && FindNode(candidate)) {
        mods.loadedPaths.push_back(candidate);
        return &image->second;
      }
    }
    return nullptr;
  }
  std::string full = ApiPath(name);
  auto image = mods.images.find(Upper(full));
  if (image == mods.images.end() || !FindNode(full)) return nullptr;
  mods.loadedPaths.push_back(full);
  return &image->second;
}
}  // namespace

void ResetModules() {
  mods = ModuleState();
  UpdateKernelExports();
}

void RebootModules() {
  mods.loaded.clear();
  mods.loadedPaths.clear();
}

const Exports* ModuleImage(const std::string& fullPath) {
  auto image = mods.images.find(Upper(fullPath));
  FileNode* node = FindNode(fullPath);
  return image == mods.images.end() || !node || node->directory ? nullptr : &image->second;
}

void CopyModuleImage(const std::string& fromFullPath, const std::string& toFullPath) {
  auto image = mods.images.find(Upper(fromFullPath));
  if (image == mods.images.end()) {
    mods.images.erase(Upper(toFullPath));
  } else {
    Exports exports = image->second;
    mods.images[Upper(toFullPath)] = exports;
  }
}

DWORD LoadError(const std::string& fullPath, const std::vector<std::string>& entries) {
  const Exports* exports = ModuleImage(fullPath);
  if (!exports) return ERROR_MOD_NOT_FOUND;
  for (const std::string& entry : entries) {
    bool found = false;
    size_t start = 0;
    while (!found && start <= entry.size()) {
      size_t bar = entry.find('|', start);
      if (bar == std::string::npos) bar = entry.size();
      found = exports->count(entry.substr(start, bar - start)) != 0;
      start = bar + 1;
    }
    if (!found) return ERROR_PROC_NOT_FOUND;
  }
  return 0;
}

void RegisterSystemModule(const std::string& name, const Exports& exports) {
  WINSIM_LOCK;
  mods.system[Upper(name)] = exports;
}

void RegisterModuleImage(const std::string& path, const Exports& exports) {
  WINSIM_LOCK;
  std::string full = FullPath(path);
  mods.images[Upper(full)] = exports;
  if (!FindNode(full)) PutFile(full, "MZ");
}

std::vector<std::string> LoadedModulePaths() {
  WINSIM_LOCK;
  return mods.loadedPaths;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

HMODULE WINAPI LoadLibraryA(LPCSTR name) {
  WINSIM_LOCK;
  if (FailsNow("LoadLibraryA", name)) return nullptr;
  const Exports* exports = Resolve(name ? name : "");
  if (!exports) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  uintptr_t handle = NewHandle(HandleKind::Module);
  mods.loaded[handle] = exports;
  return reinterpret_cast<HMODULE>(handle);
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
  WINSIM_LOCK;
  if (FailsNow("GetProcAddress", name)) return nullptr;
  auto it = mods.loaded.find(reinterpret_cast<uintptr_t>(module));
  if (it == mods.loaded.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto proc = it->second->find(name ? name : "");
  if (proc == it->second->end()) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(proc->second);
}

BOOL WINAPI FreeLibrary(HMODULE module) {
  WINSIM_LOCK;
  return CloseTracked("FreeLibrary", HandleKind::Module, module, mods.loaded);
}

}  // extern "C"
