#include "quillstone/model/clsInventoryBarCodeSet.h"

namespace quillstone {

std::shared_ptr<ICloneable> clsInventoryBarCodeSet::Clone() { return CloneBarCodeSet(); }

std::shared_ptr<clsInventoryBarCodeSet> clsInventoryBarCodeSet::CloneBarCodeSet() const {
  auto copy = std::make_shared<clsInventoryBarCodeSet>();
  if (invInfo_) copy->setInvInfo(std::make_shared<clsInventoryInfo>());
  CopyTo(copy);
  return copy;
}

void clsInventoryBarCodeSet::CopyTo(std::shared_ptr<ICloneable>& obj) {
  CopyTo(CopyTarget<clsInventoryBarCodeSet>(obj));
}

void clsInventoryBarCodeSet::CopyTo(const std::shared_ptr<clsInventoryBarCodeSet>& obj) const {
  // The record has no message of its own for a missing target: it is the host's "object not set".
  if (!obj) throw Error(91, "Platform", "对象变量或 With 块变量未设置");
  if (invInfo_ && obj->invInfo()) invInfo_->CopyTo(obj->invInfo());
  obj->setAssignId(assignId_);
  obj->setBAbandon(bAbandon_);
  obj->setBarCode(barCode_);
  obj->setCreateDate(createDate_);
  obj->setRuleId(ruleId_);
}

}  // namespace quillstone
