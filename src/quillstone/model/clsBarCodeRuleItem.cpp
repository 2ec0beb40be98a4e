#include "quillstone/model/clsBarCodeRuleItem.h"

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

std::shared_ptr<ICloneable> clsBarCodeRuleItem::Clone() { return CloneRuleItem(); }

std::shared_ptr<clsBarCodeRuleItem> clsBarCodeRuleItem::CloneRuleItem() const {
  auto copy = std::make_shared<clsBarCodeRuleItem>();
  CopyTo(copy);
  return copy;
}

void clsBarCodeRuleItem::CopyTo(std::shared_ptr<ICloneable>& obj) { CopyTo(CopyTarget<clsBarCodeRuleItem>(obj)); }

void clsBarCodeRuleItem::CopyTo(const std::shared_ptr<clsBarCodeRuleItem>& obj) const {
  Assert(obj != nullptr, "CopyTo得参数类型必须是clsBarCodeRuleItem,且不能为空对象");
  obj->objRule_ = objRule_;
  obj->setItemType(itemType_);
  obj->setSourceName(sourceName_);
  obj->setIndex(index_);
  obj->setLength(length_);
  obj->setRelevantValue(relevantValue_);
  obj->setStart(start_);
  obj->setAi(ai_);
}

}  // namespace quillstone
