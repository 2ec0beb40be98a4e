// One barcode in memory: the rule it follows, its segments in barcode order, and whether it is
// abandoned. Its text is its segment values joined, or for a GS1 rule its element string.
#pragma once

#include <memory>
#include <string>

#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/Collection.h"

namespace quillstone {

using BarCodeItemCollection = Collection<std::shared_ptr<clsBarCodeItem>>;

class clsBarCode : public std::enable_shared_from_this<clsBarCode> {
 public:
  const std::string& ruleId() const { return ruleId_; }
  void setRuleId(std::string v) { ruleId_ = std::move(v); }
  // Shared by reference, made empty on first use.
  const std::shared_ptr<BarCodeItemCollection>& items() const;
  void setItems(std::shared_ptr<BarCodeItemCollection> v) { items_ = std::move(v); }
  bool bAbandon() const { return bAbandon_; }
  void setBAbandon(bool v) { bAbandon_ = v; }

  // The segment values in order, nothing added or removed between them. A barcode of a GS1 rule
  // is its fields in the registry's form, "(01)09506000134352(10)B12".
  std::string barCode() const;

  // A new empty segment of this barcode for the rule item; the caller appends it to items().
  std::shared_ptr<clsBarCodeItem> CreateBarCodeItem(const std::shared_ptr<clsBarCodeRuleItem>& ruleItem);

 private:
  std::string ruleId_;
  mutable std::shared_ptr<BarCodeItemCollection> items_;
  bool bAbandon_ = false;
};

}  // namespace quillstone
