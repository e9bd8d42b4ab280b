// Test control of the simulated MessageBoxA: every box is recorded and answered from a script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winsim {

struct MessageBoxRecord {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

// Answers for the next boxes, in order; an answer that is no button of its box fails the
// test. When the script is used up a box answers with its default button (the first, or
// the one MB_DEFBUTTON2/3/4 names), as if the user pressed Enter.
void ScriptMessageBoxAnswers(const std::vector<int>& answers);
std::vector<MessageBoxRecord> MessageBoxes();
// Texts only, for short assertions.
std::vector<std::string> MessageBoxTexts();

}  // namespace winsim
