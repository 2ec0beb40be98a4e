#include "quillstone/model/clsRuleAssign.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/CaughtError.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryClassAssign.h"

namespace quillstone {
namespace {

using test::CaughtError;

TEST(ModelRuleAssign, NewRecordsThroughTheCommonInterface) {
  std::shared_ptr<clsRuleAssign> item = std::make_shared<clsInventoryAssign>();
  EXPECT_EQ(item->assignId(), "");
  EXPECT_EQ(item->ruleId(), "");
  EXPECT_EQ(item->ruleName(), "");
  EXPECT_EQ(item->assignType(), RATInventory);

  std::shared_ptr<clsRuleAssign> cls = std::make_shared<clsInventoryClassAssign>();
  EXPECT_EQ(cls->assignType(), RATInventoryClass);
  EXPECT_EQ(static_cast<int32_t>(cls->assignType()), 0);
}

TEST(ModelRuleAssign, CommonAndOwnMembersAreOneField) {
  auto record = std::make_shared<clsInventoryClassAssign>();
  clsRuleAssign& common = *record;
  common.setAssignId("A1");
  common.setRuleId("R1");
  common.setRuleName("AB");
  EXPECT_EQ(record->assignId(), "A1");
  EXPECT_EQ(record->ruleId(), "R1");
  EXPECT_EQ(record->ruleNameValue(), Variant("AB"));

  record->setRuleNameValue(int32_t{7});
  EXPECT_EQ(common.ruleName(), "7");
}

TEST(ModelRuleAssign, NullRuleNameCannotBeReadAsText) {
  clsInventoryAssign record;
  record.setRuleNameValue(Variant::Null);
  const clsRuleAssign& common = record;
  EXPECT_EQ(CaughtError([&] { common.ruleName(); }).number(), Error::kInvalidUseOfNull);
}

}  // namespace
}  // namespace quillstone
