// Validation of rules drawn in a GS1 symbology: which AIs, lengths and sources make a rule that
// can only produce valid element strings.
#include <gtest/gtest.h>

#include "rules/RuleTestSupport.h"

using namespace quillstone;
using namespace quillstone::test;

namespace {

struct Gs1Item {
  SegmentDef def;
  std::string ai;
};

std::shared_ptr<clsBarCodeRule> Gs1Rule(const std::vector<Gs1Item>& items, const std::string& type = "GS1 DataMatrix") {
  std::vector<SegmentDef> defs;
  int16_t length = 0;
  for (const auto& item : items) {
    defs.push_back(item.def);
    length = static_cast<int16_t>(length + item.def.length);
  }
  auto rule = MakeRule("G1", "药品", length, defs);
  rule->setBarCodeType(type);
  for (std::size_t i = 0; i < items.size(); ++i) rule->ruleItems()->Item(static_cast<int>(i) + 1)->setAi(items[i].ai);
  return rule;
}

const Gs1Item kGtin{{ISTInventory, 14}, "01"};
const Gs1Item kBatch{{ISTBatch, 8}, "10"};
const Gs1Item kExpiry{{ISTDisableDate, 6, "yymmdd"}, "17"};
const Gs1Item kSerial{{ISTSequence, 6, "000001"}, "21"};

class Gs1RuleValidationTest : public RuleManagerTest {
 protected:
  std::string Refusal(const std::vector<Gs1Item>& items, const std::string& type = "GS1 DataMatrix") {
    auto rule = Gs1Rule(items, type);
    return FailureText([&] { rm->VerifyRule(rule); });
  }
};

TEST_P(Gs1RuleValidationTest, AcceptsTheUsualRulesInEachGs1Symbology) {
  for (const char* type : {"GS1-128", "GS1 DataMatrix", "gs1 qr code", "7"}) {
    EXPECT_TRUE(rm->VerifyRule(Gs1Rule({kGtin, kBatch, kExpiry, kSerial}, type))) << type;
  }
  // SSCC first, the content's GTIN, a production date, a caller's count and fixed values that
  // fit their AIs.
  EXPECT_TRUE(rm->VerifyRule(Gs1Rule({{{ISTFixed, 18, "106141411234567897"}, "00"},
                                      {{ISTFixed, 14, "09506000134352"}, "02"},
                                      {{ISTMadeDate, 6, "yymmdd"}, "11"},
                                      {{ISTOther, 8}, "37"},
                                      {{ISTFixed, 2, "05"}, "20"},
                                      {{ISTBatch, 4}, "10"}})));
}

TEST_P(Gs1RuleValidationTest, RefusesAisGs1DoesNotAllowTogether) {
  // A count belongs to a logistic unit's content, never beside a trade item's own GTIN.
  EXPECT_EQ(Refusal({kGtin, kBatch, {{ISTOther, 8}, "37"}}), "AI(01) GTIN和AI(37) COUNT不能出现在同一个GS1数据中");
  EXPECT_EQ(Refusal({{{ISTFixed, 18, "106141411234567897"}, "00"}, kBatch}),
            "AI(10) BATCH/LOT需要同时有AI(01)，或AI(02)，或AI(03)，或AI(8006)，或AI(8026)，GS1数据中没有");
}

TEST_P(Gs1RuleValidationTest, RefusesMissingUnknownMisplacedAndRepeatedAis) {
  EXPECT_EQ(Refusal({kGtin, {{ISTBatch, 8}, ""}}), "GS1条码规则的第2个规则项必须指定应用标识符");
  EXPECT_EQ(Refusal({kGtin, {{ISTOther, 4}, "99x"}}), "第2个规则项(应用标识符99x)的应用标识符不在GS1应用标识符表中");
  EXPECT_EQ(Refusal({kBatch, kGtin}), "GS1条码规则的第一个应用标识符必须是00或01，实为10");
  EXPECT_EQ(Refusal({kGtin, kBatch, {{ISTBatch, 4}, "10"}}), "GS1条码规则中应用标识符10出现了两次");
}

TEST_P(Gs1RuleValidationTest, RefusesLengthsTheAiCannotTake) {
  EXPECT_EQ(Refusal({{{ISTInventory, 13}, "01"}}), "第1个规则项(应用标识符01)的长度必须是14，实为13");
  EXPECT_EQ(Refusal({kGtin, {{ISTBatch, 21}, "10"}}), "第2个规则项(应用标识符10)的长度不能超过20，实为21");
  // A running SSCC is one digit short: its check digit is computed.
  EXPECT_TRUE(rm->VerifyRule(Gs1Rule({{{ISTSequence, 17, std::string(17, '1')}, "00"}})));
  EXPECT_EQ(Refusal({{{ISTSequence, 18, std::string(18, '1')}, "00"}}),
            "第1个规则项(应用标识符00)由流水号生成，长度必须是17(校验位自动计算)，实为18");
  // The caller's SSCC may come whole or without its check digit, nothing shorter.
  EXPECT_TRUE(rm->VerifyRule(Gs1Rule({{{ISTOther, 17}, "00"}})));
  EXPECT_TRUE(rm->VerifyRule(Gs1Rule({{{ISTOther, 18}, "00"}})));
  EXPECT_EQ(Refusal({{{ISTOther, 16}, "00"}}), "第1个规则项(应用标识符00)的长度必须是18，实为16");
}

TEST_P(Gs1RuleValidationTest, RefusesSourcesThatDoNotFitTheAi) {
  EXPECT_NE(Refusal({{{ISTVendor, 14}, "01"}}).find("应取自存货"), std::string::npos);
  EXPECT_NE(Refusal({kGtin, {{ISTInventory, 8}, "10"}}).find("应取自批号"), std::string::npos);
  // An expiry date is not a production date, and a date in another format is not yymmdd.
  EXPECT_NE(Refusal({kGtin, {{ISTDisableDate, 6, "yymmdd"}, "11"}}).find("生产日期"), std::string::npos);
  EXPECT_NE(Refusal({kGtin, {{ISTDisableDate, 6, "yyyymm"}, "17"}}).find("失效日期"), std::string::npos);
  EXPECT_NE(Refusal({kGtin, {{ISTBatch, 6}, "21"}}).find("流水号"), std::string::npos);
  EXPECT_NE(Refusal({kGtin, {{ISTSequence, 4, "0001"}, "37"}}).find("调用方"), std::string::npos);
  EXPECT_NE(Refusal({kGtin, {{ISTUnitCost, 8, "2"}, "30"}}).find("调用方"), std::string::npos);
}

TEST_P(Gs1RuleValidationTest, FixedValuesMustFitTheAiFormat) {
  // A GTIN whose check digit is wrong, letters in a numeric AI, and a day that does not exist.
  EXPECT_EQ(Refusal({{{ISTFixed, 14, "09506000134353"}, "01"}}),
            "第1个规则项(应用标识符01)的固定值'09506000134353'不符合该应用标识符的格式");
  EXPECT_NE(Refusal({kGtin, {{ISTFixed, 2, "AB"}, "20"}}).find("不符合"), std::string::npos);
  EXPECT_NE(Refusal({kGtin, {{ISTFixed, 6, "250230"}, "17"}}).find("不符合"), std::string::npos);
  EXPECT_TRUE(rm->VerifyRule(Gs1Rule({{{ISTFixed, 14, "09506000134352"}, "01"}, {{ISTFixed, 6, "251200"}, "17"}})));
}

TEST_P(Gs1RuleValidationTest, OtherSymbologiesTakeNoAis) {
  auto plain = PlainRule("P1");
  EXPECT_TRUE(rm->VerifyRule(plain));
  // An AI would make the barcode an element string, which a plain symbology does not carry.
  plain->ruleItems()->Item(1)->setAi("10");
  EXPECT_NE(FailureText([&] { rm->VerifyRule(plain); }).find("只有GS1条码类型"), std::string::npos);
  plain->ruleItems()->Item(1)->setAi("12345");
  EXPECT_NE(FailureText([&] { rm->VerifyRule(plain); }).find("应用标识符"), std::string::npos);
}

}  // namespace

QS_INSTANTIATE_BACKENDS(Gs1RuleValidationTest);
