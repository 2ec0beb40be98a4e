#include "quillstone/model/clsBarCode.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

std::shared_ptr<clsBarCodeItem> AddSegment(const std::shared_ptr<clsBarCode>& barCode, const std::string& value) {
  auto segment = barCode->CreateBarCodeItem(std::make_shared<clsBarCodeRuleItem>());
  segment->setValue(value);
  barCode->items()->Add(segment);
  return segment;
}

TEST(ModelBarCode, NewBarCodeIsEmpty) {
  auto barCode = std::make_shared<clsBarCode>();
  EXPECT_FALSE(barCode->bAbandon());
  EXPECT_EQ(barCode->ruleId(), "");
  EXPECT_EQ(barCode->items()->Count(), 0);
  EXPECT_EQ(barCode->barCode(), "");
}

TEST(ModelBarCode, TextJoinsSegmentValuesAsTheyAre) {
  auto barCode = std::make_shared<clsBarCode>();
  AddSegment(barCode, "AB");
  AddSegment(barCode, "");
  AddSegment(barCode, "12");
  EXPECT_EQ(barCode->barCode(), "AB12");
  AddSegment(barCode, " 中 ");
  EXPECT_EQ(barCode->barCode(), "AB12 中 ");
}

TEST(ModelBarCode, CreateBarCodeItemLinksButDoesNotAppend) {
  auto barCode = std::make_shared<clsBarCode>();
  auto ruleItem = std::make_shared<clsBarCodeRuleItem>();
  auto segment = barCode->CreateBarCodeItem(ruleItem);
  EXPECT_EQ(barCode->items()->Count(), 0);
  EXPECT_EQ(segment->objBarCode(), barCode);
  EXPECT_EQ(segment->ruleItem(), ruleItem);
  EXPECT_EQ(segment->value(), "");
}

TEST(ModelBarCode, SegmentsDoNotKeepTheirBarCodeAlive) {
  std::weak_ptr<clsBarCode> watch;
  std::shared_ptr<clsBarCodeItem> segment;
  {
    auto barCode = std::make_shared<clsBarCode>();
    segment = AddSegment(barCode, "A");
    watch = barCode;
  }
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(segment->objBarCode(), nullptr);
}

}  // namespace
}  // namespace quillstone
