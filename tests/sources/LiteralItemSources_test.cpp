// The fixed, other, check and batch sources: no database, so plain tests.
#include <gtest/gtest.h>

#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/sources/clsBatchItemSource.h"
#include "src/quillstone/sources/clsCheckItemSource.h"
#include "src/quillstone/sources/clsFixedItemSource.h"
#include "src/quillstone/sources/clsOtherItemSource.h"
#include "sources/SegmentFrame.h"
#include "support/CaughtError.h"

namespace quillstone {
namespace {

using namespace test;

TEST(LiteralItemSources, LengthIsConstantExceptForTheBatchSource) {
  clsFixedItemSource fixed;
  clsOtherItemSource other;
  clsCheckItemSource check;
  clsBatchItemSource batch;
  for (clsItemSource* source : std::initializer_list<clsItemSource*>{&fixed, &other, &check, &batch}) {
    source->setLength(9);
    source->setSourceName(" 名称 ");
    EXPECT_EQ(source->sourceName(), " 名称 ");
  }
  EXPECT_EQ(fixed.length(), 0);
  EXPECT_EQ(other.length(), 0);
  EXPECT_EQ(check.length(), 1);
  EXPECT_EQ(batch.length(), 9);
  EXPECT_EQ(fixed.itemType(), ISTFixed);
  EXPECT_EQ(other.itemType(), ISTOther);
  EXPECT_EQ(check.itemType(), ISTCheck);
  EXPECT_EQ(batch.itemType(), ISTBatch);
}

TEST(LiteralItemSources, RuleItemLengthMustLieWithinTheRule) {
  clsFixedItemSource fixed;
  clsOtherItemSource other;
  clsCheckItemSource check;
  clsBatchItemSource batch;
  for (clsItemSource* source : std::initializer_list<clsItemSource*>{&fixed, &other, &check, &batch}) {
    // A missing rule item is the caller's fault, refused rather than dereferenced.
    ExpectRaised(CaughtError([&] { source->VerifyRuleItem(nullptr); }), "Assert", "bad parameter: ruleItem");
    auto empty = MakeSegmentFrame(source->itemType(), 0, "");
    ExpectRaised(CaughtError([&] { source->VerifyRuleItem(empty.item); }), "Assert", "条码规则项长度不能小于1");
    auto tooLong = MakeSegmentFrame(source->itemType(), 11, Blanks(11), 10);
    ExpectRaised(CaughtError([&] { source->VerifyRuleItem(tooLong.item); }), "Assert",
                 "条码规则项长度不能大于条码总长度");
    auto whole = MakeSegmentFrame(source->itemType(), 10, "ABCDEFGHIJ", 10);
    EXPECT_TRUE(source->VerifyRuleItem(whole.item));
    if (source != &batch) {
      EXPECT_TRUE(source->VerifyAssign(nullptr, whole.item));
    }
  }
}

TEST(FixedItemSource, RelevantValueMustFillTheItemInAnsiBytes) {
  clsFixedItemSource fixed;
  ExpectRaised(CaughtError([&] { fixed.VerifyRuleItem(MakeSegmentFrame(ISTFixed, 4, "AB").item); }), "Assert",
               "固定项的相关值是固定项的值，其长度必须等于固定项定义的长度");
  EXPECT_TRUE(fixed.VerifyRuleItem(MakeSegmentFrame(ISTFixed, 4, "中AB").item));
  ExpectRaised(CaughtError([&] { fixed.VerifyRuleItem(MakeSegmentFrame(ISTFixed, 4, "中文字").item); }), "Assert",
               "固定项的相关值是固定项的值，其长度必须等于固定项定义的长度");
}

TEST(FixedItemSource, EncodesTheRelevantValueAndVerifiesItExactly) {
  clsFixedItemSource fixed;
  auto f = MakeSegmentFrame(ISTFixed, 4, "中文");
  f.info->setBatchNo(Variant("B1"));
  auto decoded = RoundTrip(fixed, f);
  EXPECT_EQ(f.segment->value(), "中文");
  EXPECT_TRUE(decoded->batchNo().isEmpty());

  f.segment->setValue("中文 ");
  ExpectRaised(CaughtError([&] { fixed.Verify(f.info, f.segment, f.item); }), "Error",
               "固定项的条码值与条码规则中规定固定项的值不一致，要求值为 中文,实际值为 中文 ");
  auto letters = MakeSegmentFrame(ISTFixed, 2, "AB");
  letters.segment->setValue("ab");
  ExpectRaised(CaughtError([&] { fixed.Verify(letters.info, letters.segment, letters.item); }), "Error",
               "固定项的条码值与条码规则中规定固定项的值不一致，要求值为 AB,实际值为 ab");
}

TEST(CheckItemSource, BlankSegmentIsFilledWithOneZeroPadded) {
  clsCheckItemSource check;
  struct Case {
    const char* before;
    int16_t length;
    const char* after;
  };
  for (const Case& c :
       {Case{" ", 1, "1"}, Case{" ", 2, "01"}, Case{"", 3, "001"}, Case{"7", 1, "7"}, Case{" 7", 3, " 7"}}) {
    auto f = MakeSegmentFrame(ISTCheck, c.length, "");
    f.segment->setValue(c.before);
    check.Encode(f.info, f.item, f.segment);
    EXPECT_EQ(f.segment->value(), c.after) << c.before << "/" << c.length;
  }
}

TEST(CheckItemSource, VerifyJudgesTheTrimmedLength) {
  clsCheckItemSource check;
  auto f = MakeSegmentFrame(ISTCheck, 2, "");
  check.Encode(f.info, f.item, f.segment);
  EXPECT_TRUE(check.Verify(f.info, f.segment, f.item));
  f.segment->setValue(" 1 ");
  ExpectRaised(CaughtError([&] { check.Verify(f.info, f.segment, f.item); }), "Error",
               "校验项的长度与条码规则中规定的长度不一致，要求长度为  2,实际长度为 3");
  auto decoded = std::make_shared<clsInventoryInfo>();
  check.Decode(decoded, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), " 1 ");
}

TEST(OtherItemSource, KeepsTheCallersCharactersAndChecksTheirTrimmedLength) {
  clsOtherItemSource other;
  auto f = MakeSegmentFrame(ISTOther, 2, "");
  f.segment->setValue(" AB ");
  other.Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), " AB ");
  EXPECT_TRUE(other.Verify(f.info, f.segment, f.item));

  auto three = MakeSegmentFrame(ISTOther, 3, "");
  three.segment->setValue("AB ");
  ExpectRaised(CaughtError([&] { other.Verify(three.info, three.segment, three.item); }), "Error",
               "其它项的条码长度与条码规则中规定的长度不一致，要求长度为 3,实际长度为 3");
  auto chinese = MakeSegmentFrame(ISTOther, 4, "");
  chinese.segment->setValue("条码");
  EXPECT_TRUE(other.Verify(chinese.info, chinese.segment, chinese.item));
}

TEST(BatchItemSource, RoundTripKeepsTheBatchNumber) {
  clsBatchItemSource batch;
  auto f = MakeSegmentFrame(ISTBatch, 6, "");
  f.info->setBatchNo(Variant("批号01"));
  auto decoded = RoundTrip(batch, f);
  EXPECT_EQ(f.segment->value(), "批号01");
  EXPECT_EQ(decoded->batchNo(), Variant("批号01"));

  f.segment->setValue(" B0001");
  batch.Decode(decoded, f.item, f.segment);
  EXPECT_EQ(decoded->batchNo(), Variant(" B0001"));

  auto number = MakeSegmentFrame(ISTBatch, 3, "");
  number.info->setBatchNo(Variant(int32_t{123}));
  batch.Encode(number.info, number.item, number.segment);
  EXPECT_EQ(number.segment->value(), "123");
  EXPECT_TRUE(batch.Verify(number.info, number.segment, number.item));
}

TEST(BatchItemSource, ShortBatchIsEncodedUnchangedAndFailsVerify) {
  clsBatchItemSource batch;
  auto f = MakeSegmentFrame(ISTBatch, 6, "");
  f.info->setBatchNo(Variant("B01"));
  batch.Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), "B01");
  ExpectRaised(CaughtError([&] { batch.Verify(f.info, f.segment, f.item); }), "Error",
               "批号的长度与条码规则中规定的长度不一致，要求长度为  6,实际长度为 3");
}

TEST(BatchItemSource, VerifyComparesWithTheBatchNumberUnlessItIsNull) {
  clsBatchItemSource batch;
  auto f = MakeSegmentFrame(ISTBatch, 3, "");
  f.segment->setValue("B02");
  f.info->setBatchNo(Variant("B01"));
  ExpectRaised(CaughtError([&] { batch.Verify(f.info, f.segment, f.item); }), "Error",
               "批号与条码值不一致，要求条码值'B01'，但实际条码值为 'B02'");
  f.info->setBatchNo(Variant());
  ExpectRaised(CaughtError([&] { batch.Verify(f.info, f.segment, f.item); }), "Error",
               "批号与条码值不一致，要求条码值''，但实际条码值为 'B02'");
  f.info->setBatchNo(Variant::Null);
  EXPECT_TRUE(batch.Verify(f.info, f.segment, f.item));

  // A Null batch number has no text to encode.
  Error e = CaughtError([&] { batch.Encode(f.info, f.item, f.segment); });
  EXPECT_EQ(e.number(), Error::kInvalidUseOfNull);
  EXPECT_EQ(f.segment->value(), "B02");
}

TEST(BatchItemSource, AssignmentDemandsABatchManagedItem) {
  clsBatchItemSource batch;
  auto f = MakeSegmentFrame(ISTBatch, 3, "");
  auto inv = std::make_shared<HostUserVO>();
  inv->batchManaged = Variant(int32_t{0});
  ExpectRaised(CaughtError([&] { batch.VerifyAssign(inv, f.item); }), "Assert",
               "规则要求存货必须是批次管理的，但该存货并非批次管理.");
  inv->batchManaged = Variant(int32_t{1});
  EXPECT_TRUE(batch.VerifyAssign(inv, f.item));
}

}  // namespace
}  // namespace quillstone
