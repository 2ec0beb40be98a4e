#include "quillstone/model/clsInventoryBarCodeSet.h"

#include <gtest/gtest.h>

#include "support/CaughtError.h"
#include "quillstone/model/clsBarCodeRule.h"

namespace quillstone {
namespace {

using test::CaughtError;

std::shared_ptr<clsInventoryBarCodeSet> Record(bool withInfo) {
  auto record = std::make_shared<clsInventoryBarCodeSet>();
  record->setBarCode("AB123456");
  record->setRuleId("R01");
  record->setAssignId("A01");
  record->setCreateDate("2024-03-05");
  record->setBAbandon(true);
  if (withInfo) {
    auto info = std::make_shared<clsInventoryInfo>();
    info->setInventoryId("I001");
    info->setBatchNo("B7");
    record->setInvInfo(info);
  }
  return record;
}

void ExpectSameFields(const clsInventoryBarCodeSet& a, const clsInventoryBarCodeSet& b) {
  EXPECT_EQ(a.barCode(), b.barCode());
  EXPECT_EQ(a.ruleId(), b.ruleId());
  EXPECT_EQ(a.assignId(), b.assignId());
  EXPECT_EQ(a.createDate(), b.createDate());
  EXPECT_EQ(a.bAbandon(), b.bAbandon());
}

TEST(ModelInventoryBarCodeSet, NewRecordIsNotAbandonedAndHasNoInfo) {
  clsInventoryBarCodeSet record;
  EXPECT_FALSE(record.bAbandon());
  EXPECT_EQ(record.invInfo(), nullptr);
}

TEST(ModelInventoryBarCodeSet, CloneGetsItsOwnInventoryInfo) {
  auto record = Record(true);
  auto copy = std::dynamic_pointer_cast<clsInventoryBarCodeSet>(record->Clone());
  ASSERT_NE(copy, nullptr);
  ExpectSameFields(*copy, *record);
  ASSERT_NE(copy->invInfo(), nullptr);
  EXPECT_NE(copy->invInfo(), record->invInfo());
  EXPECT_EQ(copy->invInfo()->inventoryId(), "I001");
  EXPECT_EQ(copy->invInfo()->batchNo(), Variant("B7"));

  copy->invInfo()->setBatchNo("B8");
  EXPECT_EQ(record->invInfo()->batchNo(), Variant("B7"));
}

TEST(ModelInventoryBarCodeSet, CloneWithoutInfoHasNone) {
  auto copy = Record(false)->CloneBarCodeSet();
  EXPECT_EQ(copy->invInfo(), nullptr);
  EXPECT_EQ(copy->barCode(), "AB123456");
}

TEST(ModelInventoryBarCodeSet, CopyToFillsOnlyAnExistingInfo) {
  auto record = Record(true);
  auto bare = std::make_shared<clsInventoryBarCodeSet>();
  record->CopyTo(bare);
  ExpectSameFields(*bare, *record);
  EXPECT_EQ(bare->invInfo(), nullptr);

  auto withInfo = Record(false);
  auto existing = std::make_shared<clsInventoryInfo>();
  withInfo->setInvInfo(existing);
  record->CopyTo(withInfo);
  EXPECT_EQ(withInfo->invInfo(), existing);
  EXPECT_EQ(existing->inventoryId(), "I001");
}

TEST(ModelInventoryBarCodeSet, CopyToRefusesEmptyAndForeignTargets) {
  auto record = Record(true);
  std::shared_ptr<ICloneable> empty;
  Error e = CaughtError([&] { record->CopyTo(empty); });
  EXPECT_NE(e.number(), Error::kLibraryNumber);
  std::shared_ptr<ICloneable> foreign = std::make_shared<clsBarCodeRule>();
  EXPECT_EQ(CaughtError([&] { record->CopyTo(foreign); }).number(), Error::kTypeMismatch);
}

}  // namespace
}  // namespace quillstone
