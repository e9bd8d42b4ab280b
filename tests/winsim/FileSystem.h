// Internal: the simulated file system, shared by the areas that work on files.
#pragma once

#include "winsim/Machine.h"

#include <map>
#include <string>

namespace winsim {

struct FileNode {
  std::string path;  // full path as it was created (case kept)
  bool directory = false;
  std::string data;
  DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;  // as a newly written file has
  bool inUse = false;        // loaded by a running process: writes give a sharing violation
  bool isProtected = false;  // guarded by the system: writes give access denied
};

// A handle of CreateFileA: the file it names, how it was opened and where it reads.
struct OpenedFile {
  std::string path;  // full path
  bool readable = false;
  bool writable = false;
  DWORD position = 0;
};

struct FileSystemState {
  std::map<std::string, FileNode> nodes;      // by Upper(full path)
  std::map<uintptr_t, OpenedFile> openFiles;  // by handle value
  std::string moduleFileName;
  std::string currentDirectory;  // full path, no trailing backslash except a root
};

FileSystemState& Files();
FileNode* FindNode(const std::string& fullPath);
std::string ParentOf(const std::string& fullPath);  // "" for a root
std::string NameOf(const std::string& fullPath);
// Creates the file (and its missing parent directories); returns it.
FileNode& PutFile(const std::string& fullPath, const std::string& data);
void PutDirectory(const std::string& fullPath);
// Copies a path out as the directory queries do: its length without the NUL when it fits,
// else the size needed (with the NUL) and the buffer untouched.
DWORD CopyPathOut(const std::string& path, LPSTR buffer, DWORD size);
// The error Windows gives for a path that does not exist: 3 when its directory is missing.
DWORD MissingError(const std::string& fullPath);
// The exports of the loadable module image at a full path; null when the file there is not one.
const Exports* ModuleImage(const std::string& fullPath);
// A copied file is the same image as its source (or no image when the source was none).
void CopyModuleImage(const std::string& fromFullPath, const std::string& toFullPath);
// The spooler's load of a monitor or processor DLL: ERROR_MOD_NOT_FOUND (126) when the file
// is missing or no module, ERROR_PROC_NOT_FOUND (127) when it lacks one of `entries` (for
// each entry, alternatives separated by "|"); 0 when it loads.
DWORD LoadError(const std::string& fullPath, const std::vector<std::string>& entries);

}  // namespace winsim
