#include <gtest/gtest.h>

#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "rules/RuleTestSupport.h"

using namespace quillstone;
using quillstone::test::CaughtError;
using quillstone::test::FailureText;
using quillstone::test::PlainRule;

namespace {

class AssignmentLookupTest : public RuleManagerTest {
 protected:
  void SetUp() override {
    RuleManagerTest::SetUp();
    if (HasFatalFailure()) return;
    rm->CreateRule(PlainRule("R1", "规则一"));
  }
  // The class code of the assignment that governs the item ("" for none, "item" for its own).
  std::string Governing(const std::string& inv) {
    auto a = rm->FindAssignByInventory(inv);
    if (a == nullptr) return "";
    if (a->assignType() == RATInventory) return "item";
    return std::dynamic_pointer_cast<clsInventoryClassAssign>(a)->invClassId();
  }
  void ClassRule(const std::string& cls) { InsertAssign("C" + cls, 0, "", cls, "R1"); }
  void AddItemInClass(const std::string& inv, const std::string& cls, int grade) {
    conn->Execute("insert into InventoryClass(cInvCCode,cInvCName,iInvCGrade) values(?,'测试',?)",
                  {Variant(cls), Variant(int32_t{grade})});
    conn->Execute("insert into Inventory(cInvCode,cInvName,cInvCCode,bBarCode) values(?,'测试',?,1)",
                  {Variant(inv), Variant(cls)});
  }
};

TEST_P(AssignmentLookupTest, ClassWalkFindsTheNearestLevel) {
  EXPECT_EQ(Governing("P001"), "");
  ClassRule("01");
  EXPECT_EQ(Governing("P001"), "01");  // 0101001, then 0101, then 01
  ClassRule("0101");
  EXPECT_EQ(Governing("P001"), "0101");
  ClassRule("0101001");
  EXPECT_EQ(Governing("P001"), "0101001");
  EXPECT_EQ(Governing("F002"), "") << "class 0301 and class 03 have no assignment";

  auto found = std::dynamic_pointer_cast<clsInventoryClassAssign>(rm->FindAssignByInventory("P001"));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->invClassName(), "智能手机");
  EXPECT_EQ(found->ruleName(), "规则一");
}

TEST_P(AssignmentLookupTest, ItsOwnAssignmentWinsWithoutReadingTheCoding) {
  ClassRule("0101001");
  InsertAssign("OWN", 1, "P001", "", "R1");
  conn->Execute("delete from GradeDef");
  EXPECT_EQ(Governing("P001"), "item");
  EXPECT_EQ(FailureText([&] { rm->FindAssignByInventory("P002"); }), "存货分类编码级次不存在");
  EXPECT_EQ(FailureText([&] { rm->FindAssignByInventory("N001"); }), "存货分类编码级次不存在")
      << "even for an item without class";
}

TEST_P(AssignmentLookupTest, MissingDigitsOfTheCodingCountZero) {
  conn->Execute("update GradeDef set codingrule = '22'");
  ClassRule("0101");
  EXPECT_EQ(Governing("P001"), "0101");  // levels 3 and 2 both try 0101
  conn->Execute("update GradeDef set codingrule = '4x'");
  EXPECT_EQ(Governing("P001"), "0101") << "level 3 takes 4 + 0 + 0 characters";
}

TEST_P(AssignmentLookupTest, ClassCodeShorterThanItsLevelIsRefused) {
  AddItemInClass("T001", "01001", 3);
  ClassRule("01");
  EXPECT_EQ(FailureText([&] { rm->FindAssignByInventory("T001"); }), "编码级次和存货分类不一致");
}

TEST_P(AssignmentLookupTest, ItemsWithoutClassOrUnknown) {
  ClassRule("01");
  EXPECT_EQ(rm->FindAssignByInventory("N001"), nullptr);
  conn->Execute("insert into Inventory(cInvCode,cInvName,cInvCCode,bBarCode) values('X001','孤儿','0109',1)");
  EXPECT_EQ(rm->FindAssignByInventory("X001"), nullptr) << "its class row is missing";
  EXPECT_EQ(FailureText([&] { rm->FindAssignByInventory("NOPE"); }), "指定的存货不存在");
}

TEST_P(AssignmentLookupTest, ListsEveryKindAndFilters) {
  InsertAssign("A1", 1, "P001", "", "R1");
  InsertAssign("A2", 0, "", "01", "GONE");
  InsertAssign("A3", 2, "", "02", "R1");

  auto all = rm->ListAssigns();
  ASSERT_EQ(all->Count(), 3);
  int items = 0;
  for (const auto& a : *all) {
    if (a->assignId() == "A1") {
      ++items;
      EXPECT_EQ(std::dynamic_pointer_cast<clsInventoryAssign>(a)->inventoryName(), "智能手机X1");
    } else {
      auto cls = std::dynamic_pointer_cast<clsInventoryClassAssign>(a);
      ASSERT_NE(cls, nullptr) << a->assignId();
      if (a->assignId() == "A2") {
        EXPECT_EQ(cls->ruleName(), "") << "its rule is gone";
      } else {
        EXPECT_EQ(cls->invClassName(), "服装");
      }
    }
  }
  EXPECT_EQ(items, 1);

  EXPECT_EQ(rm->ListAssigns("   ")->Count(), 3);
  auto filtered = rm->ListAssigns("RuleAssign.ruleId = 'R1' and assignType <> 1");
  ASSERT_EQ(filtered->Count(), 1);
  EXPECT_EQ(filtered->Item(1)->assignId(), "A3");

  EXPECT_EQ(rm->LoadAssignByInventoryClass("02"), nullptr) << "only type 0 rows are class assignments there";
  EXPECT_EQ(rm->LoadAssignByInventory("P002"), nullptr);
}

TEST_P(AssignmentLookupTest, LoadByIdIsNotProvided) {
  Error e = CaughtError([&] { rm->LoadAssignById("A1"); });
  EXPECT_EQ(e.source(), "Error");
  EXPECT_EQ(e.description(), "This method have not implemented");
}

QS_INSTANTIATE_BACKENDS(AssignmentLookupTest);

}  // namespace
