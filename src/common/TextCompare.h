// The one case-insensitive comparison of both programs and the checker. Only the ASCII
// letters fold: model names, port names, INI sections and switches are compared byte by byte
// as Windows 98's profile functions compare them, whatever the user's code page. Defined here
// so that each program carries only the comparisons it uses.
#pragma once

#include <string>

// The byte with an ASCII capital letter made small, as an unsigned value.
inline int LowerAscii(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

// The text with its ASCII small letters made capital.
inline std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

inline bool EqualNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  return *a == *b;
}
inline bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EqualNoCase(a.c_str(), b.c_str());
}

// True when `text` begins with `prefix` (an empty prefix begins every text).
inline bool StartsWithNoCase(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix)
    if (!*text || LowerAscii(*text) != LowerAscii(*prefix)) return false;
  return true;
}

// The order of the model lists: by the folded bytes, a shorter text before the longer it begins.
inline bool LessNoCase(const std::string& a, const std::string& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    int x = LowerAscii(a[i]), y = LowerAscii(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}
