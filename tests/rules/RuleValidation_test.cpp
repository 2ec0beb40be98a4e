#include <gtest/gtest.h>

#include "rules/RuleTestSupport.h"

using namespace quillstone;
using quillstone::test::FailureText;
using quillstone::test::MakeRule;
using quillstone::test::PlainRule;

namespace {

class RuleValidationTest : public RuleManagerTest {};

TEST_P(RuleValidationTest, HeaderIsCheckedBeforeTheItems) {
  auto rule = MakeRule("  ", "  ", 0, {});
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(rule); }), "规则编码不能为空");
  rule->setRuleId("R1");
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(rule); }), "规则名称不能为空");
  rule->setRuleName("名称");
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(rule); }), "条码规则长度应大于0，同时不超过128.");
  rule->setLength(8);
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(rule); }), "必须定义规则项");
}

TEST_P(RuleValidationTest, LengthLimitIs128) {
  auto longest = MakeRule("R1", "最长", 128, {{ISTInventory, 6}, {ISTOther, 122}});
  EXPECT_TRUE(rm->VerifyRule(longest));
  auto tooLong = MakeRule("R1", "太长", 129, {{ISTInventory, 6}, {ISTOther, 123}});
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(tooLong); }), "条码规则长度应大于0，同时不超过128.");
}

TEST_P(RuleValidationTest, ItemsAreCheckedOneAfterAnother) {
  // Item 2 has no length; item 3 would be refused by its source, but is never reached.
  auto zero = MakeRule("R1", "零长", 10, {{ISTInventory, 4}, {ISTOther, 0}, {ISTFixed, 6, "X"}});
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(zero); }), "规则项的长度应大于0");

  // Item 1 passes the length check but its source refuses it before item 2 is looked at.
  auto refused = MakeRule("R1", "固定", 10, {{ISTFixed, 4, "AB"}, {ISTOther, 0}});
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(refused); }),
            "固定项的相关值是固定项的值，其长度必须等于固定项定义的长度");
}

TEST_P(RuleValidationTest, ItemLengthsMustAddUpToTheRuleLength) {
  auto rule = MakeRule("R1", "不等长", 10, {{ISTInventory, 4}, {ISTOther, 5}});
  EXPECT_EQ(FailureText([&] { rm->VerifyRule(rule); }), "规则项目长度设置不等于规则总长度");
  rule->ruleItems()->Item(2)->setLength(6);
  EXPECT_TRUE(rm->VerifyRule(rule));
  EXPECT_TRUE(rm->VerifyRule(PlainRule("R2")));
}

QS_INSTANTIATE_BACKENDS(RuleValidationTest);

}  // namespace
