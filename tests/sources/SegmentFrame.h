// A one-item rule and an empty barcode of it: the smallest setting in which a segment codec runs,
// and the checks the codec tests share.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/sources/clsItemSource.h"

namespace quillstone::test {

struct SegmentFrame {
  std::shared_ptr<clsBarCodeRule> rule;
  std::shared_ptr<clsBarCodeRuleItem> item;
  std::shared_ptr<clsBarCode> barCode;
  std::shared_ptr<clsBarCodeItem> segment;
  std::shared_ptr<clsInventoryInfo> info = std::make_shared<clsInventoryInfo>();
};

inline SegmentFrame MakeSegmentFrame(ItemSourceType type, int16_t length, const std::string& relevantValue,
                                     int16_t ruleLength = 10) {
  SegmentFrame f;
  f.rule = std::make_shared<clsBarCodeRule>();
  f.rule->setLength(ruleLength);
  f.item = f.rule->CreateRuleItem(type);
  f.item->setLength(length);
  f.item->setRelevantValue(relevantValue);
  f.rule->ruleItems()->Add(f.item);
  f.barCode = f.rule->CreateBarCode();
  f.segment = f.barCode->items()->Item(1);
  return f;
}

// Encodes the frame's inventory info, verifies the segment against it and decodes the segment
// into a new inventory info, which it returns.
inline std::shared_ptr<clsInventoryInfo> RoundTrip(clsItemSource& source, SegmentFrame& f) {
  source.Encode(f.info, f.item, f.segment);
  EXPECT_TRUE(source.Verify(f.info, f.segment, f.item)) << f.segment->value();
  auto decoded = std::make_shared<clsInventoryInfo>();
  source.Decode(decoded, f.item, f.segment);
  return decoded;
}

}  // namespace quillstone::test
