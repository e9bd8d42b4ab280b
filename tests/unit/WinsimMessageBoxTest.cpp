#include "winsim/MessageBoxControl.h"
#include "winsim/winsim.h"

#include <gtest/gtest-spi.h>
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

TEST(WinsimMessageBoxTest, AnUnscriptedBoxAnswersWithItsDefaultButton) {
  winsim::Reset();
  EXPECT_EQ(MessageBoxA(nullptr, "a", "setup", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "b", "setup", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3), IDIGNORE);
  EXPECT_EQ(MessageBoxA(nullptr, "c", "setup", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "d", "setup", MB_OK | MB_DEFBUTTON2), IDOK)
      << "a default beyond the buttons falls back to the first";
  EXPECT_EQ(MessageBoxA(nullptr, "e", "setup", MB_RETRYCANCEL | MB_DEFBUTTON3), IDRETRY);
}

TEST(WinsimMessageBoxTest, AScriptedAnswerThatIsNoButtonOfTheBoxFailsTheTest) {
  winsim::Reset();
  winsim::ScriptMessageBoxAnswers({IDCANCEL, IDYES});
  EXPECT_NONFATAL_FAILURE(MessageBoxA(nullptr, "only OK", "setup", MB_OK),
                          "scripted answer 2 is no button");
  EXPECT_NONFATAL_FAILURE(MessageBoxA(nullptr, "retry?", "setup", MB_RETRYCANCEL),
                          "scripted answer 6 is no button");
}

}  // namespace
