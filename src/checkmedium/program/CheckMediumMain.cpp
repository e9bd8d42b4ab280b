// checkmedium.exe [MEDIUM_DIR]: checks a driver medium (the working directory when no
// directory is given) and prints one line per finding; the exit code sums the result up.
#include "checkmedium/MediumCheck.h"

#include <windows.h>

namespace {

void WriteLine(HANDLE out, const std::string& line) {
  std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (argc > 2) {
    WriteLine(out, "usage: checkmedium [MEDIUM_DIR]");
    return MediumUnreadable;
  }
  FindingList findings;
  int result = CheckMedium(argc == 2 ? argv[1] : "", &findings);
  int errors = 0, warnings = 0;
  for (const Finding& finding : findings.All()) {
    WriteLine(out, FormatFinding(finding));
    (finding.severity == ErrorFinding ? errors : warnings) += 1;
  }
  WriteLine(out,
            Text("checkmedium: %d error(s), %d warning(s), exit %d", errors, warnings, result));
  return result;
}
