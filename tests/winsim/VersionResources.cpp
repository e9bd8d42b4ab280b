// Version resources of simulated files. The resource is kept inside the file's bytes (after a
// marker), so that copying a file copies its version. The block GetFileVersionInfoA hands out
// is the simulation's own layout; only VerQueryValueA reads it, as on Windows.
#include "winsim/FileSystem.h"
#include "winsim/VersionControl.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace winsim {
namespace {

const char kMarker[] = "\nWINSIM-VERSIONINFO\n";
const char kBlockTag[4] = {'W', 'S', 'V', 'I'};

// Query path with empty components dropped, in upper case: "\a\\B" -> "A\B".
std::string NormalisePath(const std::string& path) {
  std::string result;
  std::string part;
  std::istringstream in(path);
  while (std::getline(in, part, '\\')) {
    if (part.empty()) continue;
    if (!result.empty()) result += '\\';
    result += part;
  }
  return Upper(result);
}

void AppendDword(std::string& out, DWORD value) {
  out.append(reinterpret_cast<const char*>(&value), 4);
}

void AppendEntry(std::string& out, const std::string& key, const std::string& value) {
  std::string name = NormalisePath(key);
  AppendDword(out, static_cast<DWORD>(name.size() + 1));
  out.append(name);
  out.push_back('\0');
  AppendDword(out, static_cast<DWORD>(value.size()));
  out.append(value);
}

// Block: tag, total length, then entries of (name length, name + NUL, value length, value).
std::string BuildBlock(const VersionResource& resource) {
  std::string entries;
  std::vector<VersionResource::Table> tables = {
      {resource.language, resource.codePage, resource.strings}};
  tables.insert(tables.end(), resource.laterTables.begin(), resource.laterTables.end());
  if (resource.hasTranslation) {
    std::string pairs;
    for (const auto& table : tables) {
      pairs.append(reinterpret_cast<const char*>(&table.language), 2);
      pairs.append(reinterpret_cast<const char*>(&table.codePage), 2);
    }
    AppendEntry(entries, "VarFileInfo\\Translation", pairs);
  }
  for (const auto& table : tables) {
    char name[16];
    snprintf(name, sizeof name, "%04x%04x", table.language, table.codePage);
    for (const auto& text : table.strings)
      AppendEntry(entries, std::string("StringFileInfo\\") + name + "\\" + text.first,
                  text.second + std::string(1, '\0'));
  }
  std::string block(kBlockTag, 4);
  AppendDword(block, static_cast<DWORD>(8 + entries.size()));
  return block + entries;
}

// The version block carried by a file, or "" (error set) when there is none.
bool FindBlock(LPCSTR name, std::string* block) {
  std::string full = ApiPath(name ? name : "");
  FileNode* node = full.empty() ? nullptr : FindNode(full);
  if (!node || node->directory) {
    SetLastError(node || FindNode(ParentOf(full)) || full.empty() ? ERROR_FILE_NOT_FOUND
                                                                  : ERROR_PATH_NOT_FOUND);
    return false;
  }
  size_t at = node->data.find(kMarker);
  if (at == std::string::npos) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return false;
  }
  *block = node->data.substr(at + sizeof kMarker - 1);
  return true;
}

DWORD ReadDword(const BYTE* at) {
  DWORD value;
  memcpy(&value, at, 4);
  return value;
}

}  // namespace

void PutVersionedFile(const std::string& path, const VersionResource& resource) {
  WINSIM_LOCK;
  PutFile(FullPath(path), std::string("MZ") + kMarker + BuildBlock(resource));
}

void PutFileWithVersion(const std::string& path, const std::string& fileVersion) {
  VersionResource resource;
  resource.strings["FileVersion"] = fileVersion;
  PutVersionedFile(path, resource);
}

}  // namespace winsim

using namespace winsim;

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR name, LPDWORD handle) {
  WINSIM_LOCK;
  if (handle) *handle = 0;
  if (FailsNow("GetFileVersionInfoSizeA", name)) return 0;
  std::string block;
  if (!FindBlock(name, &block)) return 0;
  // Windows asks for more than the raw resource: room for the texts converted to ANSI.
  return static_cast<DWORD>(block.size() * 2);
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR name, DWORD, DWORD length, LPVOID data) {
  WINSIM_LOCK;
  if (FailsNow("GetFileVersionInfoA", name)) return FALSE;
  std::string block;
  if (!FindBlock(name, &block)) return FALSE;
  if (!data) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  // Windows copies what fits; the length field then says how much VerQueryValueA may read.
  DWORD copied = static_cast<DWORD>(std::min<size_t>(length, block.size()));
  if (copied < 8) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  memcpy(data, block.data(), copied);
  memcpy(static_cast<BYTE*>(data) + 4, &copied, 4);
  return TRUE;
}

BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
  WINSIM_LOCK;
  if (FailsNow("VerQueryValueA", subBlock)) return FALSE;
  if (!block || !subBlock || !buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const BYTE* base = static_cast<const BYTE*>(block);
  if (memcmp(base, kBlockTag, 4) != 0) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  const DWORD total = ReadDword(base + 4);
  const std::string wanted = NormalisePath(subBlock);
  DWORD at = 8;
  while (at + 4 <= total) {
    DWORD nameLength = ReadDword(base + at);
    if (nameLength == 0 || at + 4 + nameLength + 4 > total) break;
    const char* entryName = reinterpret_cast<const char*>(base + at + 4);
    DWORD valueAt = at + 4 + nameLength;
    DWORD valueLength = ReadDword(base + valueAt);
    if (valueAt + 4 + valueLength > total) break;
    if (wanted == std::string(entryName, nameLength - 1)) {
      *buffer = const_cast<BYTE*>(base + valueAt + 4);
      if (length) *length = valueLength;
      return TRUE;
    }
    at = valueAt + 4 + valueLength;
  }
  if (length) *length = 0;
  SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
  return FALSE;
}

}  // extern "C"
