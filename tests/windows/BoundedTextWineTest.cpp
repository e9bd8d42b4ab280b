// FormatText on the system runtime's formatter, which answers a cut text differently from C99's.
#include "common/BoundedText.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(BoundedTextWineTest, FormatTextCutsAtTheFieldAndTerminatesOnTheSystemRuntime) {
  struct {
    char field[12];
    char after[4];
  } g;
  memset(g.after, 'A', sizeof g.after);
  memset(g.field, 'x', sizeof g.field);
  EXPECT_EQ(FormatText(g.field, sizeof g.field, "%s-%d", "QM-A210", 7), 1);
  EXPECT_STREQ(g.field, "QM-A210-7");
  // Exactly the capacity, and more: the runtime leaves both unterminated.
  EXPECT_EQ(FormatText(g.field, sizeof g.field, "%s", "0123456789AB"), 0);
  EXPECT_STREQ(g.field, "0123456789A");
  EXPECT_EQ(FormatText(g.field, sizeof g.field, "%s%s", "0123456789", "ABCDEF"), 0);
  EXPECT_STREQ(g.field, "0123456789A");
  EXPECT_EQ(memcmp(g.after, "AAAA", 4), 0);
  char settings[16];
  EXPECT_EQ(FormatText(settings, sizeof settings, "%d,%c,%d,%.1f,%c", 9600, 'e', 7, 1.5, 'x'), 1);
  EXPECT_STREQ(settings, "9600,e,7,1.5,x");
}
