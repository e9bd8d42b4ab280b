// The one way both programs touch the registry: the owner of one open key.
#pragma once

#include <windows.h>

class RegKey {
 public:
  RegKey();
  RegKey(HKEY root, const char* subKey);
  ~RegKey();
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  int Open(HKEY root, const char* subKey);
  int Close();
  int IsOpen() const;

  // `returned`, when given, receives the length of the data the query returned.
  int QueryValue(const char* name, void* buffer, DWORD size, DWORD* returned = nullptr);
  int QueryDword(const char* name, DWORD* value, DWORD* error = nullptr);
  int QueryString(const char* name, char* buffer, DWORD size, DWORD* error = nullptr);
  // A ";"-separated value as a null-closed array of texts; the caller frees it.
  char** QueryStringList(const char* name, DWORD* error = nullptr);
  static void FreeStringList(char** list);

  int SetValue(const char* name, const void* data, DWORD type, DWORD size);
  int SetDword(const char* name, DWORD value, DWORD* error = nullptr);
  int SetString(const char* name, const char* text, DWORD* error = nullptr);

  static int CreateKey(HKEY root, const char* subKey, const char* className = nullptr);
  static int DeleteKey(HKEY root, const char* subKey);

  LONG EnumValue(DWORD index, char* name, DWORD* nameLength, DWORD* type);

  HKEY Handle() const { return key; }
  DWORD LastError() const { return lastError; }

 private:
  HKEY key;
  DWORD lastError;
};
