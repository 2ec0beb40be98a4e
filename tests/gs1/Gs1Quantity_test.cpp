// Counts and measures as numbers with their units: the decimals of the AI applied, the currency
// of an amount taken from its value, and every form of zero and of many digits.
#include "quillstone/gs1/Gs1Quantity.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillstone;

namespace {

struct Case {
  const char* label;
  const char* ai;
  const char* number;
  const char* unit;
  const char* text;
};

TEST(Gs1Quantity, MeasuresTakeTheirDecimalsAndUnits) {
  const Case cases[] = {
      {"(01)09506000134352(3103)001250", "3103", "1.250", "kg", "1.250 kg"},
      {"(01)09506000134352(3100)001250", "3100", "1250", "kg", "1250 kg"},
      {"(01)09506000134352(3105)000001", "3105", "0.00001", "kg", "0.00001 kg"},
      {"(01)09506000134352(3102)000000", "3102", "0.00", "kg", "0.00 kg"},
      {"(01)09506000134352(3122)012345", "3122", "123.45", "m", "123.45 m"},
      {"(01)09506000134352(3141)000125", "3141", "12.5", "m²", "12.5 m²"},
      {"(01)09506000134352(3161)000125", "3161", "12.5", "m³", "12.5 m³"},
      {"(01)09506000134352(3151)000125", "3151", "12.5", "l", "12.5 l"},
      {"(01)09506000134352(3202)001000", "3202", "10.00", "lb", "10.00 lb"},
      {"(00)106141412345678908(3303)001250", "3303", "1.250", "kg", "1.250 kg"},
      {"(01)09506000134352(30)00000012", "30", "12", "", "12"},
      {"(00)106141412345678908(02)09506000134352(37)0", "37", "0", "", "0"},
      {"(01)09506000134352(30)3(3922)1250", "3922", "12.50", "", "12.50"},
      {"(01)09506000134352(30)3(3932)978001250", "3932", "12.50", "978", "12.50 978"},
      {"(255)9506000134352(3941)0125", "3941", "12.5", "%", "12.5 %"},
  };
  for (const Case& c : cases) {
    const auto elements = Gs1ElementString::Parse(c.label, 2026);
    const auto all = Gs1Quantity::All(elements);
    const Gs1Quantity* found = nullptr;
    for (const auto& q : all)
      if (q.ai().code == c.ai) found = &q;
    ASSERT_NE(found, nullptr) << c.label;
    EXPECT_EQ(found->number(), c.number) << c.label;
    EXPECT_EQ(found->unit(), c.unit) << c.label;
    EXPECT_EQ(found->Text(), c.text) << c.label;
    EXPECT_DOUBLE_EQ(found->value(), std::stod(c.number)) << c.label;
  }
}

TEST(Gs1Quantity, OnlyCountsAndMeasuresAreQuantities) {
  const auto elements = Gs1ElementString::Parse("(01)09506000134352(10)123456(3103)001250(20)12", 2026);
  const auto all = Gs1Quantity::All(elements);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].digits(), "001250");
  // The largest count and amount keep every digit.
  const auto big = Gs1ElementString::Parse("(01)09506000134352(30)99999999(3920)123456789012345", 2026);
  EXPECT_EQ(Gs1Quantity::All(big)[0].number(), "99999999");
  EXPECT_EQ(Gs1Quantity::All(big)[1].number(), "123456789012345");
}

}  // namespace
