// Internal: INI text parsing shared by the profile read and write functions.
#pragma once

#include <string>
#include <vector>

namespace winsim {

struct IniEntry {
  std::string key;  // for a comment or blank line: the line as it stands
  std::string value;
  bool hasValue = false;
  bool comment = false;  // kept when the file is written again, never read
};
struct IniSection {
  std::string name;
  std::vector<IniEntry> entries;
};

std::vector<IniSection> ParseIni(const std::string& text);
std::string SerializeIni(const std::vector<IniSection>& sections);
// Full path of a profile file name: a bare name lives in the Windows directory.
std::string ProfilePath(const char* fileName);
// Writes, replaces (value non-null) or deletes (value null; key null deletes the section).
void WriteIniEntry(std::vector<IniSection>& sections, const char* section, const char* key,
                   const char* value);

}  // namespace winsim
