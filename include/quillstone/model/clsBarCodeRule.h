// A barcode rule: how a barcode of a given total length is cut into segments, each filled by one
// item source. It makes empty barcodes for itself and cuts scanned texts into segments.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillstone/model/ICloneable.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/modTypeDefine.h"
#include "quillstone/platform/Collection.h"

namespace quillstone {

class Gs1ElementString;

using RuleItemCollection = Collection<std::shared_ptr<clsBarCodeRuleItem>>;

class clsBarCodeRule : public ICloneable, public std::enable_shared_from_this<clsBarCodeRule> {
 public:
  const std::string& ruleName() const { return ruleName_; }
  void setRuleName(std::string v) { ruleName_ = std::move(v); }
  const std::string& ruleId() const { return ruleId_; }
  void setRuleId(std::string v) { ruleId_ = std::move(v); }
  // Total barcode length in ANSI bytes.
  int16_t length() const { return length_; }
  void setLength(int16_t v) { length_ = v; }
  const std::string& barCodeType() const { return barCodeType_; }
  void setBarCodeType(std::string v) { barCodeType_ = std::move(v); }
  // Shared by reference, made empty on first use.
  const std::shared_ptr<RuleItemCollection>& ruleItems() const;
  void setRuleItems(std::shared_ptr<RuleItemCollection> v) { ruleItems_ = std::move(v); }
  const std::string& description() const { return description_; }
  void setDescription(std::string v) { description_ = std::move(v); }

  // A new item of this rule placed after the current last item and running to the end of the
  // barcode. It is not added to ruleItems(); the caller adds it.
  std::shared_ptr<clsBarCodeRuleItem> CreateRuleItem(ItemSourceType itemType);
  // One line describing the items, e.g. S(6)+'A'+D(yymmdd); a GS1 item is led by its AI, (17)D(yymmdd).
  std::string RuleContent() const;
  // Sum of the item lengths; a sum past 32767 raises overflow.
  int16_t ItemTotalLength() const;
  // A barcode of this rule with one empty segment per rule item, in the same order.
  std::shared_ptr<clsBarCode> CreateBarCode() const;
  // Cuts the text into segments by the items' byte positions; the text must be exactly length()
  // ANSI bytes long. A GS1 rule reads the text in any GS1 form and takes each item's field.
  std::shared_ptr<clsBarCode> DecodeBarCode(const std::string& barCode) const;
  // A GS1 rule's barcode from its fields parsed already; any other rule reads their HRI as text.
  std::shared_ptr<clsBarCode> DecodeBarCode(const Gs1ElementString& fields) const;

  // The copy gets its own items, each referring to the copy.
  std::shared_ptr<ICloneable> Clone() override;
  void CopyTo(std::shared_ptr<ICloneable>& obj) override;
  std::shared_ptr<clsBarCodeRule> CloneRule() const;
  void CopyTo(const std::shared_ptr<clsBarCodeRule>& obj) const;

 private:
  std::string ruleName_;
  std::string ruleId_;
  int16_t length_ = 0;
  std::string barCodeType_;
  mutable std::shared_ptr<RuleItemCollection> ruleItems_;
  std::string description_;
};

}  // namespace quillstone
