#include <gtest/gtest.h>

#include <chrono>

#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/server/host/HostUserVO.h"
#include "src/quillstone/sources/clsDisableDateItemSource.h"
#include "src/quillstone/sources/clsMadeDateItemSource.h"
#include "src/quillstone/sources/clsMassDayItemSource.h"
#include "sources/SegmentFrame.h"
#include "support/CaughtError.h"

namespace quillstone {
namespace {

using namespace test;

TEST(DateItemSources, RuleItemMustCarryAFormatOfItsOwnLength) {
  clsMadeDateItemSource made;
  clsDisableDateItemSource expiry;
  for (const char* format : {"yyyymmdd", "yymmdd", "yyyymm", "yymm"})
    EXPECT_TRUE(expiry.VerifyRuleItem(MakeSegmentFrame(ISTDisableDate, AnsiLength(format), format).item));

  auto wrongLength = MakeSegmentFrame(ISTDisableDate, 6, "yyyymmdd");
  ExpectRaised(CaughtError([&] { expiry.VerifyRuleItem(wrongLength.item); }), "Assert",
               "失效日期的条码规则项的长度与其日期格式长度不一致.");
  ExpectRaised(CaughtError([&] { made.VerifyRuleItem(wrongLength.item); }), "Assert",
               "生产日期格式必须生产日期条码规则项的长度相一致");
  auto upper = MakeSegmentFrame(ISTMadeDate, 6, "YYMMDD");
  ExpectRaised(CaughtError([&] { made.VerifyRuleItem(upper.item); }), "Assert",
               "生产日期的相关值是日期的格式，必须为yyyymm、yymm、yyyymmdd或者yymmdd");
}

TEST(DateItemSources, EncodesTheDateInEachFormatAndReadsItBackAsText) {
  using namespace std::chrono;
  clsMadeDateItemSource made;
  struct Case {
    const char* format;
    const char* segment;
    const char* decoded;
  };
  for (Case c : {Case{"yyyymmdd", "20030118", "2003-01-18"}, Case{"yymmdd", "030118", "2003-01-18"},
                 Case{"yyyymm", "200301", "2003-01-01"}, Case{"yymm", "0301", "2003-01-01"}}) {
    for (const Variant& date : {Variant(year(2003) / 1 / 18), Variant("2003-01-18")}) {
      auto f = MakeSegmentFrame(ISTMadeDate, AnsiLength(c.format), c.format);
      f.info->setMadeDate(date);
      auto decoded = RoundTrip(made, f);
      EXPECT_EQ(f.segment->value(), c.segment);
      EXPECT_EQ(decoded->madeDate(), Variant(c.decoded));
      EXPECT_TRUE(decoded->disableDate().isEmpty());
    }
  }
}

TEST(DateItemSources, EncodeLeavesAMissingDateEmptyAndRefusesAnInvalidOne) {
  clsDisableDateItemSource expiry;
  auto f = MakeSegmentFrame(ISTDisableDate, 6, "yymmdd");
  f.segment->setValue("old");
  f.info->setDisableDate(Variant(Variant::Null));
  expiry.Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), "");
  f.info->setDisableDate(Variant("2003-02-30"));
  ExpectRaised(CaughtError([&] { expiry.Encode(f.info, f.item, f.segment); }), "Assert",
               "失效日期不是一个合法的日期值");
}

TEST(DateItemSources, VerifyChecksLengthBeforePresenceThenValidityThenValue) {
  clsDisableDateItemSource expiry;
  auto f = MakeSegmentFrame(ISTDisableDate, 6, "yymmdd");
  expiry.Encode(f.info, f.item, f.segment);  // Empty date: empty segment
  ExpectRaised(CaughtError([&] { expiry.Verify(f.info, f.segment, f.item); }), "Error",
               "失效日期的条码长度与条码规则中规定的长度不一致，要求长度为 6,实际长度为 0");
  f.segment->setValue("030118");
  ExpectRaised(CaughtError([&] { expiry.Verify(f.info, f.segment, f.item); }), "Error", "失效日期不能为空");
  f.info->setDisableDate(Variant("2003-13-01"));
  ExpectRaised(CaughtError([&] { expiry.Verify(f.info, f.segment, f.item); }), "Assert",
               "失效日期不是一个合法的日期值");
  f.info->setDisableDate(Variant("2003-01-19"));
  ExpectRaised(CaughtError([&] { expiry.Verify(f.info, f.segment, f.item); }), "Error",
               "失效日期与条码值不一致，要求条码值'030119'，但实际条码值为 '030118'");

  clsMadeDateItemSource made;
  auto m = MakeSegmentFrame(ISTMadeDate, 6, "yymmdd");
  m.segment->setValue(" 030118");  // the right length once trimmed, but not the same text
  ExpectRaised(CaughtError([&] { made.Verify(m.info, m.segment, m.item); }), "Error", "生产日期不能为空");
  m.info->setMadeDate(Variant("2003-01-18"));
  ExpectRaised(CaughtError([&] { made.Verify(m.info, m.segment, m.item); }), "Error",
               "生产日期与条码值不一致，要求条码值'030118'，但实际条码值为 ' 030118'");
}

TEST(DateItemSources, DecodeRefusesASegmentThatIsNoRealDay) {
  clsDisableDateItemSource expiry;
  auto f = MakeSegmentFrame(ISTDisableDate, 4, "yymm");
  f.segment->setValue("0313");
  ExpectRaised(CaughtError([&] { expiry.Decode(f.info, f.item, f.segment); }), "Assert",
               "失效日期条形码'0313'代表的不是一个合法的日期");
  EXPECT_TRUE(f.info->disableDate().isEmpty());

  // A short segment must not pass as a day written with one digit (2003-01-1).
  clsMadeDateItemSource made;
  auto m = MakeSegmentFrame(ISTMadeDate, 8, "yyyymmdd");
  m.segment->setValue("2003011");
  ExpectRaised(CaughtError([&] { made.Decode(m.info, m.item, m.segment); }), "Assert",
               "生产日期条形码'2003011'代表的不是一个合法的日期");
}

TEST(DateItemSources, AllThreeDemandShelfLifeManagementAndIgnoreTheTableLength) {
  auto item = MakeSegmentFrame(ISTMadeDate, 6, "yymmdd").item;
  auto inv = std::make_shared<HostUserVO>();
  clsMadeDateItemSource made;
  clsDisableDateItemSource expiry;
  clsMassDayItemSource massDay;
  for (clsItemSource* source : std::initializer_list<clsItemSource*>{&made, &expiry, &massDay}) {
    inv->shelfLifeManaged = Variant(int32_t{0});
    ExpectRaised(CaughtError([&] { source->VerifyAssign(inv, item); }), "Assert",
                 "规则要求存货必须是保质期管理的，但该存货并非保质期管理.");
    inv->shelfLifeManaged = Variant(int32_t{1});
    EXPECT_TRUE(source->VerifyAssign(inv, item));
    source->setLength(8);
    EXPECT_EQ(source->length(), 0);
  }
}

TEST(MassDayItemSource, EncodesWholeUnitsInTheLastDigits) {
  clsMassDayItemSource massDay;
  ExpectRaised(CaughtError([&] { massDay.VerifyRuleItem(MakeSegmentFrame(ISTMassDay, 2, "周数").item); }), "Assert",
               "保质期的相关值是保质期的长度单位，必须为年数、月数或者天数");
  struct Case {
    int32_t days;
    const char* unit;
    int16_t length;
    const char* segment;
    int32_t decoded;
  };
  for (Case c : {Case{45, "月数", 2, "01", 30}, Case{45, "天数", 2, "45", 45}, Case{145, "天数", 2, "45", 45},
                 Case{400, "年数", 2, "01", 365}, Case{730, "年数", 2, "02", 730}, Case{364, "年数", 3, "000", 0}}) {
    auto f = MakeSegmentFrame(ISTMassDay, c.length, c.unit);
    EXPECT_TRUE(massDay.VerifyRuleItem(f.item));
    f.info->setMassDay(Variant(c.days));
    auto decoded = RoundTrip(massDay, f);
    EXPECT_EQ(f.segment->value(), c.segment) << c.days << c.unit;
    EXPECT_EQ(decoded->massDay(), Variant(c.decoded)) << c.days << c.unit;
  }

  auto f = MakeSegmentFrame(ISTMassDay, 3, "天数");
  massDay.Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), "000") << "an Empty shelf life counts as 0";
  f.info->setMassDay(Variant(int32_t{40000}));
  EXPECT_EQ(CaughtError([&] { massDay.Encode(f.info, f.item, f.segment); }).number(), Error::kOverflow);
}

TEST(MassDayItemSource, VerifyChecksLengthThenValue) {
  clsMassDayItemSource massDay;
  auto f = MakeSegmentFrame(ISTMassDay, 2, "月数");
  f.info->setMassDay(Variant(int32_t{90}));
  f.segment->setValue("3");
  ExpectRaised(CaughtError([&] { massDay.Verify(f.info, f.segment, f.item); }), "Error",
               "保质期的条码长度与条码规则中规定的长度不一致，要求长度为 2,实际长度为 1");
  f.segment->setValue("04");
  ExpectRaised(CaughtError([&] { massDay.Verify(f.info, f.segment, f.item); }), "Error",
               "保质期与条码值不一致，要求条码值'03'，但实际条码值为 '04'");
  // A shelf life that cannot be encoded agrees with no segment; its own failure is not reported.
  f.info->setMassDay(Variant(Variant::Null));
  ExpectRaised(CaughtError([&] { massDay.Verify(f.info, f.segment, f.item); }), "Error",
               "保质期与条码值不一致，要求条码值''，但实际条码值为 '04'");
}

TEST(MassDayItemSource, DecodeCountsNoNumberAsZeroAndRefusesOverflow) {
  clsMassDayItemSource massDay;
  auto f = MakeSegmentFrame(ISTMassDay, 8, "年数");
  f.segment->setValue("AB");
  massDay.Decode(f.info, f.item, f.segment);
  EXPECT_EQ(f.info->massDay(), Variant(int32_t{0}));
  f.segment->setValue("09999999");
  EXPECT_EQ(CaughtError([&] { massDay.Decode(f.info, f.item, f.segment); }).number(), Error::kOverflow);
}

}  // namespace
}  // namespace quillstone
