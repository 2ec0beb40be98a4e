#include "quillstone/platform/Ansi.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

TEST(Ansi, LengthsCountChineseAsTwoBytes) {
  EXPECT_EQ(AnsiLength(""), 0);
  EXPECT_EQ(AnsiLength("AB12"), 4);
  EXPECT_EQ(AnsiLength("中"), 2);
  EXPECT_EQ(AnsiLength("批号B1"), 6);
  EXPECT_EQ(AnsiLength("，"), 2);  // full-width comma
}

TEST(Ansi, UnrepresentableAndInvalidInputCountOneBytePerQuestionMark) {
  EXPECT_EQ(ToAnsi("😀"), "?");      // not in the code page
  EXPECT_EQ(AnsiLength("a😀b"), 3);
  EXPECT_EQ(ToAnsi(std::string("a\xff") + "b"), "a?b");  // invalid UTF-8
  EXPECT_EQ(ToAnsi("\xe4\xb8"), "??");                    // truncated sequence
}

TEST(Ansi, RoundTripAndCuts) {
  std::string text = "仓库A01";
  EXPECT_EQ(FromAnsi(ToAnsi(text)), text);
  EXPECT_EQ(AnsiMid(text, 1, 2), "仓");
  EXPECT_EQ(AnsiMid(text, 5, 3), "A01");
  EXPECT_EQ(AnsiMid(text, 6, 10), "01");   // past the end: what exists
  EXPECT_EQ(AnsiMid(text, 20, 2), "");
  EXPECT_EQ(AnsiMid(text, 0, 2), "");
  // A cut through the middle of a double-byte character gives "?" for the half.
  EXPECT_EQ(AnsiMid(text, 2, 3), "?库");
  EXPECT_EQ(AnsiMid("中", 1, 1), "?");
}

TEST(Ansi, CodePageCanBeChanged) {
  EXPECT_FALSE(SetAnsiCodePage("NO-SUCH-PAGE"));
  EXPECT_EQ(AnsiCodePage(), "CP936");
  ASSERT_TRUE(SetAnsiCodePage("UTF-8"));
  EXPECT_EQ(AnsiLength("中"), 3);
  ASSERT_TRUE(SetAnsiCodePage("CP936"));
  EXPECT_EQ(AnsiLength("中"), 2);
}

}  // namespace
}  // namespace quillstone
