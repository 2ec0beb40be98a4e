// The codec of a date segment: the production or expiry date in one of the barcode date formats
// "yyyymmdd", "yymmdd", "yyyymm", "yymm", which is the rule item's relevant value.
#pragma once

#include "quillstone/platform/Variant.h"
#include "src/quillstone/sources/FixedLength.h"
#include "quillstone/sources/clsItemSource.h"

namespace quillstone {

// The segment's length is the format's; the source keeps none.
class clsDateItemSource : public FixedLength<clsItemSource> {
 public:
  // The wording of one date kind's failures.
  struct Messages {
    const char* format;          // the relevant value is not one of the four formats
    const char* formatLength;    // the format's length differs from the rule item's
    const char* invalidDate;     // the inventory info's date is no real day
    const char* lengthPrefix;    // followed by the required and the actual length
    const char* empty;           // the inventory info has no date
    const char* mismatchPrefix;  // followed by the expected and the actual value
    const char* decodePrefix;    // followed by the segment that is no real day
  };

  bool VerifyRuleItem(const RuleItemPtr& ruleItem) override;
  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;

 protected:
  // The date read and written is the inventory property of itemType().
  explicit clsDateItemSource(const Messages& messages) : messages_(messages) {}

 private:
  // The inventory info's date in the rule item's format; the date must be a real day.
  std::string FormattedDate(const Variant& date, const std::string& format) const;

  const Messages& messages_;
};

}  // namespace quillstone
