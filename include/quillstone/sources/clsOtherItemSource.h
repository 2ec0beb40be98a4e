// Segment of characters supplied by the caller: encoding leaves them as they are and Verify
// checks only their length.
#pragma once

#include "quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

class clsOtherItemSource : public clsCommonItemSource {
 public:
  int16_t length() const override { return 0; }
  void setLength(int16_t /*length*/) override {}
  ItemSourceType itemType() const override { return ISTOther; }

  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
};

}  // namespace quillstone
