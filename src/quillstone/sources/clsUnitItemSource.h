// Segment from the unit of measure's short barcode, for items managed in several units.
#pragma once

#include "src/quillstone/sources/clsMasterDataItemSource.h"

namespace quillstone {

class clsUnitItemSource : public clsMasterDataItemSource {
 public:
  clsUnitItemSource();
  ItemSourceType itemType() const override { return ISTInventoryUnit; }

  // The item's unit group must have conversion rates.
  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
};

}  // namespace quillstone
