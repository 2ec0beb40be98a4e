// Check segment: a position the caller may fill; left blank it gets the constant 1, zero-padded.
// No check digit is computed.
#pragma once

#include "quillstone/sources/clsCommonItemSource.h"

namespace quillstone {

class clsCheckItemSource : public clsCommonItemSource {
 public:
  int16_t length() const override { return 1; }
  void setLength(int16_t /*length*/) override {}
  ItemSourceType itemType() const override { return ISTCheck; }

  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
};

}  // namespace quillstone
