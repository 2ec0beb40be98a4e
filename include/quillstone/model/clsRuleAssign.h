// The common view of a rule assignment, whether to one inventory item or to an inventory class:
// what the rule manager stores and the barcode manager reads.
#pragma once

#include <string>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone {

class clsRuleAssign {
 public:
  virtual ~clsRuleAssign() = default;

  virtual const std::string& assignId() const = 0;
  virtual void setAssignId(std::string v) = 0;
  virtual const std::string& ruleId() const = 0;
  virtual void setRuleId(std::string v) = 0;
  virtual std::string ruleName() const = 0;
  virtual void setRuleName(std::string v) = 0;
  virtual RuleAssignType assignType() const = 0;
};

}  // namespace quillstone
