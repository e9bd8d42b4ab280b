#include "wizard/LicenseText.h"

#include <windows.h>

#include <new>

const char kLicenseFile[] = "License.txt";

LicenseText::~LicenseText() { Release(); }

void LicenseText::Release() {
  delete[] text;
  text = nullptr;
}

LicenseLoad LicenseText::Load(const char* path) {
  Release();
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LicenseMissing;
  DWORD size = SetFilePointer(file, 0, nullptr, FILE_END);
  // A size that cannot be found is read as an empty text rather than a huge allocation.
  if (size == INVALID_SET_FILE_POINTER) size = 0;
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  text = new (std::nothrow) char[static_cast<size_t>(size) + 1]();
  if (!text) {
    CloseHandle(file);
    return LicenseNoMemory;
  }
  DWORD total = 0;
  while (total < size) {
    DWORD read = 0;
    if (!ReadFile(file, text + total, size - total, &read, nullptr) || read == 0) break;
    total += read;
  }
  CloseHandle(file);
  return LicenseLoaded;
}
