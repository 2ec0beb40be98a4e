// Walks the items of a rule together with the segments of a barcode. Segment i belongs to rule
// item i: they are matched by position, never by a key.
#pragma once

#include <memory>

#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/platform/Int16.h"

namespace quillstone::barcodes {

// Calls fn(ruleItem, segment) for each rule item in order; `segment` is the barcode's own
// reference, so a source that replaces the segment object replaces it in the barcode. The count
// is a 16-bit counter, and a barcode with fewer segments than the rule fails on the first missing
// one with the collection's out-of-range failure.
template <typename Fn>
void ForEachSegment(const clsBarCodeRule& rule, const clsBarCode& barCode, Fn&& fn) {
  const RuleItemCollection& ruleItems = *rule.ruleItems();
  BarCodeItemCollection& segments = *barCode.items();
  const int16_t count = ToInt16(ruleItems.Count());
  for (int i = 1; i <= count; ++i) fn(ruleItems.Item(i), segments.Item(i));
}

}  // namespace quillstone::barcodes
