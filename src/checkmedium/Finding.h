// What the medium check reports: one finding per fault, with where it is and what setup or
// uninstall would do with it.
#pragma once

#include <string>
#include <vector>

enum FindingClass { WarningFinding = 1, ErrorFinding = 2 };

// Exit codes of checkmedium.
enum CheckResult { MediumClean = 0, MediumWarnings = 1, MediumErrors = 2, MediumUnreadable = 3 };

struct Finding {
  int severity;         // FindingClass
  std::string code;     // stable name of the kind of fault, e.g. "missing-file"
  std::string file;     // relative to the medium, e.g. "DRVCONFIG\setup.ini"
  std::string section;  // "" when the finding concerns the whole file
  std::string key;      // "" when it concerns a whole section or file
  std::string text;     // what setup or uninstall does with it
};

// The findings of one run, each reported once however many models, systems and driver modes
// lead to it.
class FindingList {
 public:
  void Add(int severity, const char* code, const std::string& file, const std::string& section,
           const std::string& key, const std::string& text);
  const std::vector<Finding>& All() const { return findings; }
  // MediumClean, MediumWarnings or MediumErrors.
  int Result() const;

 private:
  std::vector<Finding> findings;
};

// One output line: "<error|warning> <code> <file> [<section>] <key>: <text>", with "-" for a
// missing section or key.
std::string FormatFinding(const Finding& finding);

// printf-style text for findings, cut at 1000 characters.
std::string Text(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
