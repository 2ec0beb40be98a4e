// Rule items that name a GS1 application identifier: stored and read back with their rule, and
// databases of the release before them upgraded in place when the system starts.
#include <gtest/gtest.h>

#include <algorithm>

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/server/schema/Schema.h"
#include "rules/RuleTestSupport.h"

using namespace quillstone;
using namespace quillstone::test;

namespace {

class Gs1RuleStoreTest : public RuleManagerTest {
 protected:
  // Turns the test database back into one of the release without AIs: no BarCodeRuleItem.ai and
  // no GS1 symbologies, with a rule and a registered barcode of that release in it.
  void MakeOlderDatabase() {
    sys.ExitSystem();
    conn->Execute("alter table BarCodeRuleItem drop column ai");
    conn->Execute("delete from BarCodeType where typeName like 'GS1%'");
    conn->Execute("insert into BarCodeRule(ruleId,ruleName,length,barcodeType) values('OLD','旧规则',8,'1')");
    conn->Execute(
        "insert into BarCodeRuleItem(ruleId,\"index\",length,itemSourceType,relevantValue) values"
        "('OLD',1,6,0,''),('OLD',2,2,11,'AB')");
    InsertBarCode("P001AB", "OLD", "A1");
  }

  std::vector<std::string> TypeNames() {
    std::vector<std::string> names;
    auto types = rm->ListBarCodeTypes();
    for (const auto& type : *types) names.push_back(type->typeName());
    return names;
  }
};

TEST_P(Gs1RuleStoreTest, AiIsStoredAndReadWithEachItem) {
  auto rule =
      MakeRule("G1", "药品", 30, {{ISTInventory, 14}, {ISTDisableDate, 6, "yymmdd"}, {ISTSequence, 10, "0000000000"}});
  rule->setBarCodeType("GS1 DataMatrix");
  const char* ais[] = {"01", "17", "21"};
  for (int i = 1; i <= 3; ++i) rule->ruleItems()->Item(i)->setAi(ais[i - 1]);
  rm->CreateRule(rule);

  auto loaded = rm->LoadRule("G1");
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(loaded->ruleItems()->Count(), 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(loaded->ruleItems()->Item(i)->ai(), ais[i - 1]) << "item " << i;
  auto copy = std::dynamic_pointer_cast<clsBarCodeRule>(loaded->Clone());
  EXPECT_EQ(copy->ruleItems()->Item(2)->ai(), "17");

  // Saving again replaces the items, AIs included.
  loaded->ruleItems()->Item(2)->setAi("15");
  rm->SaveRule(loaded);
  EXPECT_EQ(rm->LoadRule("G1")->ruleItems()->Item(2)->ai(), "15");
}

TEST_P(Gs1RuleStoreTest, RulesWithoutAisKeepABlankAi) {
  rm->CreateRule(PlainRule("P1"));
  auto loaded = rm->LoadRule("P1");
  for (const auto& item : *loaded->ruleItems()) EXPECT_EQ(item->ai(), "");
  EXPECT_EQ(Count("select count(*) from BarCodeRuleItem where ruleId = 'P1' and ai <> ''"), 0);
}

TEST_P(Gs1RuleStoreTest, NewDatabasesOfferTheGs1Symbologies) {
  auto names = TypeNames();
  for (const char* gs1 : {"GS1-128", "GS1 DataMatrix", "GS1 QR Code"})
    EXPECT_NE(std::find(names.begin(), names.end(), gs1), names.end()) << gs1;
}

TEST_P(Gs1RuleStoreTest, StartingOnAnOlderDatabaseUpgradesItInPlace) {
  MakeOlderDatabase();
  RestartAs("admin");

  auto old = rm->LoadRule("OLD");
  ASSERT_NE(old, nullptr);
  ASSERT_EQ(old->ruleItems()->Count(), 2);
  EXPECT_EQ(old->ruleItems()->Item(2)->relevantValue(), "AB");
  EXPECT_EQ(old->ruleItems()->Item(1)->ai(), "");
  EXPECT_EQ(Count("select count(*) from InventoryBarCodeSet where cBarCode = 'P001AB' and cRuleId = 'OLD'"), 1);
  // The old barcode still verifies.
  auto current = std::make_shared<clsInventoryInfo>();
  current->setInventoryId("P001");
  EXPECT_NO_THROW(sys.GetBarCodeManager()->VerifyBarCodeSet("P001AB", current));

  auto names = TypeNames();
  EXPECT_EQ(names.size(), 8u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "GS1-128"), 1);

  // The upgraded table stores AIs like a new one.
  auto rule = MakeRule("G2", "纸箱", 16, {{ISTInventory, 14}, {ISTBatch, 2}});
  rule->setBarCodeType("GS1-128");
  rule->ruleItems()->Item(1)->setAi("01");
  rule->ruleItems()->Item(2)->setAi("10");
  rm->CreateRule(rule);
  EXPECT_EQ(rm->LoadRule("G2")->ruleItems()->Item(1)->ai(), "01");
}

TEST_P(Gs1RuleStoreTest, UpgradeIsHarmlessWhenRepeatedOrWithoutTables) {
  MakeOlderDatabase();
  Schema::Upgrade(*conn);
  Schema::Upgrade(*conn);
  EXPECT_EQ(Count("select count(*) from BarCodeType where typeName like 'GS1%'"), 3);
  // Types a site numbered itself keep their numbers; the added ones take the next free ones.
  EXPECT_EQ(Count("select count(distinct typeId) from BarCodeType"), 8);

  conn->Execute("drop table BarCodeRuleItem");
  EXPECT_NO_THROW(Schema::Upgrade(*conn));
}

}  // namespace

QS_INSTANTIATE_BACKENDS(Gs1RuleStoreTest);
