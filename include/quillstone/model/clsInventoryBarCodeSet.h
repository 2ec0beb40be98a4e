// One entry of the barcode registry in memory: a registered barcode, the rule and assignment it
// was made under, the inventory info it encodes, its registration date and abandon flag.
#pragma once

#include <memory>
#include <string>

#include "quillstone/model/ICloneable.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone {

class clsInventoryBarCodeSet : public ICloneable {
 public:
  const std::string& barCode() const { return barCode_; }
  void setBarCode(std::string v) { barCode_ = std::move(v); }
  const std::string& ruleId() const { return ruleId_; }
  void setRuleId(std::string v) { ruleId_ = std::move(v); }
  const std::string& assignId() const { return assignId_; }
  void setAssignId(std::string v) { assignId_ = std::move(v); }
  // Empty on a new record.
  const std::shared_ptr<clsInventoryInfo>& invInfo() const { return invInfo_; }
  void setInvInfo(std::shared_ptr<clsInventoryInfo> v) { invInfo_ = std::move(v); }
  const std::string& createDate() const { return createDate_; }
  void setCreateDate(std::string v) { createDate_ = std::move(v); }
  bool bAbandon() const { return bAbandon_; }
  void setBAbandon(bool v) { bAbandon_ = v; }

  // The copy's inventory info is a separate copy, never shared.
  std::shared_ptr<ICloneable> Clone() override;
  // Inventory info is copied only into a target that already has one.
  void CopyTo(std::shared_ptr<ICloneable>& obj) override;
  std::shared_ptr<clsInventoryBarCodeSet> CloneBarCodeSet() const;
  void CopyTo(const std::shared_ptr<clsInventoryBarCodeSet>& obj) const;

 private:
  std::string barCode_;
  std::string ruleId_;
  std::string assignId_;
  std::shared_ptr<clsInventoryInfo> invInfo_;
  std::string createDate_;
  bool bAbandon_ = false;
};

}  // namespace quillstone
