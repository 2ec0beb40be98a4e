// One segment of a barcode in memory: its characters and the rule item that governs it.
#pragma once

#include <memory>
#include <string>

#include "quillstone/model/clsBarCodeRuleItem.h"

namespace quillstone {

class clsBarCode;

class clsBarCodeItem {
 public:
  // The barcode holds its segments; the segment only refers back.
  std::shared_ptr<clsBarCode> objBarCode() const { return objBarCode_.lock(); }
  void setObjBarCode(const std::shared_ptr<clsBarCode>& v) { objBarCode_ = v; }
  const std::shared_ptr<clsBarCodeRuleItem>& ruleItem() const { return ruleItem_; }
  void setRuleItem(std::shared_ptr<clsBarCodeRuleItem> v) { ruleItem_ = std::move(v); }
  const std::string& value() const { return value_; }
  // A value set by the caller is the caller's: registration keeps it as it is.
  void setValue(std::string v) {
    value_ = std::move(v);
    placeholder_ = false;
  }
  // A running number shown by encoding stands in for the number registration will draw, since
  // other clients may draw the shown number first.
  bool isPlaceholder() const { return placeholder_; }
  void setPlaceholderValue(std::string v) {
    value_ = std::move(v);
    placeholder_ = true;
  }

 private:
  std::weak_ptr<clsBarCode> objBarCode_;
  std::shared_ptr<clsBarCodeRuleItem> ruleItem_;
  std::string value_;
  bool placeholder_ = false;
};

}  // namespace quillstone
