// The fields both kinds of rule assignment share, behind the common interface. The rule name is
// kept as a variant because loaders may store a Null in it.
#pragma once

#include <string>

#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/platform/Variant.h"

namespace quillstone {

class clsRuleAssignRecord : public clsRuleAssign {
 public:
  const std::string& assignId() const override { return assignId_; }
  void setAssignId(std::string v) override { assignId_ = std::move(v); }
  const std::string& ruleId() const override { return ruleId_; }
  void setRuleId(std::string v) override { ruleId_ = std::move(v); }
  // The rule name as text; a Null stored in it raises invalid use of Null.
  std::string ruleName() const override { return ruleName_.toString(); }
  void setRuleName(std::string v) override { ruleName_ = Variant(std::move(v)); }

  // The record's own rule name, unconverted.
  const Variant& ruleNameValue() const { return ruleName_; }
  void setRuleNameValue(Variant v) { ruleName_ = std::move(v); }

 private:
  std::string assignId_;
  std::string ruleId_;
  Variant ruleName_;
};

}  // namespace quillstone
