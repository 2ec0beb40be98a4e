// The text checks at the library's boundary and the form values take in messages.
#include "src/quillstone/server/TextGuard.h"

#include <gtest/gtest.h>

#include <string>

#include "quillstone/server/modFunctionDefine.h"
#include "support/CaughtError.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

TEST(TextGuardTest, RefusesWhatOneBackendWouldCutOrRefuse) {
  EXPECT_NE(FailureText([] { TextGuard::RequireStorable(std::string("LO\0T01", 6), "批号"); }, "Error").find("批号"),
            std::string::npos);
  for (const std::string bad : {"\xff", "\xc0\xaf", "\xed\xa0\x80", "ab\xe4\xb8", "\xf4\x90\x80\x80"}) {
    EXPECT_FALSE(TextGuard::IsValidUtf8(bad)) << bad;
    EXPECT_NE(FailureText([&] { TextGuard::RequireStorable(bad, "规则名称"); }, "Error").find("UTF-8"),
              std::string::npos);
  }
  EXPECT_TRUE(TextGuard::IsValidUtf8("男士衬衫 😀 ok"));
}

TEST(TextGuardTest, CodesHoldOnlyCharactersOfTheCodePage) {
  EXPECT_EQ(TextGuard::FirstForeignChar("批号B1-衬衫"), "");
  EXPECT_EQ(TextGuard::FirstForeignChar("😀abcde"), "😀");
  EXPECT_EQ(TextGuard::FirstForeignChar("ab\xe0\xb8\x81"), "\xe0\xb8\x81");  // Thai
  const std::string message = FailureText([] { TextGuard::RequireCodeText("😀A", "固定值", 10); }, "Error");
  EXPECT_NE(message.find("固定值"), std::string::npos);
  EXPECT_NE(message.find("CP936"), std::string::npos);
}

TEST(TextGuardTest, LengthsCountCharactersAsTheColumnsDo) {
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += "衫";  // 120 bytes in the code page, 180 in UTF-8
  TextGuard::RequireFits(sixty, "规则编码", 60);
  EXPECT_EQ(TextGuard::CharCount("衬衫ab"), 4u);
  const std::string message =
      FailureText([] { TextGuard::RequireFits(std::string(61, 'x'), "规则编码", 60); }, "Error");
  EXPECT_NE(message.find("61"), std::string::npos);
  EXPECT_NE(message.find("60"), std::string::npos);
}

TEST(TextGuardTest, EchoIsOneShortLine) {
  EXPECT_EQ(TextGuard::Echo("a\tb\nc\x1b[2Jd\x7f"), "a\\tb\\nc\\x1B[2Jd\\x7F");
  EXPECT_EQ(TextGuard::Echo("x\xc2\x9b"
                            "y\xff"),
            "x\\u009By\\xFF");
  const std::string echoed = TextGuard::Echo(std::string(100000, 'z'));
  EXPECT_EQ(echoed, std::string(TextGuard::kEchoLimit, 'z') + "…");
  std::string chinese;
  for (int i = 0; i < 300; ++i) chinese += "衫";
  EXPECT_EQ(TextGuard::CharCount(TextGuard::Echo(chinese)), TextGuard::kEchoLimit + 1);
}

TEST(TextGuardTest, MessagesOfHugeValuesAreCut) {
  EXPECT_EQ(TextGuard::Bounded("条形码'X'不存在"), "条形码'X'不存在");
  const std::string bounded = TextGuard::Bounded("条形码'" + std::string(100000, 'Z') + "'不存在");
  const std::size_t cut = bounded.find("…(共100008个字符)");
  ASSERT_NE(cut, std::string::npos);
  EXPECT_EQ(TextGuard::CharCount(bounded.substr(0, cut)), TextGuard::kMessageLimit);
  // Every raised message goes through it.
  EXPECT_LT(FailureText([] { RaiseError(std::string(50000, 'x')); }, "Error").size(), 1000u);
}

}  // namespace
