#include "common/FileVersion.h"

#include "common/BoundedText.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {
const char kNoVersion[] = "0.0.0.0";
}

std::string GetFileVersionText(const char* path) {
  std::string result = kNoVersion;
  if (!path) return result;
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return result;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data())) return result;

  void* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "VarFileInfo\\Translation", &translation, &length) ||
      !translation || length < 4)
    return result;
  WORD pair[2];
  memcpy(pair, translation, sizeof pair);

  char query[64];
  FormatText(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion", pair[0], pair[1]);
  void* text = nullptr;
  if (!VerQueryValueA(block.data(), query, &text, &length) || !text || length == 0) return result;
  // The text lies inside the block; never read past its end, terminated or not.
  const unsigned char* start = static_cast<const unsigned char*>(text);
  const unsigned char* end = block.data() + block.size();
  if (start < block.data() || start >= end) return result;
  size_t available = static_cast<size_t>(end - start);
  const void* nul = memchr(start, '\0', available);
  size_t textLength =
      nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - start) : available;
  if (textLength > 0) result.assign(reinterpret_cast<const char*>(start), textLength);
  return result;
}

int VersionNumber(const std::string& text) {
  int number = 0;
  for (size_t position = 0; position <= 6 && position < text.size(); position += 2) {
    char c = text[position];
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  return number;
}
