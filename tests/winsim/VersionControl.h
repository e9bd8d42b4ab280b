// Test control of the simulated version resources (GetFileVersionInfoSizeA,
// GetFileVersionInfoA, VerQueryValueA).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace winsim {

struct VersionResource {
  bool hasTranslation = true;  // a "VarFileInfo\Translation" table with one pair
  WORD language = 0x0409;
  WORD codePage = 0x04b0;
  // Strings of the StringFileInfo block of language/codePage, e.g. {"FileVersion", "1.0.0.5"}.
  std::map<std::string, std::string> strings;
  // Further pairs of the translation table, after the first, each with its own strings.
  struct Table {
    WORD language;
    WORD codePage;
    std::map<std::string, std::string> strings;
  };
  std::vector<Table> laterTables;
};

// Writes a program file at `path` (parents created) that carries this version resource.
// The resource lives in the file's bytes, so a copy of the file carries it too.
void PutVersionedFile(const std::string& path, const VersionResource& resource);
// Shorthand: a file whose resource has a translation table and this "FileVersion".
void PutFileWithVersion(const std::string& path, const std::string& fileVersion);

}  // namespace winsim
