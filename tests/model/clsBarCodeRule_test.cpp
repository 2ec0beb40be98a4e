#include "quillstone/model/clsBarCodeRule.h"

#include <gtest/gtest.h>

#include "support/CaughtError.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone {
namespace {

using test::CaughtError;

std::shared_ptr<clsBarCodeRuleItem> AddItem(const std::shared_ptr<clsBarCodeRule>& rule, ItemSourceType type,
                                            int16_t start, int16_t length, const std::string& name = "",
                                            const std::string& relevant = "") {
  auto item = rule->CreateRuleItem(type);
  item->setStart(start);
  item->setLength(length);
  item->setSourceName(name);
  item->setRelevantValue(relevant);
  rule->ruleItems()->Add(item);
  return item;
}

std::shared_ptr<clsBarCodeRule> MakeRule(int16_t length) {
  auto rule = std::make_shared<clsBarCodeRule>();
  rule->setRuleId("R01");
  rule->setLength(length);
  return rule;
}

TEST(ModelBarCodeRule, CreateRuleItemPlacesItemAfterTheLastOne) {
  auto rule = MakeRule(10);
  auto first = rule->CreateRuleItem(ISTInventory);
  EXPECT_EQ(first->objRule(), rule);
  EXPECT_EQ(first->itemType(), ISTInventory);
  EXPECT_EQ(first->index(), 1);
  EXPECT_EQ(first->start(), 1);
  EXPECT_EQ(first->length(), 10);
  EXPECT_EQ(first->sourceName(), "");
  EXPECT_EQ(rule->ruleItems()->Count(), 0) << "the caller adds the item";

  first->setLength(4);
  rule->ruleItems()->Add(first);
  auto second = rule->CreateRuleItem(ISTBatch);
  EXPECT_EQ(second->index(), 2);
  EXPECT_EQ(second->start(), 5);
  EXPECT_EQ(second->length(), 6);
}

TEST(ModelBarCodeRule, CreateRuleItemPastThe16BitRangeOverflows) {
  auto rule = MakeRule(10);
  AddItem(rule, ISTInventory, 32767, 1);
  EXPECT_EQ(CaughtError([&] { rule->CreateRuleItem(ISTBatch); }).number(), Error::kOverflow);
}

TEST(ModelBarCodeRule, RuleContentRendersEachKindOfItem) {
  auto rule = MakeRule(20);
  EXPECT_EQ(rule->RuleContent(), "");
  AddItem(rule, ISTInventory, 1, 6, "S");
  AddItem(rule, ISTFixed, 7, 1, "F", "A");
  AddItem(rule, ISTMadeDate, 8, 6, "D", "yymmdd");
  EXPECT_EQ(rule->RuleContent(), "S(6)+'A'+D(yymmdd)");

  AddItem(rule, ISTFixed, 14, 0, "F", "");
  AddItem(rule, ISTMassDay, 14, 3, "保质期", "天数");
  AddItem(rule, ISTSequence, 17, 4, "流水号", "0001");
  EXPECT_EQ(rule->RuleContent(), "S(6)+'A'+D(yymmdd)+''+保质期(天数)+流水号(4)");

  // GS1 items are led by the AI they fill.
  auto gs1 = MakeRule(20);
  AddItem(gs1, ISTInventory, 1, 14, "存货");
  AddItem(gs1, ISTDisableDate, 15, 6, "失效日期", "yymmdd");
  gs1->ruleItems()->Item(1)->setAi("01");
  gs1->ruleItems()->Item(2)->setAi("17");
  EXPECT_EQ(gs1->RuleContent(), "(01)存货(14)+(17)失效日期(yymmdd)");
}

TEST(ModelBarCodeRule, ItemTotalLengthSumsWithOverflowCheck) {
  auto rule = MakeRule(10);
  EXPECT_EQ(rule->ItemTotalLength(), 0);
  AddItem(rule, ISTInventory, 1, 32000);
  AddItem(rule, ISTBatch, 1, 767);
  EXPECT_EQ(rule->ItemTotalLength(), 32767);
  AddItem(rule, ISTBatch, 1, 1);
  EXPECT_EQ(CaughtError([&] { rule->ItemTotalLength(); }).number(), Error::kOverflow);
}

TEST(ModelBarCodeRule, CreateBarCodeMakesOneSegmentPerItemInOrder) {
  auto rule = MakeRule(8);
  auto a = AddItem(rule, ISTInventory, 1, 2);
  auto b = AddItem(rule, ISTBatch, 3, 6);
  auto barCode = rule->CreateBarCode();
  EXPECT_EQ(barCode->ruleId(), "R01");
  ASSERT_EQ(barCode->items()->Count(), 2);
  EXPECT_EQ(barCode->items()->Item(1)->ruleItem(), a);
  EXPECT_EQ(barCode->items()->Item(2)->ruleItem(), b);
  EXPECT_EQ(barCode->items()->Item(2)->objBarCode(), barCode);
  EXPECT_EQ(barCode->barCode(), "");
}

TEST(ModelBarCodeRule, DecodeBarCodeCutsByBytePositions) {
  auto rule = MakeRule(8);
  AddItem(rule, ISTInventory, 1, 2);
  AddItem(rule, ISTBatch, 3, 6);
  auto barCode = rule->DecodeBarCode("AB123456");
  EXPECT_EQ(barCode->items()->Item(1)->value(), "AB");
  EXPECT_EQ(barCode->items()->Item(2)->value(), "123456");
  EXPECT_EQ(barCode->barCode(), "AB123456");

  // A Chinese character is two bytes of the code page.
  auto chinese = MakeRule(4);
  AddItem(chinese, ISTInventory, 1, 2);
  AddItem(chinese, ISTBatch, 3, 2);
  barCode = chinese->DecodeBarCode("中12");
  EXPECT_EQ(barCode->items()->Item(1)->value(), "中");
  EXPECT_EQ(barCode->items()->Item(2)->value(), "12");
}

TEST(ModelBarCodeRule, DecodeBarCodeKeepsOnlyTheBytesThatExist) {
  auto rule = MakeRule(6);
  AddItem(rule, ISTInventory, 1, 4);
  AddItem(rule, ISTBatch, 5, 9);
  AddItem(rule, ISTOther, 12, 2);
  auto barCode = rule->DecodeBarCode("ABCDEF");
  EXPECT_EQ(barCode->items()->Item(2)->value(), "EF");
  EXPECT_EQ(barCode->items()->Item(3)->value(), "");
}

TEST(ModelBarCodeRule, DecodeBarCodeOfAnotherLengthFails) {
  auto rule = MakeRule(4);
  AddItem(rule, ISTInventory, 1, 4);
  for (const char* text : {"123", "中文1", "12345"}) {
    Error e = CaughtError([&] { rule->DecodeBarCode(text); });
    EXPECT_EQ(e.number(), Error::kLibraryNumber);
    EXPECT_EQ(e.source(), "Assert");
    EXPECT_EQ(e.description(), "条码长度不等于对应规则定义的长度,规则要求长度为4");
  }
  EXPECT_NO_THROW(rule->DecodeBarCode("中文"));
}

TEST(ModelBarCodeRule, CloneSharesNothingWithTheSource) {
  auto rule = MakeRule(12);
  rule->setRuleName("规则");
  rule->setBarCodeType("EAN128");
  rule->setDescription("desc");
  AddItem(rule, ISTInventory, 1, 4, "存货", "");
  AddItem(rule, ISTFixed, 5, 2, "固定", "AB");
  AddItem(rule, ISTMadeDate, 7, 6, "生产日期", "yymmdd");

  std::shared_ptr<ICloneable> cloned = rule->Clone();
  auto copy = std::dynamic_pointer_cast<clsBarCodeRule>(cloned);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->ruleId(), "R01");
  EXPECT_EQ(copy->ruleName(), "规则");
  EXPECT_EQ(copy->barCodeType(), "EAN128");
  EXPECT_EQ(copy->description(), "desc");
  EXPECT_EQ(copy->length(), 12);
  EXPECT_EQ(copy->RuleContent(), rule->RuleContent());
  EXPECT_NE(copy->ruleItems(), rule->ruleItems());
  ASSERT_EQ(copy->ruleItems()->Count(), 3);
  for (int i = 1; i <= 3; ++i) {
    const auto& item = copy->ruleItems()->Item(i);
    EXPECT_NE(item, rule->ruleItems()->Item(i));
    EXPECT_EQ(item->objRule(), copy);
    EXPECT_EQ(item->index(), i);
    EXPECT_EQ(item->start(), rule->ruleItems()->Item(i)->start());
  }

  copy->ruleItems()->Item(2)->setRelevantValue("ZZ");
  copy->ruleItems()->Item(2)->setLength(9);
  EXPECT_EQ(rule->ruleItems()->Item(2)->relevantValue(), "AB");
  EXPECT_EQ(rule->ruleItems()->Item(2)->length(), 2);
}

TEST(ModelBarCodeRule, CopyToReplacesTheTargetsItems) {
  auto rule = MakeRule(6);
  AddItem(rule, ISTInventory, 1, 6);
  auto target = MakeRule(3);
  AddItem(target, ISTBatch, 1, 1);
  AddItem(target, ISTBatch, 2, 2);
  auto targetItems = target->ruleItems();

  rule->CopyTo(target);
  ASSERT_EQ(target->ruleItems()->Count(), 1);
  EXPECT_EQ(target->ruleItems()->Item(1)->itemType(), ISTInventory);
  EXPECT_EQ(targetItems->Count(), 2) << "the earlier collection is dropped, not emptied";
}

TEST(ModelBarCodeRule, CopyToItselfOrASharedCollectionKeepsTheItems) {
  auto rule = MakeRule(6);
  AddItem(rule, ISTInventory, 1, 2);
  AddItem(rule, ISTBatch, 3, 4);
  rule->CopyTo(rule);
  ASSERT_EQ(rule->ruleItems()->Count(), 2);
  EXPECT_EQ(rule->ruleItems()->Item(2)->objRule(), rule);

  auto sharing = MakeRule(6);
  sharing->setRuleItems(rule->ruleItems());
  rule->CopyTo(sharing);
  EXPECT_EQ(sharing->ruleItems()->Count(), 2);
  EXPECT_EQ(rule->ruleItems()->Count(), 2);
  EXPECT_EQ(sharing->ruleItems()->Item(1)->objRule(), sharing);
}

TEST(ModelBarCodeRule, CopyToRefusesEmptyAndForeignTargets) {
  auto rule = MakeRule(6);
  std::shared_ptr<ICloneable> empty;
  Error e = CaughtError([&] { rule->CopyTo(empty); });
  EXPECT_EQ(e.source(), "Assert");
  EXPECT_EQ(e.description(), "CopyTo的参数类型必须是clsBarCodeRule,且不能为空对象");

  std::shared_ptr<ICloneable> foreign = std::make_shared<clsInventoryInfo>();
  EXPECT_EQ(CaughtError([&] { rule->CopyTo(foreign); }).number(), Error::kTypeMismatch);

  auto item = rule->CreateRuleItem(ISTBatch);
  e = CaughtError([&] { item->CopyTo(empty); });
  EXPECT_EQ(e.source(), "Assert");
  EXPECT_EQ(e.description(), "CopyTo得参数类型必须是clsBarCodeRuleItem,且不能为空对象");
  std::shared_ptr<ICloneable> otherRule = MakeRule(1);
  EXPECT_EQ(CaughtError([&] { item->CopyTo(otherRule); }).number(), Error::kTypeMismatch);
}

TEST(ModelBarCodeRuleItem, CloneKeepsTheSameRule) {
  auto rule = MakeRule(10);
  auto item = AddItem(rule, ISTMassDay, 3, 2, "保质期", "月数");
  item->setIndex(7);
  auto copy = std::dynamic_pointer_cast<clsBarCodeRuleItem>(item->Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, item);
  EXPECT_EQ(copy->objRule(), rule);
  EXPECT_EQ(copy->index(), 7);
  EXPECT_EQ(copy->relevantValue(), "月数");
}

TEST(ModelBarCodeRuleItem, ItemsDoNotKeepTheirRuleAlive) {
  std::weak_ptr<clsBarCodeRule> watch;
  std::shared_ptr<clsBarCodeRuleItem> item;
  std::shared_ptr<clsBarCode> barCode;
  {
    auto rule = MakeRule(4);
    item = AddItem(rule, ISTInventory, 1, 4);
    barCode = rule->DecodeBarCode("ABCD");
    watch = rule;
  }
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(item->objRule(), nullptr);
  EXPECT_EQ(barCode->items()->Item(1)->ruleItem(), item);
}

}  // namespace
}  // namespace quillstone
