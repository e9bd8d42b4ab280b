// MessageBoxA: recorded and answered from the test's script instead of waiting for a user.
#include "winsim/Machine.h"
#include "winsim/MessageBoxControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace winsim {
namespace {
struct MessageBoxState {
  std::deque<int> answers;
  std::vector<MessageBoxRecord> shown;
};
MessageBoxState boxes;

std::vector<int> Buttons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
      return {IDOK};
  }
}

// The button Enter presses: MB_DEFBUTTON2/3/4 name the second to fourth, and a box with
// fewer buttons makes its first one the default.
int DefaultButton(UINT type) {
  std::vector<int> buttons = Buttons(type);
  size_t index = (type & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons[0];
}
}  // namespace

void ResetMessageBoxes() { boxes = MessageBoxState(); }

void ScriptMessageBoxAnswers(const std::vector<int>& answers) {
  WINSIM_LOCK;
  boxes.answers.assign(answers.begin(), answers.end());
}

std::vector<MessageBoxRecord> MessageBoxes() {
  WINSIM_LOCK;
  return boxes.shown;
}

std::vector<std::string> MessageBoxTexts() {
  WINSIM_LOCK;
  std::vector<std::string> texts;
  for (const MessageBoxRecord& box : boxes.shown) texts.push_back(box.text);
  return texts;
}

}  // namespace winsim

using namespace winsim;

extern "C" INT WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  WINSIM_LOCK;
  if (FailsNow("MessageBoxA", text)) return 0;
  // A null caption shows as "Error" on Windows.
  boxes.shown.push_back(
      MessageBoxRecord{owner, text ? text : "", caption ? caption : "Error", type});
  if (boxes.answers.empty()) return DefaultButton(type);
  int answer = boxes.answers.front();
  boxes.answers.pop_front();
  std::vector<int> buttons = Buttons(type);
  if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
    ADD_FAILURE() << "scripted answer " << answer << " is no button of the box \""
                  << (text ? text : "") << "\" (type 0x" << std::hex << type << ")";
  return answer;
}
