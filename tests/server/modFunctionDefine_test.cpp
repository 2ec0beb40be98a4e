#include "quillstone/server/modFunctionDefine.h"

#include <gtest/gtest.h>

#include "quillstone/platform/Error.h"
#include "support/CaughtError.h"

namespace quillstone {
namespace {

using test::CaughtError;

TEST(ErrorConvention, AssertAndRaiseErrorCarryNumberSourceAndText) {
  EXPECT_NO_THROW(Assert(true, "x"));
  Error a = CaughtError([] { Assert(false, "条码规则项长度不能小于1"); });
  EXPECT_EQ(a.number(), -2147220503);
  EXPECT_EQ(a.source(), "Assert");
  EXPECT_EQ(a.description(), "条码规则项长度不能小于1");
  Error e = CaughtError([] { RaiseError("Login对象没有初始化"); });
  EXPECT_EQ(e.number(), -2147220503);
  EXPECT_EQ(e.source(), "Error");
  EXPECT_EQ(e.description(), "Login对象没有初始化");
}

TEST(ErrorConvention, TrapAndReraiseKeepsTextAndRunsRelease) {
  int released = 0;
  Error e = CaughtError([&] { TrapAndReraise([] { throw Error::Overflow(); }, [&] { ++released; }); });
  EXPECT_EQ(e.number(), Error::kLibraryNumber);
  EXPECT_EQ(e.source(), "Assert");
  EXPECT_EQ(e.description(), "溢出");
  TrapAndReraise([] {}, [&] { ++released; });
  EXPECT_EQ(released, 2);
}

TEST(ErrorConvention, BlankFailureIsNeverANormalReturn) {
  Error e = CaughtError([] { TrapAndReraise([] { throw Error(5, "x", "   "); }); });
  EXPECT_EQ(e.description(), kBlankFailureMessage);
  Error f = CaughtError([] { TrapAndRaiseError([] { throw 42; }); });
  EXPECT_EQ(f.source(), "Error");
  EXPECT_EQ(f.description(), kBlankFailureMessage);
}

TEST(NullHelpers, NullToStr) {
  EXPECT_EQ(NullToStr(Variant::Null), "");
  EXPECT_EQ(NullToStr(Variant()), "");
  EXPECT_EQ(NullToStr(Variant(int32_t{12})), "12");
  EXPECT_EQ(NullToStr(Variant(2.5)), "2.5");
  EXPECT_EQ(NullToStr(Variant(true)), "True");
  EXPECT_EQ(NullToStr(Variant("批号")), "批号");
}

TEST(NullHelpers, NumbersNeverRaise) {
  EXPECT_EQ(NullToDbl(Variant::Null), 0.0);
  EXPECT_EQ(NullToDbl(Variant("abc")), 0.0);
  EXPECT_EQ(NullToDbl(Variant(" 12.5 ")), 12.5);
  EXPECT_EQ(NullToLng(Variant::Null), 0);
  EXPECT_EQ(NullToLng(Variant("x1")), 0);
  EXPECT_EQ(NullToLng(Variant(2.5)), 2);
  EXPECT_EQ(NullToLng(Variant(3.5)), 4);
  EXPECT_EQ(NullToLng(Variant(-2.5)), -2);
  EXPECT_EQ(NullToLng(Variant("41")), 41);
  EXPECT_EQ(NullToLng(Variant(1e12)), 0);  // overflow gives 0
  EXPECT_EQ(NullToLng(Variant(int64_t{1} << 40)), 0);
}

TEST(Formatters, ZeroPadNumber) {
  EXPECT_EQ(ZeroPadNumber(42, 5), "00042");
  EXPECT_EQ(ZeroPadNumber(123456, 3), "456");
  EXPECT_EQ(ZeroPadNumber(-5, 3), "995");
  EXPECT_EQ(ZeroPadNumber(7, 0), "");
  EXPECT_EQ(ZeroPadNumber(1, 2), "01");
  EXPECT_EQ(ZeroPadNumber(123, 18), "000000000000000123");
}

TEST(Formatters, BlanksAndPadToWidth) {
  EXPECT_EQ(Blanks(3), "   ");
  EXPECT_EQ(Blanks(0), "");
  EXPECT_EQ(Blanks(-2), "");
  EXPECT_EQ(PadToWidth("7", 4, "0"), "0007");
  EXPECT_EQ(PadToWidth("12345", 4, "0"), "2345");
  EXPECT_EQ(PadToWidth("1234", 4, "0"), "1234");
  EXPECT_EQ(PadToWidth("7", 3, "ab"), "abab7");
  // A Chinese character counts two bytes in the width.
  EXPECT_EQ(PadToWidth("中", 4, "0"), "00中");
  EXPECT_EQ(PadToWidth("1中", 2, "0"), "中");
}

TEST(Formatters, SixteenBitOverflowRaises) {
  std::string huge(40000, '1');
  Error e = CaughtError([&] { PadToWidth(huge, 10, "0"); });
  EXPECT_EQ(e.number(), Error::kOverflow);
  EXPECT_EQ(e.description(), "溢出");
}

TEST(Formatters, SqlLiteral) {
  EXPECT_EQ(SqlLiteral(Variant::Null), "null");
  EXPECT_EQ(SqlLiteral(Variant()), "null");
  EXPECT_EQ(SqlLiteral(Variant("ab")), "'ab'");
  EXPECT_EQ(SqlLiteral(Variant(int32_t{3})), "3");
  // A quote inside a text is doubled, so the literal always stands for the value.
  EXPECT_EQ(SqlLiteral(Variant("O'Neil")), "'O''Neil'");
  EXPECT_EQ(SqlLiteral(Variant(std::chrono::year_month_day(std::chrono::year(2003), std::chrono::month(1),
                                                            std::chrono::day(18)))),
            "'2003-01-18'");
}

}  // namespace
}  // namespace quillstone
