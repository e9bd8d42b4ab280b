// The registry: keys under the predefined roots, typed values, Windows' result codes.
#include "winsim/Machine.h"

#include <map>
#include <memory>

namespace winsim {
namespace {

struct Key {
  std::string name;
  std::map<std::string, std::shared_ptr<Key>> subkeys;  // by upper-case name: sorted as Windows enumerates
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
  };
  std::vector<Value> values;  // insertion order
  bool deleted = false;
  REGSAM allowed = KEY_ALL_ACCESS;  // what the key's security grants the user

  Value* FindValue(const std::string& valueName) {
    for (Value& v : values)
      if (EqualNoCase(v.name, valueName)) return &v;
    return nullptr;
  }
};

struct Opened {
  std::shared_ptr<Key> key;
  REGSAM access;
};
std::map<uintptr_t, std::shared_ptr<Key>> roots;  // by predefined handle value
std::map<uintptr_t, Opened> opened;               // by handle

uintptr_t RootValue(HKEY key) { return reinterpret_cast<uintptr_t>(key); }

// The key behind a handle, or null with the code to return: a handle gives only the
// rights it was opened with (the predefined roots give all).
std::shared_ptr<Key> FromHandle(HKEY hkey, REGSAM right, LSTATUS* error) {
  *error = ERROR_INVALID_HANDLE;
  auto r = roots.find(RootValue(hkey));
  if (r != roots.end()) return r->second;
  auto o = opened.find(RootValue(hkey));
  if (o == opened.end() || !IsHandle(HandleKind::Key, o->first)) return nullptr;
  if (o->second.key->deleted) {
    *error = ERROR_KEY_DELETED;
    return nullptr;
  }
  if ((o->second.access & right) != right) {
    *error = ERROR_ACCESS_DENIED;
    return nullptr;
  }
  return o->second.key;
}

// The specific rights a requested mask stands for.
REGSAM MapAccess(REGSAM access, const Key& key) {
  REGSAM mapped = access & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL |
                             MAXIMUM_ALLOWED | KEY_WOW64_32KEY | KEY_WOW64_64KEY);
  if (access & GENERIC_READ) mapped |= KEY_READ;
  if (access & GENERIC_WRITE) mapped |= KEY_WRITE;
  if (access & GENERIC_EXECUTE) mapped |= KEY_EXECUTE;
  if (access & GENERIC_ALL) mapped |= KEY_ALL_ACCESS;
  if (access & MAXIMUM_ALLOWED) mapped |= key.allowed;
  return mapped;
}

std::vector<std::string> SplitPath(const char* path) {
  std::vector<std::string> parts;
  std::string part;
  for (const char* p = path ? path : ""; *p; ++p) {
    if (*p == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += *p;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// Walks from `from` along `path`; creates missing keys when `create` is set.
std::shared_ptr<Key> Walk(std::shared_ptr<Key> from, const char* path, bool create, bool* created) {
  if (created) *created = false;
  std::shared_ptr<Key> key = from;
  for (const std::string& part : SplitPath(path)) {
    auto it = key->subkeys.find(Upper(part));
    if (it == key->subkeys.end()) {
      if (!create) return nullptr;
      auto child = std::make_shared<Key>();
      child->name = part;
      key->subkeys[Upper(part)] = child;
      if (created) *created = true;
      key = child;
    } else {
      key = it->second;
    }
  }
  return key;
}

// A handle with the requested rights, or null when the key's security refuses one.
HKEY Open(std::shared_ptr<Key> key, REGSAM access) {
  REGSAM rights = MapAccess(access, *key);
  if ((rights & key->allowed) != rights) return nullptr;
  uintptr_t handle = NewHandle(HandleKind::Key);
  opened[handle] = Opened{key, rights};
  return reinterpret_cast<HKEY>(handle);
}

std::shared_ptr<Key> RootOf(HKEY root) {
  auto r = roots.find(RootValue(root));
  return r == roots.end() ? nullptr : r->second;
}

}  // namespace

void ResetRegistry() {
  roots.clear();
  opened.clear();
  for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                    HKEY_CURRENT_CONFIG})
    roots[RootValue(root)] = std::make_shared<Key>();
}

void RebootRegistry() { opened.clear(); }

namespace {
void ListKey(const Key& key, const std::string& path, std::vector<std::string>& out) {
  if (key.values.empty() && key.subkeys.empty()) out.push_back(path);
  for (const Key::Value& value : key.values) out.push_back(path + value.name);
  for (const auto& sub : key.subkeys) ListKey(*sub.second, path + sub.second->name + "\\", out);
}
}  // namespace

std::vector<std::string> RegistryListing(HKEY root) {
  WINSIM_LOCK;
  std::vector<std::string> out;
  if (auto base = RootOf(root)) ListKey(*base, "", out);
  return out;
}

bool KeyExists(HKEY root, const std::string& path) {
  WINSIM_LOCK;
  auto base = RootOf(root);
  return base && Walk(base, path.c_str(), false, nullptr) != nullptr;
}

bool GetValue(HKEY root, const std::string& path, const std::string& name, DWORD* type,
              std::string* data) {
  WINSIM_LOCK;
  auto base = RootOf(root);
  auto key = base ? Walk(base, path.c_str(), false, nullptr) : nullptr;
  Key::Value* value = key ? key->FindValue(name) : nullptr;
  if (!value) return false;
  if (type) *type = value->type;
  if (data) *data = value->data;
  return true;
}

bool GetDword(HKEY root, const std::string& path, const std::string& name, DWORD* value) {
  DWORD type = 0;
  std::string data;
  if (!GetValue(root, path, name, &type, &data) || type != REG_DWORD || data.size() != 4) return false;
  *value = static_cast<DWORD>(static_cast<unsigned char>(data[0])) |
           static_cast<DWORD>(static_cast<unsigned char>(data[1])) << 8 |
           static_cast<DWORD>(static_cast<unsigned char>(data[2])) << 16 |
           static_cast<DWORD>(static_cast<unsigned char>(data[3])) << 24;
  return true;
}

std::vector<std::string> RegistryValueNames(HKEY root, const std::string& path) {
  WINSIM_LOCK;
  std::vector<std::string> names;
  auto base = RootOf(root);
  auto key = base ? Walk(base, path.c_str(), false, nullptr) : nullptr;
  if (key)
    for (const Key::Value& value : key->values) names.push_back(value.name);
  return names;
}

void DeleteRegistryValue(HKEY root, const std::string& path, const std::string& name) {
  WINSIM_LOCK;
  auto base = RootOf(root);
  auto key = base ? Walk(base, path.c_str(), false, nullptr) : nullptr;
  if (!key) return;
  for (auto it = key->values.begin(); it != key->values.end(); ++it) {
    if (EqualNoCase(it->name, name)) {
      key->values.erase(it);
      return;
    }
  }
}

void ProtectKey(HKEY root, const std::string& path, REGSAM allowed) {
  WINSIM_LOCK;
  Walk(RootOf(root), path.c_str(), true, nullptr)->allowed = allowed;
}

void SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::string& data) {
  WINSIM_LOCK;
  auto key = Walk(RootOf(root), path.c_str(), true, nullptr);
  if (Key::Value* value = key->FindValue(name)) {
    value->type = type;
    value->data = data;
  } else {
    key->values.push_back(Key::Value{name, type, data});
  }
}

}  // namespace winsim

using namespace winsim;

extern "C" {

LSTATUS WINAPI RegOpenKeyExA(HKEY hkey, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegOpenKeyExA", subKey)) return static_cast<LSTATUS>(fault);
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  LSTATUS error;
  // Opening checks the key's own security, not the rights of the handle it starts from.
  auto base = FromHandle(hkey, 0, &error);
  if (!base) return error;
  auto key = Walk(base, subKey, false, nullptr);
  if (!key) return ERROR_FILE_NOT_FOUND;
  *result = Open(key, access);
  return *result ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hkey, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access,
                               LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegCreateKeyExA", subKey)) return static_cast<LSTATUS>(fault);
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  LSTATUS error;
  auto base = FromHandle(hkey, 0, &error);
  if (!base) return error;
  if (subKey && subKey[0] == '\\') return ERROR_BAD_PATHNAME;
  // A missing key is created only under a parent whose security allows new subkeys.
  std::shared_ptr<Key> key = base;
  bool created = false;
  for (const std::string& part : SplitPath(subKey)) {
    auto it = key->subkeys.find(Upper(part));
    if (it != key->subkeys.end()) {
      key = it->second;
      continue;
    }
    if (!(key->allowed & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    key = Walk(key, part.c_str(), true, nullptr);
    created = true;
  }
  *result = Open(key, access);
  if (!*result) return ERROR_ACCESS_DENIED;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY hkey) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegCloseKey")) return static_cast<LSTATUS>(fault);
  if (roots.count(reinterpret_cast<uintptr_t>(hkey))) return ERROR_SUCCESS;
  uintptr_t handle = reinterpret_cast<uintptr_t>(hkey);
  if (!ReleaseHandle(HandleKind::Key, handle)) return ERROR_INVALID_HANDLE;
  opened.erase(handle);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY hkey, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data,
                                LPDWORD size) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegQueryValueExA", name)) return static_cast<LSTATUS>(fault);
  LSTATUS error;
  auto key = FromHandle(hkey, KEY_QUERY_VALUE, &error);
  if (!key) return error;
  if (data && !size) return ERROR_INVALID_PARAMETER;
  Key::Value* value = key->FindValue(name ? name : "");
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  DWORD needed = static_cast<DWORD>(value->data.size());
  if (!size) return ERROR_SUCCESS;
  if (!data) {
    *size = needed;
    return ERROR_SUCCESS;
  }
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  value->data.copy(reinterpret_cast<char*>(data), needed);
  *size = needed;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY hkey, LPCSTR name, DWORD, DWORD type, const BYTE* data,
                              DWORD size) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegSetValueExA", name)) return static_cast<LSTATUS>(fault);
  LSTATUS error;
  auto key = FromHandle(hkey, KEY_SET_VALUE, &error);
  if (!key) return error;
  if (!data && size) return ERROR_NOACCESS;
  std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
  if (Key::Value* value = key->FindValue(name ? name : "")) {
    value->type = type;
    value->data = bytes;
  } else {
    key->values.push_back(Key::Value{name ? name : "", type, bytes});
  }
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteKeyA(HKEY hkey, LPCSTR subKey) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegDeleteKeyA", subKey)) return static_cast<LSTATUS>(fault);
  LSTATUS error;
  auto base = FromHandle(hkey, 0, &error);
  if (!base) return error;
  std::vector<std::string> parts = SplitPath(subKey);
  if (parts.empty()) return ERROR_ACCESS_DENIED;
  std::string last = parts.back();
  parts.pop_back();
  std::shared_ptr<Key> parent = base;
  for (const std::string& part : parts) {
    auto it = parent->subkeys.find(Upper(part));
    if (it == parent->subkeys.end()) return ERROR_FILE_NOT_FOUND;
    parent = it->second;
  }
  auto it = parent->subkeys.find(Upper(last));
  if (it == parent->subkeys.end()) return ERROR_FILE_NOT_FOUND;
  if (!it->second->subkeys.empty() || !(it->second->allowed & DELETE)) return ERROR_ACCESS_DENIED;
  it->second->deleted = true;
  parent->subkeys.erase(it);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteValueA(HKEY hkey, LPCSTR name) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegDeleteValueA", name)) return static_cast<LSTATUS>(fault);
  LSTATUS error;
  auto key = FromHandle(hkey, KEY_SET_VALUE, &error);
  if (!key) return error;
  for (auto it = key->values.begin(); it != key->values.end(); ++it) {
    if (EqualNoCase(it->name, name ? name : "")) {
      key->values.erase(it);
      return ERROR_SUCCESS;
    }
  }
  return ERROR_FILE_NOT_FOUND;
}

LSTATUS WINAPI RegEnumValueA(HKEY hkey, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD,
                             LPDWORD type, LPBYTE data, LPDWORD size) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegEnumValueA")) return static_cast<LSTATUS>(fault);
  LSTATUS error;
  auto key = FromHandle(hkey, KEY_QUERY_VALUE, &error);
  if (!key) return error;
  if (!name || !nameLength) return ERROR_INVALID_PARAMETER;
  if (index >= key->values.size()) return ERROR_NO_MORE_ITEMS;
  const Key::Value& value = key->values[index];
  if (value.name.size() >= *nameLength) return ERROR_MORE_DATA;
  value.name.copy(name, value.name.size());
  name[value.name.size()] = '\0';
  *nameLength = static_cast<DWORD>(value.name.size());
  if (type) *type = value.type;
  if (size) {
    DWORD needed = static_cast<DWORD>(value.data.size());
    if (data && *size < needed) {
      *size = needed;
      return ERROR_MORE_DATA;
    }
    if (data) value.data.copy(reinterpret_cast<char*>(data), needed);
    *size = needed;
  }
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumKeyA(HKEY hkey, DWORD index, LPSTR name, DWORD nameLength) {
  WINSIM_LOCK;
  if (DWORD fault = TakeFault("RegEnumKeyA")) return static_cast<LSTATUS>(fault);
  LSTATUS error;
  auto key = FromHandle(hkey, KEY_ENUMERATE_SUB_KEYS, &error);
  if (!key) return error;
  if (index >= key->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  auto it = key->subkeys.begin();
  std::advance(it, index);
  const std::string& subName = it->second->name;
  if (!name || subName.size() >= nameLength) return ERROR_MORE_DATA;
  subName.copy(name, subName.size());
  name[subName.size()] = '\0';
  return ERROR_SUCCESS;
}

}  // extern "C"
