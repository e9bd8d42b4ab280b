// Profile (INI) functions with Windows' semantics over the simulated file system.
#include "winsim/Profile.h"

#include "winsim/FileSystem.h"

#include <cstring>
#include <iterator>
#include <map>

namespace winsim {
namespace {

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

// Copies text into a caller's buffer the way the profile functions do: cut to size - 1.
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  size_t length = text.size() < size ? text.size() : size - 1;
  text.copy(buffer, length);
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

// A double-NUL-terminated list; when it does not fit, Windows returns size - 2.
DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  DWORD used = 0;
  for (const std::string& item : items) {
    for (char c : item) {
      if (used + 2 >= size) {
        buffer[used] = '\0';
        buffer[used + 1] = '\0';
        return size - 2;
      }
      buffer[used++] = c;
    }
    if (used + 2 >= size) {
      buffer[used] = '\0';
      buffer[used + 1] = '\0';
      return size - 2;
    }
    buffer[used++] = '\0';
  }
  buffer[used] = '\0';
  if (used == 0 && size > 1) buffer[1] = '\0';
  return used;
}

// The parse of a file, kept until its text changes: an installation reads hundreds of keys.
const std::vector<IniSection>& Parsed(const std::string& fullPath, const std::string& text) {
  struct Cached {
    std::string text;
    std::vector<IniSection> sections;
  };
  static std::map<std::string, Cached> cache;
  Cached& cached = cache[Upper(fullPath)];
  if (cached.sections.empty() || cached.text != text) {
    cached.text = text;
    cached.sections = ParseIni(text);
  }
  return cached.sections;
}

// NT keeps the [windows] section of win.ini in the registry, for reads and writes alike.
const char* const kWindowsSectionKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

bool InRegistry(const std::string& fullPath, const char* section) {
  return PlatformId() == VER_PLATFORM_WIN32_NT && section && EqualNoCase(section, "windows") &&
         EqualNoCase(fullPath, FullPath(WindowsDirectory() + "\\win.ini"));
}

// The registry's [windows] section in the form of a parsed file.
std::vector<IniSection> RegistrySection() {
  IniSection section{"windows", {}};
  for (const std::string& name : RegistryValueNames(HKEY_CURRENT_USER, kWindowsSectionKey)) {
    std::string data;
    GetValue(HKEY_CURRENT_USER, kWindowsSectionKey, name, nullptr, &data);
    section.entries.push_back(IniEntry{name, std::string(data.c_str()), true, false});
  }
  return {IniSection{}, section};
}

void WriteRegistrySection(const char* key, const char* value) {
  if (!key) {
    for (const std::string& name : RegistryValueNames(HKEY_CURRENT_USER, kWindowsSectionKey))
      DeleteRegistryValue(HKEY_CURRENT_USER, kWindowsSectionKey, name);
  } else if (!value) {
    DeleteRegistryValue(HKEY_CURRENT_USER, kWindowsSectionKey, key);
  } else {
    SetValue(HKEY_CURRENT_USER, kWindowsSectionKey, key, REG_SZ, std::string(value) + '\0');
  }
}

std::string StripQuotes(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::vector<IniSection> ParseIni(const std::string& text) {
  std::vector<IniSection> sections;
  sections.push_back(IniSection{});  // entries before the first section header
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(pos, end - pos);
    bool last = end == text.size();
    pos = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::string line = Trim(raw);
    if (line.empty() && last) break;
    if (line.empty() || line[0] == ';') {
      IniEntry kept;
      kept.key = raw;
      kept.comment = true;
      sections.back().entries.push_back(kept);
      continue;
    }
    if (line[0] == '[') {
      size_t close = line.find(']');
      IniSection section;
      section.name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      sections.push_back(section);
      continue;
    }
    IniEntry entry;
    size_t equals = line.find('=');
    entry.key = Trim(line.substr(0, equals));
    if (equals != std::string::npos) {
      entry.value = Trim(line.substr(equals + 1));
      entry.hasValue = true;
    }
    sections.back().entries.push_back(entry);
  }
  return sections;
}

std::string SerializeIni(const std::vector<IniSection>& sections) {
  std::string text;
  for (size_t i = 0; i < sections.size(); ++i) {
    const IniSection& section = sections[i];
    if (i > 0) text += "[" + section.name + "]\r\n";
    for (const IniEntry& entry : section.entries)
      text += entry.key + (entry.hasValue && !entry.comment ? "=" + entry.value : "") + "\r\n";
  }
  return text;
}

std::string ProfilePath(const char* fileName) {
  std::string name = fileName ? fileName : "";
  if (name.find('\\') == std::string::npos && name.find('/') == std::string::npos)
    return FullPath(WindowsDirectory() + "\\" + name);
  return ApiPath(name);
}

void WriteIniEntry(std::vector<IniSection>& sections, const char* section, const char* key,
                   const char* value) {
  if (sections.empty()) sections.push_back(IniSection{});
  IniSection* target = nullptr;
  for (size_t i = 1; i < sections.size(); ++i) {
    if (EqualNoCase(sections[i].name, section)) {
      target = &sections[i];
      if (!key) {
        sections.erase(sections.begin() + static_cast<long>(i));
        return;
      }
      break;
    }
  }
  if (!key) return;
  if (!target) {
    if (!value) return;
    sections.push_back(IniSection{section, {}});
    target = &sections.back();
  }
  for (auto it = target->entries.begin(); it != target->entries.end(); ++it) {
    if (it->comment || !EqualNoCase(it->key, key)) continue;
    if (!value) {
      target->entries.erase(it);
    } else {
      it->value = value;
      it->hasValue = true;
    }
    return;
  }
  if (!value) return;
  // A new key goes after the section's last key, before the comments and blank lines
  // that end it.
  auto after = target->entries.end();
  while (after != target->entries.begin() && std::prev(after)->comment) --after;
  target->entries.insert(after, IniEntry{key, value, true, false});
}

}  // namespace winsim

using namespace winsim;

extern "C" {

INT WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText,
                                    LPSTR buffer, UINT size, LPCSTR fileName) {
  WINSIM_LOCK;
  if (FailsNow("GetPrivateProfileStringA", key)) return static_cast<INT>(CopyOut("", buffer, size));
  std::string path = ProfilePath(fileName);
  FileNode* file = FindNode(path);
  static const std::vector<IniSection> none;
  std::vector<IniSection> mapped;
  if (InRegistry(path, section)) mapped = RegistrySection();
  const std::vector<IniSection>& sections =
      InRegistry(path, section) ? mapped : file && !file->directory ? Parsed(path, file->data) : none;
  if (!section) {
    std::vector<std::string> names;
    for (size_t i = 1; i < sections.size(); ++i) names.push_back(sections[i].name);
    return static_cast<INT>(CopyList(names, buffer, size));
  }
  const IniSection* found = nullptr;
  for (size_t i = 1; i < sections.size() && !found; ++i)
    if (EqualNoCase(sections[i].name, section)) found = &sections[i];
  if (!key) {
    std::vector<std::string> keys;
    if (found)
      for (const IniEntry& entry : found->entries)
        if (!entry.comment) keys.push_back(entry.key);
    return static_cast<INT>(CopyList(keys, buffer, size));
  }
  if (found) {
    for (const IniEntry& entry : found->entries)
      if (!entry.comment && EqualNoCase(entry.key, key)) return static_cast<INT>(CopyOut(StripQuotes(entry.value), buffer, size));
  }
  // The default's trailing blanks are cut.
  std::string fallback = defaultText ? defaultText : "";
  size_t end = fallback.find_last_not_of(' ');
  fallback = end == std::string::npos ? "" : fallback.substr(0, end + 1);
  if (!file) SetLastError(ERROR_FILE_NOT_FOUND);
  return static_cast<INT>(CopyOut(fallback, buffer, size));
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  char text[32];
  if (GetPrivateProfileStringA(section, key, "", text, sizeof text, fileName) == 0)
    return static_cast<UINT>(defaultValue);
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  } else if (p[0] == '0' && (p[1] == 'o' || p[1] == 'O')) {
    base = 8;
    p += 2;
  } else if (p[0] == '0' && (p[1] == 'b' || p[1] == 'B')) {
    base = 2;
    p += 2;
  }
  UINT value = 0;
  for (;; ++p) {
    unsigned digit;
    if (*p >= '0' && *p <= '9') digit = static_cast<unsigned>(*p - '0');
    else if (*p >= 'a' && *p <= 'f') digit = static_cast<unsigned>(*p - 'a' + 10);
    else if (*p >= 'A' && *p <= 'F') digit = static_cast<unsigned>(*p - 'A' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  WINSIM_LOCK;
  if (FailsNow("WritePrivateProfileStringA", key)) return FALSE;
  if (!section || !fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string path = ProfilePath(fileName);
  FileNode* file = FindNode(path);
  if (InRegistry(path, section)) {
    WriteRegistrySection(key, value);
    return TRUE;
  }
  if (file && (file->directory || (file->attributes & FILE_ATTRIBUTE_READONLY))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!file) {
    FileNode* parent = FindNode(ParentOf(path));
    if (!parent || !parent->directory) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return FALSE;
    }
  }
  std::vector<IniSection> sections = ParseIni(file ? file->data : "");
  WriteIniEntry(sections, section, key, value);
  PutFile(path, SerializeIni(sections));
  return TRUE;
}

// The user profile (win.ini in the Windows directory; its [windows] section in the registry
// on NT). All three arguments null only flush
// the profile cache, which the simulation does not have; Windows answers that with FALSE.
BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  WINSIM_LOCK;
  if (FailsNow("WriteProfileStringA", key)) return FALSE;
  if (!section && !key && !value) return FALSE;
  if (!section) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string path = FullPath(WindowsDirectory() + "\\win.ini");
  if (InRegistry(path, section)) {
    WriteRegistrySection(key, value);
    return TRUE;
  }
  FileNode* file = FindNode(path);
  std::vector<IniSection> sections = ParseIni(file && !file->directory ? file->data : "");
  WriteIniEntry(sections, section, key, value);
  PutFile(path, SerializeIni(sections));
  return TRUE;
}

}  // extern "C"
