// The one case-insensitive comparison of both programs and the checker. Only the ASCII
// letters fold: model names, port names, INI sections and switches are compared byte by byte
// as Windows 98's profile functions compare them, whatever the user's code page.
#pragma once

#include <string>

// The byte with an ASCII capital letter made small, as an unsigned value.
int LowerAscii(char c);
// The text with its ASCII small letters made capital.
std::string UpperAscii(std::string text);
bool EqualNoCase(const char* a, const char* b);
inline bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EqualNoCase(a.c_str(), b.c_str());
}
// True when `text` begins with `prefix` (an empty prefix begins every text).
bool StartsWithNoCase(const char* text, const char* prefix);
// The order of the model lists: by the folded bytes, a shorter text before the longer it begins.
bool LessNoCase(const std::string& a, const std::string& b);
