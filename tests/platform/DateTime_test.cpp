#include "quillstone/platform/DateTime.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

using namespace std::chrono;

sys_days Day(int y, unsigned m, unsigned d) { return sys_days(year_month_day(year(y), month(m), day(d))); }

TEST(DateTime, ValidityOfTexts) {
  EXPECT_TRUE(IsDate(Variant("2003-01-18")));
  EXPECT_TRUE(IsDate(Variant("2004-02-29")));
  EXPECT_TRUE(IsDate(Variant("2003-1-8")));
  EXPECT_FALSE(IsDate(Variant("2003-13-01")));
  EXPECT_FALSE(IsDate(Variant("2003-02-30")));
  EXPECT_FALSE(IsDate(Variant("2003-02-29")));
  EXPECT_FALSE(IsDate(Variant("20030118")));
  EXPECT_FALSE(IsDate(Variant("2003-01-18x")));
  EXPECT_FALSE(IsDate(Variant("")));
  EXPECT_FALSE(IsDate(Variant::Null));
  EXPECT_FALSE(IsDate(Variant()));
  EXPECT_TRUE(IsDate(Variant(Day(2003, 1, 18))));
}

TEST(DateTime, BarcodeFormats) {
  sys_days d = Day(2003, 1, 18);
  EXPECT_EQ(FormatDate(d, "yyyymmdd"), "20030118");
  EXPECT_EQ(FormatDate(d, "yymmdd"), "030118");
  EXPECT_EQ(FormatDate(d, "yyyymm"), "200301");
  EXPECT_EQ(FormatDate(d, "yymm"), "0301");
  EXPECT_EQ(FormatDate(d, "YYMMDD"), "");
  EXPECT_EQ(FormatIsoDate(d), "2003-01-18");
  EXPECT_EQ(Variant(d).toString(), "2003-01-18");
}

TEST(DateTime, DifferencesAndClock) {
  EXPECT_EQ(DaysBetween(Day(2003, 1, 18), Day(2004, 1, 18)), 365);
  EXPECT_EQ(DaysBetween(Day(2004, 3, 1), Day(2004, 2, 28)), -2);
  EXPECT_GT(DaysBetween(Day(2020, 1, 1), Today()), 0);
  std::string now = NowText();
  EXPECT_EQ(now.size(), 19u);
  EXPECT_TRUE(ParseIsoDate(now.substr(0, 10)).has_value());
}

}  // namespace
}  // namespace quillstone
