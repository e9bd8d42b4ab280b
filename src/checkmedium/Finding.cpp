#include "checkmedium/Finding.h"

#include "common/BoundedText.h"

#include <cstdarg>

void FindingList::Add(int severity, const char* code, const std::string& file,
                      const std::string& section, const std::string& key, const std::string& text) {
  for (const Finding& known : findings)
    if (known.code == code && known.file == file && known.section == section && known.key == key &&
        known.text == text)
      return;
  findings.push_back(Finding{severity, code, file, section, key, text});
}

int FindingList::Result() const {
  int result = MediumClean;
  for (const Finding& finding : findings) {
    if (finding.severity == ErrorFinding) return MediumErrors;
    result = MediumWarnings;
  }
  return result;
}

std::string FormatFinding(const Finding& finding) {
  std::string line = finding.severity == ErrorFinding ? "error " : "warning ";
  line += finding.code + " " + finding.file;
  line += " [" + (finding.section.empty() ? std::string("-") : finding.section) + "] ";
  line += (finding.key.empty() ? std::string("-") : finding.key) + ": " + finding.text;
  // One finding is one line, whatever the medium's texts hold.
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  return line;
}

std::string Text(const char* format, ...) {
  char buffer[1000];
  va_list args;
  va_start(args, format);
  FormatTextV(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}
