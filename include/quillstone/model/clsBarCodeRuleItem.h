// One segment of a barcode rule: which item source fills it, where it sits in the barcode's ANSI
// bytes, how long it is, and the relevant value its item source reads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillstone/model/ICloneable.h"
#include "quillstone/model/modTypeDefine.h"

namespace quillstone {

class clsBarCodeRule;

class clsBarCodeRuleItem : public ICloneable {
 public:
  // The rule holds its items; the item only refers back, so an item outliving its rule sees none.
  std::shared_ptr<clsBarCodeRule> objRule() const { return objRule_.lock(); }
  void setObjRule(const std::shared_ptr<clsBarCodeRule>& v) { objRule_ = v; }
  ItemSourceType itemType() const { return itemType_; }
  void setItemType(ItemSourceType v) { itemType_ = v; }
  const std::string& sourceName() const { return sourceName_; }
  void setSourceName(std::string v) { sourceName_ = std::move(v); }
  int16_t index() const { return index_; }
  void setIndex(int16_t v) { index_ = v; }
  int16_t start() const { return start_; }
  void setStart(int16_t v) { start_ = v; }
  int16_t length() const { return length_; }
  void setLength(int16_t v) { length_ = v; }
  const std::string& relevantValue() const { return relevantValue_; }
  void setRelevantValue(std::string v) { relevantValue_ = std::move(v); }
  // The GS1 application identifier the item fills ("17"); blank on rules of other symbologies.
  const std::string& ai() const { return ai_; }
  void setAi(std::string v) { ai_ = std::move(v); }

  // The copy refers to the same rule as this item.
  std::shared_ptr<ICloneable> Clone() override;
  void CopyTo(std::shared_ptr<ICloneable>& obj) override;
  std::shared_ptr<clsBarCodeRuleItem> CloneRuleItem() const;
  void CopyTo(const std::shared_ptr<clsBarCodeRuleItem>& obj) const;

 private:
  std::weak_ptr<clsBarCodeRule> objRule_;
  ItemSourceType itemType_ = ISTInventory;
  std::string sourceName_;
  int16_t index_ = 0;
  int16_t start_ = 0;
  int16_t length_ = 0;
  std::string relevantValue_;
  std::string ai_;
};

}  // namespace quillstone
