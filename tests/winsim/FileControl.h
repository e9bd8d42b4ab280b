// Test control of file states that only a running system produces.
#pragma once

#include <string>

namespace winsim {

// A file held open by a running process (a loaded DLL): copying over it or deleting it
// fails with ERROR_SHARING_VIOLATION (32).
void SetFileInUse(const std::string& path, bool inUse);
// A file the system guards: copying over it or deleting it fails with ERROR_ACCESS_DENIED (5).
void SetFileProtected(const std::string& path, bool isProtected);

}  // namespace winsim
