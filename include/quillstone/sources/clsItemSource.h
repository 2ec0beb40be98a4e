// The contract of an item source: the codec of one kind of barcode segment. Rule validation,
// assignment checks, encoding, verification and decoding all go through it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone {

class clsBarCodeItem;
class clsBarCodeRuleItem;
class clsContext;
class clsInventoryInfo;
class HostUserVO;

class clsItemSource {
 public:
  using RuleItemPtr = std::shared_ptr<clsBarCodeRuleItem>;
  using BarCodeItemPtr = std::shared_ptr<clsBarCodeItem>;
  using InventoryInfoPtr = std::shared_ptr<clsInventoryInfo>;

  virtual ~clsItemSource() = default;

  virtual std::string sourceName() const { return sourceName_; }
  virtual void setSourceName(const std::string& name) { sourceName_ = name; }
  virtual int16_t length() const { return length_; }
  virtual void setLength(int16_t length) { length_ = length; }

  // Called once by the item source manager before length and name are set. Other managers may
  // not exist yet, so a source must only keep the context here.
  virtual void InitSource(const std::shared_ptr<clsContext>& context);
  virtual ItemSourceType itemType() const { return ISTInventory; }

  // Each raises an error with its own message when the check fails; True whenever they return.
  virtual bool VerifyRuleItem(const RuleItemPtr& ruleItem);
  virtual bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem);
  virtual bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem);

  // Sets barCodeItem.value from the inventory info.
  virtual void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem);
  // Writes the segment's value back into the inventory info.
  virtual void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem);

 protected:
  // The check every source makes of a rule item: given, at least 1 long, at most the rule's length.
  static void CommonLengthCheck(const RuleItemPtr& ruleItem);
  // The context given to InitSource; raises when it is gone.
  std::shared_ptr<clsContext> context() const;

  std::weak_ptr<clsContext> context_;

 private:
  std::string sourceName_;
  int16_t length_ = 0;
};

}  // namespace quillstone
