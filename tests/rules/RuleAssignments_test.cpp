#include <gtest/gtest.h>

#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/server/host/HostUserVO.h"
#include "src/quillstone/rules/RuleManagerSupport.h"
#include "rules/RuleTestSupport.h"

using namespace quillstone;
using quillstone::test::CaughtError;
using quillstone::test::FailureText;
using quillstone::test::MakeRule;
using quillstone::test::PlainRule;
using quillstone::test::SampleTime;

namespace {

const char* const kItemTaken = "该存货已经分配了条码规则，不能再次分配";
const char* const kClassTaken = "该存货分类已经分配了条码规则，不能再次分配";

std::shared_ptr<clsRuleAssign> ItemAssign(const std::string& inv, const std::string& rule, const std::string& id = "") {
  auto a = std::make_shared<clsInventoryAssign>();
  a->setInventoryId(inv);
  a->setRuleId(rule);
  a->setAssignId(id);
  return a;
}

std::shared_ptr<clsRuleAssign> ClassAssign(const std::string& cls, const std::string& rule, const std::string& id = "") {
  auto a = std::make_shared<clsInventoryClassAssign>();
  a->setInvClassId(cls);
  a->setRuleId(rule);
  a->setAssignId(id);
  return a;
}

TEST(AssignIdFormat, StampThenFourDigitsOfRandomAndCounter) {
  EXPECT_EQ(rules::FormatAssignId(SampleTime(), 0.25F, 1), "0301180905072501");
  EXPECT_EQ(rules::FormatAssignId(SampleTime(), 0.0F, 0), "0301180905070000");
  EXPECT_EQ(rules::FormatAssignId(SampleTime(), 0.99995F, 32767), "0301180905072766");
  for (int i = 0; i < 100; ++i) {
    const float r = rules::TimerSeededRandom();
    EXPECT_GE(r, 0.0F);
    EXPECT_LT(r, 1.0F);
  }
}

class RuleAssignmentsTest : public RuleManagerTest {
 protected:
  void SetUp() override {
    RuleManagerTest::SetUp();
    if (HasFatalFailure()) return;
    rm->CreateRule(PlainRule("R1", "规则一"));
    rm->CreateRule(PlainRule("R2", "规则二"));
    rm->CreateRule(MakeRule("RB", "批次", 9, {{ISTInventory, 6}, {ISTBatch, 3}}));
  }
  int64_t AssignRows() { return Count("select count(*) from RuleAssign"); }
};

TEST_P(RuleAssignmentsTest, CodesCountUpAndOverflow) {
  RuleManagerTestAccess::FixClock(*rm, SampleTime());
  RuleManagerTestAccess::SetRandom(*rm, [] { return 0.25F; });
  EXPECT_EQ(RuleManagerTestAccess::NewAssignId(*rm), "0301180905072501");
  EXPECT_EQ(RuleManagerTestAccess::Counter(*rm), 2);
  EXPECT_EQ(RuleManagerTestAccess::NewAssignId(*rm), "0301180905072502");

  RuleManagerTestAccess::SetCounter(*rm, 32767);
  Error overflow = CaughtError([&] { RuleManagerTestAccess::NewAssignId(*rm); });
  EXPECT_EQ(overflow.number(), Error::kOverflow);
  EXPECT_EQ(RuleManagerTestAccess::Counter(*rm), 32767);
}

TEST_P(RuleAssignmentsTest, CreateGivesANewCodeAndLoadsBack) {
  auto a = ItemAssign("P001", "R1", "caller's own");
  rm->CreateAssign(a);
  EXPECT_EQ(a->assignId().size(), 16u);
  EXPECT_EQ(a->assignId().find_first_not_of("0123456789"), std::string::npos) << a->assignId();

  auto loaded = std::dynamic_pointer_cast<clsInventoryAssign>(rm->LoadAssignByInventory("P001"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->assignId(), a->assignId());
  EXPECT_EQ(loaded->inventoryName(), "智能手机X1");
  EXPECT_EQ(loaded->ruleName(), "规则一");

  auto c = ClassAssign("0101", "R2");
  rm->CreateAssign(c);
  auto cls = std::dynamic_pointer_cast<clsInventoryClassAssign>(rm->LoadAssignByInventoryClass("0101"));
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->assignId(), c->assignId());
  EXPECT_EQ(cls->invClassName(), "手机");
  EXPECT_NE(c->assignId(), a->assignId());
  EXPECT_TRUE(rm->IsRuleInUsed("R1"));
}

TEST_P(RuleAssignmentsTest, ItemChecksInTheirOrder) {
  // The item lookup comes first, with the host's own text; then the rule.
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("ZZZ", "NOPE"); rm->CreateAssign(a); }), "找不到存货'ZZZ'");
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("P001", "NOPE"); rm->CreateAssign(a); }), "条码规则'NOPE'不存在");

  // Not barcode-managed is refused before the batch source could object to H001.
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("H001", "RB"); rm->CreateAssign(a); }), "该存货不是条码管理存货");
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("P003", "R1"); rm->CreateAssign(a); }),
            "存货'P003'已经停用，不能分配规则.");

  // The segments' sources have the last word: P002 is not batch-managed.
  auto vo = std::make_shared<HostUserVO>();
  vo->inventoryCode = "P002";
  vo->batchManaged = Variant(false);
  auto batchItem = rm->LoadRule("RB")->ruleItems()->Item(2);
  const std::string batchRefusal = CaughtError([&] { Source(ISTBatch)->VerifyAssign(vo, batchItem); }).description();
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("P002", "RB"); rm->CreateAssign(a); }), batchRefusal);
  EXPECT_EQ(AssignRows(), 0);

  auto first = ItemAssign("P002", "R1");
  rm->CreateAssign(first);
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("P002", "R2"); rm->CreateAssign(a); }), kItemTaken);
  // Not even with the existing assignment's own code.
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("P002", "R2", first->assignId()); rm->CreateAssign(a); }),
            kItemTaken);
  EXPECT_EQ(AssignRows(), 1);
}

TEST_P(RuleAssignmentsTest, DataRightsHideItems) {
  RestartAs("limited");
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("S001", "R1"); rm->CreateAssign(a); }), "没有存货'S001'的访问权限");
  auto visible = ItemAssign("P001", "R1");
  EXPECT_NO_THROW(rm->CreateAssign(visible));
}

TEST_P(RuleAssignmentsTest, ClassChecksInTheirOrder) {
  EXPECT_EQ(FailureText([&] { auto a = ClassAssign("99", "NOPE"); rm->CreateAssign(a); }), "存货分类'99'不存在.");
  // The code reaches the class lookup as a literal, apostrophe and all.
  EXPECT_EQ(FailureText([&] { auto a = ClassAssign("0' or '1'='1", "R1"); rm->CreateAssign(a); }),
            "存货分类'0' or '1'='1'不存在.");
  EXPECT_EQ(FailureText([&] { auto a = ClassAssign("01", "NOPE"); rm->CreateAssign(a); }), "条码规则'NOPE'不存在");
  auto first = ClassAssign("01", "R1");
  rm->CreateAssign(first);
  EXPECT_EQ(FailureText([&] { auto a = ClassAssign("01", "R2"); rm->CreateAssign(a); }), kClassTaken);
  EXPECT_EQ(AssignRows(), 1);
}

TEST_P(RuleAssignmentsTest, SaveKeepsTheCodeAndRespectsOtherAssignments) {
  auto a = ItemAssign("P001", "R1");
  rm->CreateAssign(a);
  auto other = ItemAssign("P002", "R1");
  rm->CreateAssign(other);

  a->setRuleId("R2");
  rm->SaveAssign(a);
  EXPECT_EQ(rm->LoadAssignByInventory("P001")->ruleId(), "R2");
  EXPECT_EQ(rm->LoadAssignByInventory("P001")->assignId(), a->assignId());

  std::static_pointer_cast<clsInventoryAssign>(a)->setInventoryId("P002");
  EXPECT_EQ(FailureText([&] { rm->SaveAssign(a); }), kItemTaken);

  auto c = ClassAssign("01", "R1");
  rm->CreateAssign(c);
  auto d = ClassAssign("02", "R1");
  rm->CreateAssign(d);
  std::static_pointer_cast<clsInventoryClassAssign>(d)->setInvClassId("01");
  EXPECT_EQ(FailureText([&] { rm->SaveAssign(d); }), kClassTaken);
  EXPECT_EQ(rm->LoadAssignByInventoryClass("02")->assignId(), d->assignId());
}

TEST_P(RuleAssignmentsTest, AssignmentWithBarcodesIsFrozen) {
  auto a = ItemAssign("P001", "R1");
  rm->CreateAssign(a);
  EXPECT_FALSE(rm->IsAssignInUsed(a->assignId()));
  InsertBarCode("B1", "R1", a->assignId());
  EXPECT_TRUE(rm->IsAssignInUsed(a->assignId()));

  a->setRuleId("R2");
  EXPECT_EQ(FailureText([&] { rm->SaveAssign(a); }), "已经有条码使用该规则分配生成，不能修改规则分配");
  EXPECT_EQ(FailureText([&] { rm->RemoveAssign(a->assignId()); }), "已经有条码使用该规则分配生成，不能删除规则分配.");
  EXPECT_EQ(rm->LoadAssignByInventory("P001")->ruleId(), "R1");

  auto b = ItemAssign("P002", "R1");
  rm->CreateAssign(b);
  rm->RemoveAssign(b->assignId());
  EXPECT_EQ(rm->LoadAssignByInventory("P002"), nullptr);
  EXPECT_NO_THROW(rm->RemoveAssign("not stored"));
}

TEST_P(RuleAssignmentsTest, DatabaseHoldsOneAssignmentPerItemAndClass) {
  InsertAssign("A1", 1, "P001", "", "R1");
  InsertAssign("A2", 0, "", "01", "R1");
  EXPECT_THROW(InsertAssign("A3", 1, "P001", "", "R2"), Error);
  EXPECT_THROW(InsertAssign("A4", 2, "", "01", "R2"), Error);
  EXPECT_NO_THROW(InsertAssign("A5", 0, "P001", "02", "R2")) << "a class row does not hold the item";
}

TEST_P(RuleAssignmentsTest, TheLoserOfARaceGetsTheAlreadyAssignedMessage) {
  // The other client writes between this one's check and its insert.
  auto other = Connection::Open(connectionString());
  int draws = 0;
  RuleManagerTestAccess::SetRandom(*rm, [&] {
    ++draws;
    if (draws == 1) {
      other->Execute("insert into RuleAssign(assignId,assignType,invId,ruleId) values('OTHER1',1,'P001','R2')");
    } else if (draws == 2) {
      other->Execute("insert into RuleAssign(assignId,assignType,classId,ruleId) values('OTHER2',0,'01','R2')");
    }
    return 0.5F;
  });
  EXPECT_EQ(FailureText([&] { auto a = ItemAssign("P001", "R1"); rm->CreateAssign(a); }), kItemTaken);
  EXPECT_EQ(FailureText([&] { auto a = ClassAssign("01", "R1"); rm->CreateAssign(a); }), kClassTaken);
  EXPECT_EQ(rm->LoadAssignByInventory("P001")->assignId(), "OTHER1");
  EXPECT_EQ(draws, 2) << "a lost race draws no further code";
  EXPECT_EQ(AssignRows(), 2);
}

TEST_P(RuleAssignmentsTest, ACodeAlreadyStoredIsDrawnAgain) {
  RuleManagerTestAccess::FixClock(*rm, SampleTime());
  RuleManagerTestAccess::SetRandom(*rm, [] { return 0.25F; });
  InsertAssign("0301180905072501", 0, "", "02", "R2");

  auto a = ItemAssign("P001", "R1");
  rm->CreateAssign(a);
  EXPECT_EQ(a->assignId(), "0301180905072502");
  EXPECT_EQ(rm->LoadAssignByInventory("P001")->assignId(), "0301180905072502");
  EXPECT_EQ(rm->LoadAssignByInventoryClass("02")->ruleId(), "R2") << "the earlier row is untouched";
}

QS_INSTANTIATE_BACKENDS(RuleAssignmentsTest);

}  // namespace
