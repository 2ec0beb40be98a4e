// The assignment of a barcode rule to one inventory item.
#pragma once

#include <string>

#include "quillstone/model/clsRuleAssignRecord.h"

namespace quillstone {

class clsInventoryAssign : public clsRuleAssignRecord {
 public:
  const std::string& inventoryId() const { return inventoryId_; }
  void setInventoryId(std::string v) { inventoryId_ = std::move(v); }
  const std::string& inventoryName() const { return inventoryName_; }
  void setInventoryName(std::string v) { inventoryName_ = std::move(v); }

  RuleAssignType assignType() const override { return RATInventory; }

 private:
  std::string inventoryId_;
  std::string inventoryName_;
};

}  // namespace quillstone
