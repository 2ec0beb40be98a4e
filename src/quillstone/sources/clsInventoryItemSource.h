// Segment from the inventory item's short barcode; decoding also gives its name and class.
#pragma once

#include "src/quillstone/sources/clsMasterDataItemSource.h"

namespace quillstone {

class clsInventoryItemSource : public clsMasterDataItemSource {
 public:
  clsInventoryItemSource();
  ItemSourceType itemType() const override { return ISTInventory; }

 protected:
  // Refuses a record of another item than the one the info already names, then writes the
  // item's code, name, class code and class name.
  void WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const override;
  // A segment for the GS1 AI 01 is the item's barcode as a GTIN-14, which the item must have.
  std::string SegmentOf(const std::string& stored, const std::string& code, const RuleItemPtr& ruleItem) const override;
  std::shared_ptr<Recordset> FindBySegment(const std::string& value, const RuleItemPtr& ruleItem) const override;
};

}  // namespace quillstone
