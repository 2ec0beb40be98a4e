#include <gtest/gtest.h>

#include <tuple>

#include "quillstone/model/clsBarCodeType.h"
#include "rules/RuleTestSupport.h"

using namespace quillstone;
using quillstone::test::FailureText;
using quillstone::test::MakeRule;
using quillstone::test::PlainRule;

namespace {

class RuleStoreTest : public RuleManagerTest {
 protected:
  int64_t ItemRows(const std::string& ruleId) {
    return Count("select count(*) from BarCodeRuleItem where ruleId = ?", {Variant(ruleId)});
  }
  // Item inserts fail for the relevant value BOOM, so a write can be made to fail part-way.
  void RefuseBoomItems() {
    conn->Execute("drop table BarCodeRuleItem");
    conn->Execute(
        "create table BarCodeRuleItem (ruleId varchar(60) not null, \"index\" integer not null, length integer,"
        " itemSourceType integer, relevantValue varchar(128), ai varchar(4), primary key (ruleId, \"index\"),"
        " check (relevantValue is null or relevantValue <> 'BOOM'))");
  }
};

TEST_P(RuleStoreTest, CreatedRuleLoadsAsStored) {
  auto rule = MakeRule("R'1", "O'Brien 规则", 12, {{ISTInventory, 6}, {ISTFixed, 2, "A'"}, {ISTOther, 4}});
  rule->setDescription("it's a test");
  rm->CreateRule(rule);

  auto loaded = rm->LoadRule("R'1");
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->ruleId(), "R'1");
  EXPECT_EQ(loaded->ruleName(), "O'Brien 规则");
  EXPECT_EQ(loaded->length(), 12);
  EXPECT_EQ(loaded->barCodeType(), "1");
  EXPECT_EQ(loaded->description(), "it's a test");
  auto& items = *loaded->ruleItems();
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.Item(1)->sourceName(), "存货");
  EXPECT_EQ(items.Item(2)->itemType(), ISTFixed);
  EXPECT_EQ(items.Item(2)->relevantValue(), "A'");
  EXPECT_EQ(items.Item(3)->start(), 9);
  EXPECT_EQ(items.Item(3)->objRule(), loaded);

  EXPECT_EQ(rm->LoadRule("R'2"), nullptr);
  EXPECT_EQ(FailureText([&] { rm->CreateRule(PlainRule("R'1")); }), "条码规则编号重复");
}

TEST_P(RuleStoreTest, LoadComputesStartsAndSaveRenumbers) {
  conn->Execute("insert into BarCodeRule(ruleId,ruleName,length,barcodeType,description) values('R9',' 旧 ',6,null,null)");
  for (auto [index, length, type] : {std::tuple{2, 3, static_cast<int>(ISTBatch)}, {5, 2, ISTOther}, {7, 4, 99}, {9, 1, ISTInventory}}) {
    conn->Execute("insert into BarCodeRuleItem(ruleId,\"index\",length,itemSourceType,relevantValue) values('R9',?,?,?,' v ')",
                  {Variant(int32_t{index}), Variant(int32_t{length}), Variant(int32_t{type})});
  }

  auto rule = rm->LoadRule("R9");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->ruleName(), "旧");
  EXPECT_EQ(rule->barCodeType(), "");
  auto& items = *rule->ruleItems();
  ASSERT_EQ(items.Count(), 3) << "the item of an unknown source type is not loaded";
  const int16_t indexes[] = {2, 5, 9}, starts[] = {1, 4, 6};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(items.Item(i)->index(), indexes[i - 1]);
    EXPECT_EQ(items.Item(i)->start(), starts[i - 1]);
    EXPECT_EQ(items.Item(i)->relevantValue(), "v");
  }

  rm->SaveRule(rule);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(items.Item(i)->index(), i);
  EXPECT_EQ(Count("select count(*) from BarCodeRuleItem where ruleId = 'R9' and \"index\" in (1, 2, 3)"), 3);
  EXPECT_EQ(ItemRows("R9"), 3);
}

TEST_P(RuleStoreTest, ListsRulesAndTypes) {
  rm->CreateRule(PlainRule("R1", "一"));
  rm->CreateRule(MakeRule("R2", "二", 6, {{ISTInventory, 6}}));

  for (const std::string filter : {"", "   "}) {
    auto all = rm->ListRules(filter);
    ASSERT_EQ(all->Count(), 2);
    EXPECT_EQ(all->Item("R1")->ruleItems()->Count(), 2);
  }
  auto one = rm->ListRules("ruleName = '二'");
  ASSERT_EQ(one->Count(), 1);
  EXPECT_EQ(one->Item(1)->ruleId(), "R2");
  EXPECT_EQ(one->Item("R2")->ruleItems()->Item(1)->length(), 6);
  EXPECT_THROW(rm->ListRules("no such column = 1"), Error);

  auto types = rm->ListBarCodeTypes();
  EXPECT_EQ(types->Count(), Count("select count(*) from BarCodeType"));
  for (const auto& type : *types) EXPECT_EQ(types->Item(std::to_string(type->typeId())), type);
}

TEST_P(RuleStoreTest, RuleInUseIsFrozen) {
  rm->CreateRule(PlainRule("RA", "分配"));
  rm->CreateRule(PlainRule("RB", "条码"));
  rm->CreateRule(PlainRule("RC", "空闲"));
  InsertAssign("A1", 1, "P001", "", "RA");
  InsertBarCode("B1", "RB", "some assignment");

  for (std::string id : {"RA", "RB"}) {
    EXPECT_TRUE(rm->IsRuleInUsed(id)) << id;
    auto changed = PlainRule(id, "改名");
    EXPECT_EQ(FailureText([&] { rm->SaveRule(changed); }), "该条码规则已被使用，不能修改");
    EXPECT_EQ(FailureText([&] { rm->RemoveRule(id); }), "该条码规则已被使用，不能删除");
    EXPECT_EQ(rm->LoadRule(id)->ruleName(), id == "RA" ? "分配" : "条码");
    EXPECT_EQ(ItemRows(id), 2);
  }
  EXPECT_FALSE(rm->IsRuleInUsed("RC"));
}

TEST_P(RuleStoreTest, SaveAndRemove) {
  rm->CreateRule(PlainRule("R1", "旧名"));
  auto rule = MakeRule("R1", "新名", 6, {{ISTInventory, 6}});
  rm->SaveRule(rule);
  auto loaded = rm->LoadRule("R1");
  EXPECT_EQ(loaded->ruleName(), "新名");
  EXPECT_EQ(loaded->ruleItems()->Count(), 1);

  // A code that is not stored is refused instead of leaving items without a rule.
  auto unknown = PlainRule("R2");
  EXPECT_EQ(FailureText([&] { rm->SaveRule(unknown); }), "条码规则'R2'不存在，不能修改");
  EXPECT_EQ(ItemRows("R2"), 0);

  std::string id = "R1";
  rm->RemoveRule(id);
  EXPECT_EQ(rm->LoadRule("R1"), nullptr);
  EXPECT_EQ(ItemRows("R1"), 0);
  std::string missing = "NONE";
  EXPECT_NO_THROW(rm->RemoveRule(missing));
}

TEST_P(RuleStoreTest, AFailedItemInsertLeavesTheStoredRuleAsItWas) {
  RefuseBoomItems();
  rm->CreateRule(PlainRule("R1", "原样"));

  auto broken = MakeRule("R1", "改坏", 10, {{ISTInventory, 6}, {ISTFixed, 4, "BOOM"}});
  FailureText([&] { rm->SaveRule(broken); });
  auto kept = rm->LoadRule("R1");
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->ruleName(), "原样");
  EXPECT_EQ(kept->length(), 8);
  ASSERT_EQ(kept->ruleItems()->Count(), 2);
  EXPECT_EQ(kept->ruleItems()->Item(2)->relevantValue(), "AB");

  auto fresh = MakeRule("R2", "新建", 10, {{ISTInventory, 6}, {ISTFixed, 4, "BOOM"}});
  FailureText([&] { rm->CreateRule(fresh); });
  EXPECT_EQ(rm->LoadRule("R2"), nullptr);
  EXPECT_EQ(ItemRows("R2"), 0);

  // The connection is usable afterwards: no transaction was left open.
  EXPECT_FALSE(conn->InTransaction());
  rm->CreateRule(PlainRule("R3"));
  EXPECT_NE(rm->LoadRule("R3"), nullptr);
}

QS_INSTANTIATE_BACKENDS(RuleStoreTest);

}  // namespace
