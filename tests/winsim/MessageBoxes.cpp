// MessageBoxA: recorded and answered from the test's script instead of waiting for a user.
#include "winsim/Machine.h"
#include "winsim/MessageBoxControl.h"

#include <deque>

namespace winsim {
namespace {
struct MessageBoxState {
  std::deque<int> answers;
  std::vector<MessageBoxRecord> shown;
};
MessageBoxState boxes;

int FirstButton(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    default:
      return IDOK;
  }
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
  if (boxes.answers.empty()) return FirstButton(type);
  int answer = boxes.answers.front();
  boxes.answers.pop_front();
  return answer;
}
