#include "checkmedium/IniFile.h"

#include <windows.h>

namespace {

// A double-NUL-terminated list of the profile functions, read with a growing buffer: when it
// does not fit, they answer with the buffer's size - 2.
std::vector<std::string> ReadList(const char* section, const std::string& path) {
  std::vector<std::string> items;
  for (DWORD size = 4096; size <= (1u << 22); size *= 4) {
    std::vector<char> buffer(size, '\0');
    DWORD length =
        GetPrivateProfileStringA(section, nullptr, "", buffer.data(), size, path.c_str());
    if (length == size - 2 && size < (1u << 22)) continue;
    for (DWORD at = 0; at < length && buffer[at];) {
      std::string item(&buffer[at]);
      at += static_cast<DWORD>(item.size()) + 1;
      items.push_back(item);
    }
    break;
  }
  return items;
}

}  // namespace

bool IsDecimalText(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

IniFile::IniFile(const std::string& mediumRoot, const char* relativeName)
    : path(mediumRoot + relativeName), name(relativeName) {}

bool IniFile::Exists() const { return FileExists(path); }

std::vector<std::string> IniFile::Sections() const {
  if (!sectionsRead) sections = ReadList(nullptr, path);
  sectionsRead = true;
  return sections;
}

std::vector<std::string> IniFile::Keys(const std::string& section) const {
  std::string upper = UpperAscii(section);
  auto found = keys.find(upper);
  if (found == keys.end()) found = keys.emplace(upper, ReadList(section.c_str(), path)).first;
  return found->second;
}

bool IniFile::HasSection(const std::string& section) const {
  for (const std::string& known : Sections())
    if (EqualNoCase(known, section)) return true;
  return false;
}

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
  for (const std::string& known : Keys(section))
    if (EqualNoCase(known, key)) return true;
  return false;
}

std::string IniFile::Value(const std::string& section, const std::string& key) const {
  std::string id = UpperAscii(section + "]" + key);
  auto found = values.find(id);
  if (found != values.end()) return found->second;
  std::vector<char> buffer(4096, '\0');
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                           static_cast<DWORD>(buffer.size()), path.c_str());
  return values[id] = buffer.data();
}
