// File versions from version resources.
#pragma once

#include <string>

// The "FileVersion" text of the first language/code-page pair of the file's version
// resource; "0.0.0.0" when the file, the resource, its translation table or the text is
// missing or empty.
std::string GetFileVersionText(const char* path);

// The digits at positions 0, 2, 4 and 6 of a version text ("1.0.0.5" -> 1005).
int VersionNumber(const std::string& text);
