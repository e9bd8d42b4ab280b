// An in-memory file system with Windows' case-insensitive paths.
#include "winsim/FileSystem.h"

#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace winsim {
namespace {

FileSystemState state;

struct FindState {
  std::vector<FileNode> matches;
  size_t next = 0;
};
std::map<uintptr_t, FindState> finds;

bool WildcardMatch(const char* pattern, const char* text) {
  if (*pattern == '\0') return *text == '\0';
  if (*pattern == '*') {
    for (const char* t = text;; ++t) {
      if (WildcardMatch(pattern + 1, t)) return true;
      if (*t == '\0') return false;
    }
  }
  if (*text == '\0') return false;
  if (*pattern == '?' || toupper(static_cast<unsigned char>(*pattern)) ==
                             toupper(static_cast<unsigned char>(*text)))
    return WildcardMatch(pattern + 1, text + 1);
  return false;
}

bool PatternMatches(const std::string& pattern, const std::string& name) {
  // "*.*" matches names without a dot too, as on Windows.
  if (pattern == "*.*") return true;
  return WildcardMatch(pattern.c_str(), name.c_str());
}

void FillFindData(const FileNode& node, WIN32_FIND_DATAA* data) {
  std::memset(data, 0, sizeof *data);
  data->dwFileAttributes = node.directory ? FILE_ATTRIBUTE_DIRECTORY : node.attributes;
  data->nFileSizeLow = static_cast<DWORD>(node.data.size());
  std::string name = NameOf(node.path);
  std::strncpy(data->cFileName, name.c_str(), sizeof data->cFileName - 1);
}

}  // namespace

FileSystemState& Files() { return state; }

void ResetFiles() {
  state = FileSystemState();
  finds.clear();
  PutDirectory("C:\\WINDOWS\\system32");
  state.moduleFileName = "C:\\setup.exe";
  state.currentDirectory = "C:\\";
}

std::vector<std::string> FilesUnder(const std::string& dir) {
  WINSIM_LOCK;
  std::string prefix = Upper(FullPath(dir)) + "\\";
  std::vector<std::string> files;
  for (const auto& node : state.nodes)
    if (!node.second.directory && node.first.compare(0, prefix.size(), prefix) == 0)
      files.push_back(node.second.path);
  return files;
}

void RebootFiles() {
  state.openFiles.clear();
  finds.clear();
  state.moduleFileName = "C:\\setup.exe";
  state.currentDirectory = "C:\\";
}

std::string FullPath(const std::string& input) {
  if (input.empty()) return "";
  std::string path(input);
  for (char& c : path)
    if (c == '/') c = '\\';
  std::string drive;
  std::string rest;
  if (path.size() >= 2 && path[1] == ':') {
    drive = path.substr(0, 2);
    rest = path.substr(2);
    if (rest.empty() || rest[0] != '\\') rest = "\\" + rest;
  } else if (path[0] == '\\') {
    drive = state.currentDirectory.substr(0, 2);
    rest = path;
  } else {
    drive = state.currentDirectory.substr(0, 2);
    rest = state.currentDirectory.substr(2) + "\\" + path;
  }
  std::vector<std::string> parts;
  std::stringstream stream(rest);
  std::string part;
  while (std::getline(stream, part, '\\')) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string result = drive;
  for (const std::string& p : parts) result += "\\" + p;
  if (parts.empty()) result += "\\";
  return result;
}

FileNode* FindNode(const std::string& fullPath) {
  auto it = state.nodes.find(Upper(fullPath));
  return it == state.nodes.end() ? nullptr : &it->second;
}

std::string ParentOf(const std::string& fullPath) {
  size_t slash = fullPath.find_last_of('\\');
  if (slash == std::string::npos || fullPath.size() <= 3) return "";
  return slash == 2 ? fullPath.substr(0, 3) : fullPath.substr(0, slash);
}

std::string NameOf(const std::string& fullPath) {
  size_t slash = fullPath.find_last_of('\\');
  return slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
}

void PutDirectory(const std::string& fullPath) {
  if (fullPath.empty()) return;
  if (FindNode(fullPath)) return;
  std::string parent = ParentOf(fullPath);
  if (!parent.empty()) PutDirectory(parent);
  FileNode node;
  node.path = fullPath;
  node.directory = true;
  node.attributes = FILE_ATTRIBUTE_DIRECTORY;
  state.nodes[Upper(fullPath)] = node;
}

FileNode& PutFile(const std::string& fullPath, const std::string& data) {
  PutDirectory(ParentOf(fullPath));
  FileNode& node = state.nodes[Upper(fullPath)];
  if (node.path.empty()) node.path = fullPath;
  node.directory = false;
  node.data = data;
  return node;
}

DWORD CopyPathOut(const std::string& path, LPSTR buffer, DWORD size) {
  if (!buffer || path.size() >= size) return static_cast<DWORD>(path.size() + 1);
  path.copy(buffer, path.size());
  buffer[path.size()] = '\0';
  return static_cast<DWORD>(path.size());
}

DWORD MissingError(const std::string& fullPath) {
  FileNode* parent = FindNode(ParentOf(fullPath));
  return parent && parent->directory ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

void SetModuleFileName(const std::string& path) {
  WINSIM_LOCK;
  state.moduleFileName = path;
}

void SetCurrentDirectory(const std::string& path) {
  WINSIM_LOCK;
  std::string full = FullPath(path);
  PutDirectory(full);
  state.currentDirectory = full;
}

void WriteFile(const std::string& path, const std::string& data) {
  WINSIM_LOCK;
  PutFile(FullPath(path), data);
}

void MakeDirectory(const std::string& path) {
  WINSIM_LOCK;
  PutDirectory(FullPath(path));
}

bool FileExists(const std::string& path) {
  WINSIM_LOCK;
  FileNode* node = FindNode(FullPath(path));
  return node && !node->directory;
}

bool DirectoryExists(const std::string& path) {
  WINSIM_LOCK;
  FileNode* node = FindNode(FullPath(path));
  return node && node->directory;
}

std::string ReadFile(const std::string& path) {
  WINSIM_LOCK;
  FileNode* node = FindNode(FullPath(path));
  return node && !node->directory ? node->data : std::string();
}

void RemovePath(const std::string& path) {
  WINSIM_LOCK;
  std::string key = Upper(FullPath(path));
  for (auto it = state.nodes.begin(); it != state.nodes.end();) {
    if (it->first == key || it->first.compare(0, key.size() + 1, key + "\\") == 0)
      it = state.nodes.erase(it);
    else
      ++it;
  }
}

int LoadHostDirectory(const std::string& hostDir, const std::string& simDir) {
  WINSIM_LOCK;
  int count = 0;
  std::string simFull = FullPath(simDir);
  PutDirectory(simFull);
  DIR* dir = opendir(hostDir.c_str());
  if (!dir) return 0;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string host = hostDir + "/" + name;
    std::string sim = simFull + (simFull.back() == '\\' ? "" : "\\") + name;
    struct stat info;
    if (stat(host.c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      count += LoadHostDirectory(host, sim);
    } else {
      std::ifstream in(host, std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      PutFile(sim, bytes.str());
      ++count;
    }
  }
  closedir(dir);
  return count;
}

}  // namespace winsim

using namespace winsim;

extern "C" {

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  WINSIM_LOCK;
  if (FailsNow("GetModuleFileNameA")) return 0;
  if (module != nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  const std::string& name = state.moduleFileName;
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // A name that does not fit is cut to the buffer and returned as size. Windows 2000 and XP
  // leave it without a terminator and report ERROR_SUCCESS; Vista and later end it at
  // size - 1 and report ERROR_INSUFFICIENT_BUFFER.
  if (name.size() >= size) {
    bool vista = MajorVersion() >= 6;
    name.copy(buffer, vista ? size - 1 : size);
    if (vista) buffer[size - 1] = '\0';
    SetLastError(vista ? ERROR_INSUFFICIENT_BUFFER : ERROR_SUCCESS);
    return size;
  }
  name.copy(buffer, name.size());
  buffer[name.size()] = '\0';
  return static_cast<DWORD>(name.size());
}

DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  WINSIM_LOCK;
  if (FailsNow("GetCurrentDirectoryA")) return 0;
  return CopyPathOut(state.currentDirectory, buffer, size);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
  WINSIM_LOCK;
  if (FailsNow("SetCurrentDirectoryA", path)) return FALSE;
  // The directory is kept as named; only its look-up is redirected.
  std::string full = FullPath(path ? path : "");
  FileNode* node = FindNode(ApiPath(full));
  if (!node) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if (!node->directory) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  state.currentDirectory = full;
  return TRUE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR path) {
  WINSIM_LOCK;
  if (FailsNow("GetFileAttributesA", path)) return INVALID_FILE_ATTRIBUTES;
  std::string full = ApiPath(path ? path : "");
  FileNode* node = FindNode(full);
  if (!node) {
    SetLastError(MissingError(full));
    return INVALID_FILE_ATTRIBUTES;
  }
  return node->directory ? FILE_ATTRIBUTE_DIRECTORY | (node->attributes & ~FILE_ATTRIBUTE_NORMAL)
                         : node->attributes;
}

BOOL WINAPI SetFileAttributesA(LPCSTR path, DWORD attributes) {
  WINSIM_LOCK;
  if (FailsNow("SetFileAttributesA", path)) return FALSE;
  std::string full = ApiPath(path ? path : "");
  FileNode* node = FindNode(full);
  if (!node) {
    SetLastError(MissingError(full));
    return FALSE;
  }
  // Only the settable bits are kept; a file with none of them reads as NORMAL.
  const DWORD settable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                         FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                         FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE;
  DWORD kept = attributes & settable;
  if (node->directory)
    node->attributes = FILE_ATTRIBUTE_DIRECTORY | kept;
  else
    node->attributes = kept ? kept : FILE_ATTRIBUTE_NORMAL;
  return TRUE;
}

HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  WINSIM_LOCK;
  if (FailsNow("FindFirstFileA", pattern)) return INVALID_HANDLE_VALUE;
  std::string full = ApiPath(pattern ? pattern : "");
  std::string dirPath = ParentOf(full);
  std::string mask = NameOf(full);
  FileNode* dir = FindNode(dirPath);
  if (!dir || !dir->directory || mask.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  FindState found;
  // Every directory but a root lists "." and ".." first.
  if (dirPath.size() > 3) {
    for (const char* dots : {".", ".."}) {
      if (PatternMatches(mask, dots)) {
        FileNode node;
        node.path = dirPath + "\\" + dots;
        node.directory = true;
        found.matches.push_back(node);
      }
    }
  }
  std::string prefix = Upper(dirPath.size() == 3 ? dirPath : dirPath + "\\");
  for (const auto& entry : state.nodes) {
    if (entry.first.compare(0, prefix.size(), prefix) != 0) continue;
    std::string rest = entry.first.substr(prefix.size());
    if (rest.empty() || rest.find('\\') != std::string::npos) continue;
    if (PatternMatches(mask, NameOf(entry.second.path))) found.matches.push_back(entry.second);
  }
  if (found.matches.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  FillFindData(found.matches[0], data);
  found.next = 1;
  uintptr_t handle = NewHandle(HandleKind::Find);
  finds[handle] = found;
  return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data) {
  WINSIM_LOCK;
  if (FailsNow("FindNextFileA")) return FALSE;
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  auto it = finds.find(value);
  if (it == finds.end() || !IsHandle(HandleKind::Find, value)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (it->second.next >= it->second.matches.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  FillFindData(it->second.matches[it->second.next++], data);
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE handle) {
  WINSIM_LOCK;
  return CloseTracked("FindClose", HandleKind::Find, handle, finds);
}

}  // extern "C"
