#include "common/RegKey.h"

#include <cstdlib>
#include <cstring>

namespace {
const DWORD kStringListBuffer = 2500;
}

RegKey::RegKey() : key(nullptr), lastError(0) {}

RegKey::RegKey(HKEY root, const char* subKey) : key(nullptr), lastError(0) { Open(root, subKey); }

RegKey::~RegKey() { Close(); }

int RegKey::Open(HKEY root, const char* subKey) {
  Close();
  LONG result = RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key);
  if (result != ERROR_SUCCESS) {
    key = nullptr;
    // The registry functions return their error instead of setting the thread's last
    // error, so the returned code is the one kept (and made the thread's last error).
    lastError = static_cast<DWORD>(result);
    SetLastError(lastError);
    return 0;
  }
  return 1;
}

int RegKey::Close() {
  if (!key) return 0;
  LONG result = RegCloseKey(key);
  key = nullptr;
  return result == ERROR_SUCCESS;
}

int RegKey::IsOpen() const { return key != nullptr; }

int RegKey::QueryValue(const char* name, void* buffer, DWORD size, DWORD* returned) {
  if (!key) return 0;
  LONG result = RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size);
  lastError = static_cast<DWORD>(result);
  SetLastError(lastError);
  if (returned) *returned = size;
  return result == ERROR_SUCCESS;
}

int RegKey::QueryDword(const char* name, DWORD* value, DWORD* error) {
  if (!key) return 0;
  int ok = QueryValue(name, value, sizeof(DWORD));
  if (error) *error = lastError;
  return ok;
}

int RegKey::QueryString(const char* name, char* buffer, DWORD size, DWORD* error) {
  if (!key) return 0;
  if (!buffer || size == 0) return 0;
  buffer[0] = '\0';
  DWORD length = 0;
  int ok = QueryValue(name, buffer, size, &length);
  // A value may be stored without its terminator: the text ends at the length the query
  // returned, not at whatever the rest of the buffer held before.
  if (ok) buffer[length < size ? length : size - 1] = '\0';
  if (error) *error = lastError;
  return ok;
}

char** RegKey::QueryStringList(const char* name, DWORD* error) {
  char text[kStringListBuffer];
  if (!QueryString(name, text, sizeof text, error) || text[0] == '\0') return nullptr;

  size_t length = strlen(text);
  size_t count = 0;
  for (size_t i = 0; i < length; ++i)
    if (text[i] == ';') ++count;
  if (text[length - 1] != ';') ++count;

  char** list = static_cast<char**>(calloc(count + 3, sizeof(char*)));
  if (!list) return nullptr;

  size_t slot = 0;
  const char* item = text;
  while (slot < count) {
    const char* end = strchr(item, ';');
    size_t itemLength = end ? static_cast<size_t>(end - item) : strlen(item);
    char* copy = static_cast<char*>(calloc(itemLength + 3, 1));
    if (!copy) break;
    memcpy(copy, item, itemLength);
    list[slot++] = copy;
    if (!end || end[1] == '\0') break;
    item = end + 1;
  }
  return list;
}

void RegKey::FreeStringList(char** list) {
  if (!list) return;
  for (char** item = list; *item; ++item) free(*item);
  free(list);
}

int RegKey::SetValue(const char* name, const void* data, DWORD type, DWORD size) {
  if (!key) return 0;
  LONG result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  lastError = static_cast<DWORD>(result);
  SetLastError(lastError);
  return result == ERROR_SUCCESS;
}

int RegKey::SetDword(const char* name, DWORD value, DWORD* error) {
  if (!key) return 0;
  int ok = SetValue(name, &value, REG_DWORD, sizeof value);
  if (error) *error = lastError;
  return ok;
}

int RegKey::SetString(const char* name, const char* text, DWORD* error) {
  if (!key) return 0;
  if (!text) text = "";
  int ok = SetValue(name, text, REG_SZ, static_cast<DWORD>(strlen(text) + 1));
  if (error) *error = lastError;
  return ok;
}

int RegKey::CreateKey(HKEY root, const char* subKey, const char* className) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExA(root, subKey, 0, const_cast<char*>(className), 0, KEY_ALL_ACCESS,
                                nullptr, &created, &disposition);
  if (result != ERROR_SUCCESS) return 0;
  RegCloseKey(created);
  return 1;
}

int RegKey::DeleteKey(HKEY root, const char* subKey) {
  return RegDeleteKeyA(root, subKey) == ERROR_SUCCESS;
}

LONG RegKey::EnumValue(DWORD index, char* name, DWORD* nameLength, DWORD* type) {
  // Without a key there is nothing to enumerate: answer "no more items" so that a loop
  // running until a non-zero code ends at once.
  if (!key) return ERROR_NO_MORE_ITEMS;
  return RegEnumValueA(key, index, name, nameLength, nullptr, type, nullptr, nullptr);
}
