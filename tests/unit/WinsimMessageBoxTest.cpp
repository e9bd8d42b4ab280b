#include "winsim/MessageBoxControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest.h>

namespace {

TEST(WinsimMessageBoxTest, ScriptedAnswersComeFirstThenTheFirstButton) {
  winsim::Reset();
  winsim::ScriptMessageBoxAnswers({IDNO, IDCANCEL});
  EXPECT_EQ(MessageBoxA(nullptr, "one", "setup", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "two", "setup", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "three", "setup", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "four", nullptr, MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "five", "x", MB_RETRYCANCEL), IDRETRY);

  auto boxes = winsim::MessageBoxes();
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[2].text, "three");
  EXPECT_EQ(boxes[2].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(boxes[3].caption, "Error");
  winsim::Reset();
  EXPECT_TRUE(winsim::MessageBoxes().empty());
}

}  // namespace
