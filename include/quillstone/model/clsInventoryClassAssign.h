// The assignment of a barcode rule to an inventory class, inherited by the items below it that
// have no assignment of their own.
#pragma once

#include <string>

#include "quillstone/model/clsRuleAssignRecord.h"

namespace quillstone {

class clsInventoryClassAssign : public clsRuleAssignRecord {
 public:
  const std::string& invClassId() const { return invClassId_; }
  void setInvClassId(std::string v) { invClassId_ = std::move(v); }
  const std::string& invClassName() const { return invClassName_; }
  void setInvClassName(std::string v) { invClassName_ = std::move(v); }

  RuleAssignType assignType() const override { return RATInventoryClass; }

 private:
  std::string invClassId_;
  std::string invClassName_;
};

}  // namespace quillstone
