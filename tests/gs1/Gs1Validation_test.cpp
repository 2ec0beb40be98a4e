// Every way a label's data can be wrong, each refused with a message that names the AI, and the
// two-digit-year window.
#include <gtest/gtest.h>

#include <string>

#include "quillstone/gs1/Gs1Date.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "support/CaughtError.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

constexpr int kYear = 2026;
const std::string GS(1, Gs1ElementString::kGroupSeparator);

std::string Refusal(const std::string& text) {
  return FailureText([&] { Gs1ElementString::Parse(text, kYear); }, "Error");
}

TEST(Gs1Validation, UnknownAi) {
  EXPECT_EQ(Refusal("(01)09506000134352(23)X"), "未知的GS1应用标识符AI(23)，无法读取其后的数据");
  EXPECT_EQ(Refusal("0109506000134352"
                    "8812"),
            "未知的GS1应用标识符AI(8812)，无法读取其后的数据");
  EXPECT_EQ(Refusal("3106000100"), "未知的GS1应用标识符AI(3106)，无法读取其后的数据");
  EXPECT_EQ(Refusal("https://x.example/01/09506000134352?8888=1"), "未知的GS1应用标识符AI(8888)，无法读取其后的数据");
}

TEST(Gs1Validation, WrongLength) {
  EXPECT_EQ(Refusal("(01)0950600013435"), "AI(01) GTIN的长度应为14位，'0950600013435'为13位");
  EXPECT_EQ(Refusal("(10)123456789012345678901"), "AI(10) BATCH/LOT的长度应为1到20位，'123456789012345678901'为21位");
  EXPECT_EQ(Refusal("(10)(21)A"), "AI(10) BATCH/LOT的长度应为1到20位，''为0位");
  // Raw data cut short inside a field of predefined length.
  EXPECT_EQ(Refusal("]C101095060001343"), "AI(01) GTIN的长度应为14位，'095060001343'为12位");
  EXPECT_EQ(Refusal("(30)123456789"), "AI(30) VAR. COUNT的长度应为1到8位，'123456789'为9位");
}

TEST(Gs1Validation, NonDigitInNumericField) {
  EXPECT_EQ(Refusal("(17)25A231"), "AI(17) USE BY or EXPIRY只能是数字，'25A231'中的'A'不是数字");
  EXPECT_EQ(Refusal("(3103)00 500"), "AI(3103) NET WEIGHT (kg)只能是数字，'00 500'中的' '不是数字");
  // A separator where a field of predefined length still runs is shown, not swallowed.
  EXPECT_EQ(Refusal("0109506" + GS + "00134352"), "AI(01) GTIN只能是数字，'09506<GS>00134352'中的'<GS>'不是数字");
}

TEST(Gs1Validation, CharacterOutsideTheSet) {
  EXPECT_EQ(Refusal("(10)AB#1"), "AI(10) BATCH/LOT的值'AB#1'中的'#'不在GS1的82个字符之内");
  EXPECT_EQ(Refusal("(21)A B"), "AI(21) SERIAL的值'A B'中的' '不在GS1的82个字符之内");
  EXPECT_EQ(Refusal("(400)订单"), "AI(400) ORDER NUMBER的值'订单'中的'订'不在GS1的82个字符之内");
}

TEST(Gs1Validation, WrongCheckDigit) {
  EXPECT_EQ(Refusal("(01)09506000134353"), "AI(01) GTIN的校验位错误：'09506000134353'的最后一位应为2");
  EXPECT_EQ(Refusal("(02)06291041500214"), "AI(02) CONTENT的校验位错误：'06291041500214'的最后一位应为3");
  EXPECT_EQ(Refusal("(00)106141412345678901"), "AI(00) SSCC的校验位错误：'106141412345678901'的最后一位应为8");
  EXPECT_EQ(Refusal("(410)3898765432100"), "AI(410) SHIP TO LOC的校验位错误：'3898765432100'的最后一位应为8");
  EXPECT_EQ(Refusal("(417)5412345000010"), "AI(417) PARTY的校验位错误：'5412345000010'的最后一位应为3");
}

TEST(Gs1Validation, ImpossibleDates) {
  EXPECT_EQ(Refusal("(17)251301"), "AI(17) USE BY or EXPIRY的日期'251301'不存在：月份应为01到12");
  EXPECT_EQ(Refusal("(11)250001"), "AI(11) PROD DATE的日期'250001'不存在：月份应为01到12");
  EXPECT_EQ(Refusal("(15)250231"), "AI(15) BEST BEFORE or BEST BY的日期'250231'不存在：2025年2月没有31日");
  EXPECT_EQ(Refusal("(16)270229"), "AI(16) SELL BY的日期'270229'不存在：2027年2月没有29日");
  EXPECT_EQ(Refusal("(13)250432"), "AI(13) PACK DATE的日期'250432'不存在：2025年4月没有32日");
  // The day 00 is allowed in the dates that may name a month only, not in a date with a time.
  EXPECT_EQ(Refusal("(7003)2512002359"), "AI(7003) EXPIRY TIME的日期'2512002359'不存在：日不能为00");
  EXPECT_EQ(Refusal("(7003)2512312400"), "AI(7003) EXPIRY TIME的时间'2512312400'不存在：小时应为00到23");
  EXPECT_EQ(Refusal("(7003)2512312360"), "AI(7003) EXPIRY TIME的时间'2512312360'不存在：分钟应为00到59");
  for (const char* ok : {"(11)250200", "(13)250200", "(15)250200", "(16)250200", "(17)250200", "(17)280229"})
    EXPECT_NO_THROW(Gs1ElementString::Parse(std::string("(01)09506000134352") + ok, kYear)) << ok;
}

TEST(Gs1Validation, SameAiWithAnotherValue) {
  EXPECT_EQ(Refusal("(10)L1(17)251231(10)L2"), "AI(10) BATCH/LOT出现了两次且值不同：'L1'和'L2'");
  EXPECT_EQ(Refusal("https://x.example/01/09506000134352?01=06291041500213"),
            "AI(01) GTIN出现了两次且值不同：'09506000134352'和'06291041500213'");
}

TEST(Gs1Validation, DataThatIsNoField) {
  EXPECT_EQ(Refusal("0109506000134352XY"), "GS1数据中的'XY'不属于任何字段");
  EXPECT_EQ(Refusal("01095060001343527"), "GS1数据中的'7'不属于任何字段");
  EXPECT_EQ(Refusal("010950600013435224"), "GS1数据中的'24'不属于任何字段");
  EXPECT_EQ(Refusal(" ABC(01)09506000134352"), "GS1数据中的'ABC(01)09506000134352'不属于任何字段");
  EXPECT_EQ(Refusal("(01"), "GS1数据中'(01'的'('后缺少')'");
}

TEST(Gs1Validation, FormsThatCarryNoGs1Data) {
  EXPECT_EQ(Refusal(" \r\n"), "GS1数据为空");
  EXPECT_EQ(Refusal("]E00012345678905"), "符号标识符']E0'表示的不是GS1数据，GS1数据的符号标识符是]C1、]d2、]Q3或]e0");
  EXPECT_EQ(Refusal("]C1" + GS), "GS1数据']C1<GS>'中没有任何字段");
  EXPECT_EQ(Refusal("https://example.com/products/123?x=1"),
            "GS1数字链接'https://example.com/products/123?x=1'的路径中没有GS1数字链接的主键AI(如00、01、414)");
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352/17/251231"),
            "GS1数字链接'https://example.com/01/09506000134352/17/251231'中的AI(17)不是AI(01)的限定符");
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352/10/A%2"), "GS1数字链接中的'%2'不是有效的百分号编码");
}

TEST(Gs1Validation, WritingRefusesWhatTheFormCannotHold) {
  auto noKey = Gs1ElementString::Parse("(10)L1(17)251231", kYear, false);
  EXPECT_EQ(FailureText([&] { noKey.ToDigitalLink(); }, "Error"),
            "没有GS1数字链接的主键AI(如00、01、414)，不能写成GS1数字链接");
  EXPECT_EQ(FailureText([&] { noKey.ToRaw("]E0"); }, "Error"),
            "符号标识符']E0'不是GS1的符号标识符(]C1、]d2、]Q3或]e0)");
  Gs1ElementString e;
  EXPECT_EQ(FailureText([&] { e.Add("01", "123"); }, "Error"), "AI(01) GTIN的长度应为14位，'123'为3位");
  EXPECT_TRUE(e.empty());
}

TEST(Gs1Validation, LongValuesAreShownCut) {
  const std::string text = "(10)" + std::string(300, 'A');
  const std::string message = Refusal(text);
  EXPECT_LT(message.size(), 200u);
  EXPECT_NE(message.find("AAA...'为300位"), std::string::npos) << message;
}

TEST(Gs1Date, TwoDigitYearsFallInTheWindowAroundThisYear) {
  EXPECT_EQ(Gs1Date::FullYear(26, 2026), 2026);
  EXPECT_EQ(Gs1Date::FullYear(76, 2026), 2076);  // 50 ahead
  EXPECT_EQ(Gs1Date::FullYear(77, 2026), 1977);  // 49 back
  EXPECT_EQ(Gs1Date::FullYear(0, 2026), 2000);
  EXPECT_EQ(Gs1Date::FullYear(99, 2003), 1999);
  EXPECT_EQ(Gs1Date::FullYear(53, 2003), 2053);
  EXPECT_EQ(Gs1Date::FullYear(54, 2003), 1954);
  EXPECT_EQ(Gs1Date::FullYear(20, 2080), 2120);
  // The window decides whether 29 February exists.
  EXPECT_FALSE(Gs1Date::Day("000229", 2060, false).has_value());  // 2100 is no leap year
  EXPECT_TRUE(Gs1Date::Day("000229", 2026, false).has_value());
  using namespace std::chrono;
  EXPECT_EQ(*Gs1Date::Day("260200", 2026, true), sys_days(year{2026} / 2 / 28));
  EXPECT_EQ(*Gs1Date::Day("240200", 2026, true), sys_days(year{2024} / 2 / 29));
  EXPECT_EQ(*Gs1Date::Day("240200", 2026, true, false), sys_days(year{2024} / 2 / 1));
  EXPECT_FALSE(Gs1Date::Day("240200", 2026, false).has_value());
}

}  // namespace
