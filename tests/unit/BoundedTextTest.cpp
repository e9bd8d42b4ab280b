#include "common/BoundedText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A buffer with guard bytes on both sides: any write outside the field shows.
struct Guarded {
  char before[8];
  char field[8];
  char after[8];
  Guarded() {
    memset(before, 'B', sizeof before);
    memset(field, 'F', sizeof field);
    memset(after, 'A', sizeof after);
  }
  bool GuardsIntact() const {
    return std::string(before, 8) == std::string(8, 'B') && std::string(after, 8) == std::string(8, 'A');
  }
};

TEST(BoundedTextTest, CopyCutsToCapacityMinusOneAndTerminates) {
  Guarded g;
  EXPECT_EQ(CopyText(g.field, "0123456789"), 0);
  EXPECT_STREQ(g.field, "0123456");
  EXPECT_TRUE(g.GuardsIntact());
  EXPECT_EQ(CopyText(g.field, "0123456"), 1);
  EXPECT_STREQ(g.field, "0123456");
  EXPECT_EQ(CopyText(g.field, nullptr), 1);
  EXPECT_STREQ(g.field, "");
  EXPECT_EQ(CopyText(g.field, 0, "x"), 0);
  EXPECT_EQ(g.field[0], '\0') << "capacity 0 writes nothing";
  EXPECT_TRUE(g.GuardsIntact());
}

TEST(BoundedTextTest, AppendStopsAtTheSameCapacity) {
  Guarded g;
  CopyText(g.field, "abc");
  EXPECT_EQ(AppendText(g.field, "de"), 1);
  EXPECT_STREQ(g.field, "abcde");
  EXPECT_EQ(AppendText(g.field, "fghij"), 0);
  EXPECT_STREQ(g.field, "abcdefg");
  EXPECT_EQ(AppendText(g.field, "z"), 0);
  EXPECT_STREQ(g.field, "abcdefg");
  // A field that lost its terminator is ended at its last byte, not read past.
  memset(g.field, 'x', sizeof g.field);
  EXPECT_EQ(AppendText(g.field, "y"), 0);
  EXPECT_STREQ(g.field, "xxxxxxx");
  EXPECT_TRUE(g.GuardsIntact());
}

TEST(BoundedTextTest, FormatCutsLongArgumentsAndReportsIt) {
  Guarded g;
  EXPECT_EQ(FormatText(g.field, sizeof g.field, "er = %d", 5), 1);
  EXPECT_STREQ(g.field, "er = 5");
  std::string path(300, 'p');
  EXPECT_EQ(FormatText(g.field, sizeof g.field, "%s%s", "copy ", path.c_str()), 0);
  EXPECT_STREQ(g.field, "copy pp");
  EXPECT_TRUE(g.GuardsIntact());
}

}  // namespace
