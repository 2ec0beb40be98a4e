#include "quillstone/model/clsBarCode.h"

#include "src/quillstone/model/Gs1BarCodeText.h"

namespace quillstone {

const std::shared_ptr<BarCodeItemCollection>& clsBarCode::items() const {
  if (!items_) items_ = std::make_shared<BarCodeItemCollection>();
  return items_;
}

std::string clsBarCode::barCode() const {
  if (Gs1BarCodeText::IsGs1(*this)) return Gs1BarCodeText::Text(*this);
  std::string text;
  for (const auto& item : *items()) text += item->value();
  return text;
}

std::shared_ptr<clsBarCodeItem> clsBarCode::CreateBarCodeItem(const std::shared_ptr<clsBarCodeRuleItem>& ruleItem) {
  auto item = std::make_shared<clsBarCodeItem>();
  item->setObjBarCode(weak_from_this().lock());
  item->setRuleItem(ruleItem);
  return item;
}

}  // namespace quillstone
