// The checker's view of one INI file of the medium beside the programs' readers: which sections
// and keys it holds and how long their values really are, to find what the readers never see.
// Every lookup goes through the profile functions, so names match as Windows matches them.
#pragma once

#include "common/TextCompare.h"

#include <map>
#include <string>
#include <vector>

class IniFile {
 public:
  IniFile(const std::string& mediumRoot, const char* relativeName);

  bool Exists() const;
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(const std::string& section) const;
  bool HasSection(const std::string& section) const;
  bool HasKey(const std::string& section, const std::string& key) const;
  // The whole value as the profile functions return it (up to 4095 characters).
  std::string Value(const std::string& section, const std::string& key) const;

  std::string path;  // full path, as the programs build it
  std::string name;  // relative to the medium, for the findings

 private:
  // The medium is only read, so the lists are read once.
  mutable bool sectionsRead = false;
  mutable std::vector<std::string> sections;
  mutable std::map<std::string, std::vector<std::string>> keys;  // by upper-case section
  mutable std::map<std::string, std::string> values;             // by upper-case "section]key"
};

// True when the text is a decimal number as the medium's readers take it: optional blanks and
// sign, then only digits.
bool IsDecimalText(const std::string& text);
// True when the file exists (and is no directory).
bool FileExists(const std::string& path);
