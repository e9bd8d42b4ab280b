// CopyFileA, CreateFileA (to test for existence) and DeleteFileA; CloseHandle releases
// the file handles with the other kernel handles.
#include "winsim/FileControl.h"
#include "winsim/FileSystem.h"

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
  std::string from = FullPath(source ? source : "");
  std::string to = FullPath(destination ? destination : "");
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
  std::string full = FullPath(path ? path : "");
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
  return reinterpret_cast<HANDLE>(NewHandle(HandleKind::File));
}

BOOL WINAPI DeleteFileA(LPCSTR path) {
  WINSIM_LOCK;
  if (FailsNow("DeleteFileA", path)) return FALSE;
  std::string full = FullPath(path ? path : "");
  FileNode* node = full.empty() ? nullptr : FindNode(full);
  if (!node) {
    SetLastError(full.empty() ? ERROR_PATH_NOT_FOUND : MissingError(full));
    return FALSE;
  }
  if (!Writable(*node)) return FALSE;
  Files().nodes.erase(Upper(full));
  return TRUE;
}

}  // extern "C"
