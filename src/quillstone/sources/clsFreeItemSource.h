// Segment from a free item's permitted value; one instance serves one of the ten free items and
// maps the inventory info's free value to the short barcode defined for it, and back.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "quillstone/sources/clsItemSource.h"

namespace quillstone {

class clsInventoryInfo;

class clsFreeItemSource : public clsItemSource {
 public:
  // Which free item this is, ISTFree1 to ISTFree10; set before InitSource.
  ItemSourceType freeItemType() const { return freeItemType_; }
  void setFreeItemType(ItemSourceType type) { freeItemType_ = type; }
  const std::string& freeItemName() const { return freeItemName_; }
  void setFreeItemName(std::string name) { freeItemName_ = std::move(name); }
  // The id of the free item's definition, loaded by InitSource; "0" when none was loaded.
  const std::string& FreeItemId() const { return freeItemId_; }

  // The free item's own name; the name of the source table row is not used.
  std::string sourceName() const override { return freeItemName_; }
  void setSourceName(const std::string& /*name*/) override {}
  ItemSourceType itemType() const override { return freeItemType_; }

  // Keeps the context and loads the free item's definition (id and name) over its connection.
  void InitSource(const std::shared_ptr<clsContext>& context) override;
  bool VerifyRuleItem(const RuleItemPtr& ruleItem) override;
  bool VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& ruleItem) override;
  bool Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem, const RuleItemPtr& ruleItem) override;
  void Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;
  void Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) override;

 private:
  bool IsFreeItem() const { return freeItemType_ >= ISTFree1 && freeItemType_ <= ISTFree10; }
  // 1 to 10 for a free item.
  int FreeNumber() const { return freeItemType_ - ISTFree1 + 1; }

  void LoadFreeItemInfo(const std::string& key, std::string& id, std::string& name);
  std::string GetFreeValue(const clsInventoryInfo& invInfo) const;
  void SetFreeValue(clsInventoryInfo& invInfo, const std::string& value) const;
  // The stored barcode of a permitted value, as stored; nothing when the value is not permitted.
  std::optional<std::string> FindFreeBarCode(const std::string& value) const;
  // The barcode of a permitted value, or blanks of the rule item's length.
  std::string LookupFreeBarCode(const std::string& value, const RuleItemPtr& ruleItem) const;

  ItemSourceType freeItemType_ = ISTInventory;
  std::string freeItemName_;
  std::string freeItemId_ = "0";
};

}  // namespace quillstone
