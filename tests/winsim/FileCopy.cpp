// CopyFileA, CreateFileA, DeleteFileA, and ReadFile, WriteFile and SetFilePointer on an opened
// file; CloseHandle releases the file handles with the other kernel handles.
#include "winsim/FileControl.h"
#include "winsim/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace winsim {
namespace {

// Whether an existing file may be replaced or removed; sets the last error when not.
bool Writable(const FileNode& node) {
  DWORD error = 0;
  if (node.directory || node.isProtected || (node.attributes & FILE_ATTRIBUTE_READONLY))
    error = ERROR_ACCESS_DENIED;
  else if (node.inUse)
    error = ERROR_SHARING_VIOLATION;
  if (error) SetLastError(error);
  return error == 0;
}

void Mark(const std::string& path, bool inUse, bool value) {
  WINSIM_LOCK;
  FileNode* node = FindNode(FullPath(path));
  if (!node) node = &PutFile(FullPath(path), "");
  (inUse ? node->inUse : node->isProtected) = value;
}

}  // namespace

void SetFileInUse(const std::string& path, bool inUse) { Mark(path, true, inUse); }
void SetFileProtected(const std::string& path, bool isProtected) { Mark(path, false, isProtected); }

}  // namespace winsim

using namespace winsim;

extern "C" {

BOOL WINAPI CopyFileA(LPCSTR source, LPCSTR destination, BOOL failIfExists) {
  WINSIM_LOCK;
  if (FailsNow("CopyFileA", destination)) return FALSE;
  std::string from = ApiPath(source ? source : "");
  std::string to = ApiPath(destination ? destination : "");
  if (from.empty() || to.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  FileNode* src = FindNode(from);
  if (!src) {
    SetLastError(MissingError(from));
    return FALSE;
  }
  if (src->directory) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  FileNode* dst = FindNode(to);
  if (dst == src) {
    // The source is open for reading while the destination is opened for writing.
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (dst) {
    if (failIfExists) {
      SetLastError(ERROR_FILE_EXISTS);
      return FALSE;
    }
    if (!Writable(*dst)) return FALSE;
    // The copy is created over the old file with the source's attributes, and a hidden or
    // system file may only be replaced by one that keeps those bits.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((dst->attributes & kept) & ~(src->attributes & kept)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
  } else {
    FileNode* parent = FindNode(ParentOf(to));
    if (!parent || !parent->directory) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return FALSE;
    }
  }
  std::string data = src->data;
  DWORD attributes = src->attributes | FILE_ATTRIBUTE_ARCHIVE;
  FileNode& copy = PutFile(to, data);
  copy.attributes = attributes & ~FILE_ATTRIBUTE_NORMAL;
  CopyModuleImage(from, to);
  return TRUE;
}

HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE templateFile) {
  WINSIM_LOCK;
  (void)security;
  (void)templateFile;
  if (FailsNow("CreateFileA", path)) return INVALID_HANDLE_VALUE;
  std::string full = ApiPath(path ? path : "");
  FileNode* node = full.empty() ? nullptr : FindNode(full);
  bool writes = (access & (GENERIC_WRITE | GENERIC_ALL)) != 0;
  bool existed = node != nullptr;
  if (node) {
    if (disposition == CREATE_NEW) {
      SetLastError(ERROR_FILE_EXISTS);
      return INVALID_HANDLE_VALUE;
    }
    // A directory opens only with backup semantics; a file in use opens for queries only,
    // or for reading when the caller shares writing with its holder.
    if (node->directory && !(flags & FILE_FLAG_BACKUP_SEMANTICS)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    if (node->inUse && (writes || ((access & GENERIC_READ) && !(share & FILE_SHARE_WRITE)))) {
      SetLastError(ERROR_SHARING_VIOLATION);
      return INVALID_HANDLE_VALUE;
    }
    if (writes && !node->directory && !Writable(*node)) return INVALID_HANDLE_VALUE;
    if (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) node->data.clear();
  } else {
    if (full.empty() || disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) {
      SetLastError(full.empty() ? ERROR_PATH_NOT_FOUND : MissingError(full));
      return INVALID_HANDLE_VALUE;
    }
    FileNode* parent = FindNode(ParentOf(full));
    if (!parent || !parent->directory) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return INVALID_HANDLE_VALUE;
    }
    PutFile(full, "");
  }
  // A success says whether the file was there before, for the dispositions that allow both.
  SetLastError(existed && (disposition == OPEN_ALWAYS || disposition == CREATE_ALWAYS)
                   ? ERROR_ALREADY_EXISTS
                   : ERROR_SUCCESS);
  uintptr_t handle = NewHandle(HandleKind::File);
  OpenedFile& opened = Files().openFiles[handle];
  opened.path = full;
  opened.readable = (access & (GENERIC_READ | GENERIC_ALL)) != 0;
  opened.writable = writes;
  return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI DeleteFileA(LPCSTR path) {
  WINSIM_LOCK;
  if (FailsNow("DeleteFileA", path)) return FALSE;
  std::string full = ApiPath(path ? path : "");
  FileNode* node = full.empty() ? nullptr : FindNode(full);
  if (!node) {
    SetLastError(full.empty() ? ERROR_PATH_NOT_FOUND : MissingError(full));
    return FALSE;
  }
  if (!Writable(*node)) return FALSE;
  Files().nodes.erase(Upper(full));
  return TRUE;
}

namespace {
OpenedFile* OpenedFileOf(HANDLE handle) {
  auto value = reinterpret_cast<uintptr_t>(handle);
  auto it = Files().openFiles.find(value);
  if (!IsHandle(HandleKind::File, value) || it == Files().openFiles.end()) return nullptr;
  return &it->second;
}
}  // namespace

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read,
                     LPOVERLAPPED overlapped) {
  WINSIM_LOCK;
  (void)overlapped;
  if (read) *read = 0;
  if (FailsNow("ReadFile")) return FALSE;
  OpenedFile* open = OpenedFileOf(handle);
  if (!open) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!open->readable) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  FileNode* node = FindNode(open->path);
  if (!node || node->directory) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  size_t size = node->data.size();
  DWORD count = 0;
  if (open->position < size)
    count = static_cast<DWORD>(std::min<size_t>(toRead, size - open->position));
  if (count) memcpy(buffer, node->data.data() + open->position, count);
  open->position += count;
  if (read) *read = count;
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD toWrite, LPDWORD written,
                      LPOVERLAPPED overlapped) {
  WINSIM_LOCK;
  (void)overlapped;
  if (written) *written = 0;
  if (FailsNow("WriteFile")) return FALSE;
  OpenedFile* open = OpenedFileOf(handle);
  if (!open) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  FileNode* node = FindNode(open->path);
  if (!open->writable || !node || node->directory) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (node->data.size() < open->position) node->data.resize(open->position, '\0');
  node->data.replace(open->position, toWrite, static_cast<const char*>(buffer), toWrite);
  open->position += toWrite;
  if (written) *written = toWrite;
  return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE handle, LONG distance, PLONG distanceHigh, DWORD method) {
  WINSIM_LOCK;
  if (FailsNow("SetFilePointer")) return INVALID_SET_FILE_POINTER;
  OpenedFile* open = OpenedFileOf(handle);
  if (!open) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_SET_FILE_POINTER;
  }
  FileNode* node = FindNode(open->path);
  long long base = 0;
  if (method == FILE_CURRENT)
    base = open->position;
  else if (method == FILE_END)
    base = node ? static_cast<long long>(node->data.size()) : 0;
  else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  long long move =
      distanceHigh ? (static_cast<long long>(*distanceHigh) << 32) | static_cast<DWORD>(distance)
                   : distance;
  long long target = base + move;
  if (target < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  open->position = static_cast<DWORD>(target);
  if (distanceHigh) *distanceHigh = static_cast<LONG>(target >> 32);
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(target);
}

}  // extern "C"
