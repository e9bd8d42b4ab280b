// The licence text of the licence page, read as the raw bytes of "License.txt" in the
// working directory. CLicensePage loads it at initialisation: LicenseMissing means message
// IDS_CANNOT_LOAD_LICENSE_TXT and the frame's Cancel; otherwise it sets Text() into control
// IDC_LICENSE_TEXT (empty when there was no memory for it, without a message).
#pragma once

#include <cstddef>

enum LicenseLoad { LicenseLoaded = 0, LicenseMissing = 1, LicenseNoMemory = 2 };

class LicenseText {
 public:
  LicenseText() = default;
  ~LicenseText();
  LicenseText(const LicenseText&) = delete;
  LicenseText& operator=(const LicenseText&) = delete;

  LicenseLoad Load(const char* path);
  // The bytes up to the first NUL, "" before a load or after a failed one.
  const char* Text() const { return text ? text : ""; }
  void Release();

 private:
  char* text = nullptr;
};

extern const char kLicenseFile[];  // "License.txt"
