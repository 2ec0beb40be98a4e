// A GS1-128 symbol carries at most 48 data characters: rules whose longest element string would
// hold more are refused for GS1-128 (and pointed to GS1 DataMatrix), counted as the symbol counts
// them: AIs, values at their longest, computed check digits and the separators between fields.
#include <gtest/gtest.h>

#include "rules/RuleTestSupport.h"

using namespace quillstone;
using namespace quillstone::test;

namespace {

std::shared_ptr<clsBarCodeRule> RuleOf(const std::string& type, const std::vector<SegmentDef>& items) {
  int16_t length = 0;
  for (const auto& item : items) length = static_cast<int16_t>(length + item.length);
  auto rule = MakeRule("LONG128", "托盘标签", length, items);
  rule->setBarCodeType(type);
  for (std::size_t i = 0; i < items.size(); ++i) rule->ruleItems()->Item(static_cast<int>(i) + 1)->setAi(items[i].ai);
  return rule;
}

const SegmentDef kGtin{ISTInventory, 14, "", "01"};
const SegmentDef kExpiry{ISTDisableDate, 6, "yymmdd", "17"};
SegmentDef Batch(int16_t length) { return {ISTBatch, length, "", "10"}; }
SegmentDef Serial(int16_t length) { return {ISTSequence, length, std::string(static_cast<std::size_t>(length), '0'), "21"}; }

class Gs1_128CapacityTest : public RuleManagerTest {
 protected:
  std::string Refusal(const std::string& type, const std::vector<SegmentDef>& items) {
    auto rule = RuleOf(type, items);
    return FailureText([&] { rm->VerifyRule(rule); });
  }
};

TEST_P(Gs1_128CapacityTest, ALongBatchRuleIsRefusedForGs1_128AndKeptForDataMatrix) {
  // (01)…(10) twenty characters, then (17) and (21): 16 + 22 + separator + 8 + 8 = 55.
  const std::vector<SegmentDef> pallet{kGtin, Batch(20), kExpiry, Serial(6)};
  const std::string refusal = Refusal("GS1-128", pallet);
  EXPECT_NE(refusal.find("48"), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("55"), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("GS1 DataMatrix"), std::string::npos) << refusal;
  // The catalogue's typeId of GS1-128 is GS1-128 too; the other GS1 symbologies carry far more.
  EXPECT_EQ(Refusal("6", pallet), refusal);
  EXPECT_TRUE(rm->VerifyRule(RuleOf("GS1 DataMatrix", pallet)));
  EXPECT_TRUE(rm->VerifyRule(RuleOf("GS1 QR Code", pallet)));
}

TEST_P(Gs1_128CapacityTest, SeparatorsAndComputedCheckDigitsCount) {
  // 16 + 22 + separator + 2 + 7 = 48 fits; one more serial digit does not.
  EXPECT_TRUE(rm->VerifyRule(RuleOf("GS1-128", {kGtin, Batch(20), Serial(7)})));
  EXPECT_NE(Refusal("GS1-128", {kGtin, Batch(20), Serial(8)}).find("49"), std::string::npos);
  // The batch last in AI order needs no separator: 16 + 8 + 22 = 46.
  EXPECT_TRUE(rm->VerifyRule(RuleOf("gs1 128", {kGtin, kExpiry, Batch(20)})));
  // A running SSCC of 17 digits prints 18 with its check digit: 20 + 16 + 3 + separator + 9 = 49.
  const std::vector<SegmentDef> sscc{{ISTSequence, 17, std::string(17, '0'), "00"},
                                     {ISTFixed, 14, "09506000134352", "02"},
                                     Batch(1),
                                     {ISTOther, 7, "", "37"}};
  EXPECT_NE(Refusal("GS1-128", sscc).find("49"), std::string::npos);
}

}  // namespace

QS_INSTANTIATE_BACKENDS(Gs1_128CapacityTest);
