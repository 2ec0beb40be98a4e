#include <gtest/gtest.h>

#include "quillstone/model/clsBarCodeItem.h"
#include "src/quillstone/sources/clsUnitCostItemSource.h"
#include "sources/SegmentFrame.h"
#include "support/CaughtError.h"

namespace quillstone {
namespace {

using namespace test;

TEST(UnitCostItemSource, RuleItemMustKeepZeroToSixPlaces) {
  clsUnitCostItemSource unitCost;
  for (const char* places : {"0", "6"})
    EXPECT_TRUE(unitCost.VerifyRuleItem(MakeSegmentFrame(ISTUnitCost, 6, places).item));
  for (const char* places : {"7", "abc", "", "-1", "40000"})
    ExpectRaised(CaughtError([&] { unitCost.VerifyRuleItem(MakeSegmentFrame(ISTUnitCost, 6, places).item); }), "Error",
                 "单价项的相关值是单价的小数位数，其值必须为小于等于6的正整数");
}

TEST(UnitCostItemSource, EncodesTheScaledCostZeroFilled) {
  clsUnitCostItemSource unitCost;
  struct Case {
    Variant cost;
    const char* places;
    int16_t length;
    const char* segment;
  };
  for (const Case& c : {Case{12.5, "2", 6, "001250"}, Case{3.0, "2", 6, "000300"}, Case{12.34, "2", 6, "001234"},
                        Case{Variant(), "2", 4, "0000"}, Case{1e17, "0", 20, "00100000000000000000"}}) {
    auto f = MakeSegmentFrame(ISTUnitCost, c.length, c.places, 20);
    f.info->setUnitCost(c.cost);
    unitCost.Encode(f.info, f.item, f.segment);
    EXPECT_EQ(f.segment->value(), c.segment) << c.cost.toString();
  }
}

TEST(UnitCostItemSource, RoundTripRestoresCostsThatFit) {
  clsUnitCostItemSource unitCost;
  auto f = MakeSegmentFrame(ISTUnitCost, 6, "2");
  f.info->setUnitCost(Variant(12.5));
  EXPECT_EQ(RoundTrip(unitCost, f)->unitCost(), Variant(12.5));

  // Ten digits once scaled: beyond a 32-bit number, but still the cost.
  auto wide = MakeSegmentFrame(ISTUnitCost, 12, "2", 12);
  wide.info->setUnitCost(Variant(98765432.1));
  EXPECT_EQ(RoundTrip(unitCost, wide)->unitCost(), Variant(98765432.1));
}

TEST(UnitCostItemSource, VerifyChecksLengthThenValue) {
  clsUnitCostItemSource unitCost;
  auto f = MakeSegmentFrame(ISTUnitCost, 6, "2");
  f.info->setUnitCost(Variant(12.5));
  f.segment->setValue(" 1250");
  ExpectRaised(CaughtError([&] { unitCost.Verify(f.info, f.segment, f.item); }), "Error",
               "单价的条码长度与条码规则中规定的长度不一致，要求长度 6 ，实际长度 5");
  f.segment->setValue("001251");
  ExpectRaised(CaughtError([&] { unitCost.Verify(f.info, f.segment, f.item); }), "Error",
               "单价与条码值不一致，要求条码值'001250'，但实际条码值为 '001251'");
}

TEST(UnitCostItemSource, DecodeRefusesWhatIsNoNumberAndRoundsHalvesToEven) {
  clsUnitCostItemSource unitCost;
  auto f = MakeSegmentFrame(ISTUnitCost, 6, "2");
  for (const char* bad : {"12A450", "0x1A00", "inf"}) {
    f.segment->setValue(bad);
    ExpectRaised(CaughtError([&] { unitCost.Decode(f.info, f.item, f.segment); }), "Assert",
                 std::string("单价条形码'") + bad + "'不是合法的数字类型");
  }
  f.segment->setValue("1234.5");
  unitCost.Decode(f.info, f.item, f.segment);
  EXPECT_EQ(f.info->unitCost(), Variant(12.34));
}

}  // namespace
}  // namespace quillstone
