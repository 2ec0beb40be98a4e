#include "src/quillstone/sources/clsFreeItemSource.h"

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

void clsFreeItemSource::InitSource(const std::shared_ptr<clsContext>& context) {
  context_ = context;
  if (IsFreeItem()) LoadFreeItemInfo("自由项" + std::to_string(FreeNumber()), freeItemId_, freeItemName_);
}

void clsFreeItemSource::LoadFreeItemInfo(const std::string& key, std::string& id, std::string& name) {
  id = "0";
  {
    auto rows = context()->mConn()->Query("select * from UserDef where cClass = ? and cItem = ?",
                                          {Variant("存货"), Variant(key)});
    if (!rows->IsEOF()) {
      id = FieldText(*rows, "cID");
      name = NullToStr(rows->Field("cItemName"));
    }
  }
  if (Trim(name).empty()) name = key;
  Assert(Variant(id).toDouble() != 0, "不能获得自由项信息");
}

std::string clsFreeItemSource::GetFreeValue(const clsInventoryInfo& invInfo) const {
  return invInfo.InventoryProperty(freeItemType_).toString();
}

void clsFreeItemSource::SetFreeValue(clsInventoryInfo& invInfo, const std::string& value) const {
  invInfo.setInventoryProperty(freeItemType_, Variant(value));
}

std::optional<std::string> clsFreeItemSource::FindFreeBarCode(const std::string& value) const {
  auto barCode = FirstField(*context()->mConn(), "select cBarCode from UserDefine where cID = ? and cValue = ?",
                            {Variant(freeItemId_), Variant(value)}, "cBarCode");
  if (!barCode) return std::nullopt;
  return NullToStr(*barCode);
}

std::string clsFreeItemSource::LookupFreeBarCode(const std::string& value, const RuleItemPtr& ruleItem) const {
  std::optional<std::string> stored = FindFreeBarCode(value);
  // Without the blanks a stored code may carry, as Verify and Decode compare it.
  return stored ? Trim(*stored) : Blanks(ruleItem->length());
}

bool clsFreeItemSource::VerifyRuleItem(const RuleItemPtr& ruleItem) {
  CommonLengthCheck(ruleItem);
  return true;
}

bool clsFreeItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& /*ruleItem*/) {
  if (!IsFreeItem()) return true;
  Assert(inv != nullptr, "bad parameter: inv");
  std::string n = std::to_string(FreeNumber());
  Assert(inv->FreeManaged(FreeNumber()).toBool(),
         "规则要求存货必须是自由项" + n + "管理的，但该存货并非自由项" + n + "管理.");
  return true;
}

void clsFreeItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                               BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  barCodeItem->setValue(LookupFreeBarCode(GetFreeValue(*invInfo), ruleItem));
}

bool clsFreeItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                               const RuleItemPtr& ruleItem) {
  TrapAndReraise([&] {
    RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
    const std::string& value = barCodeItem->value();
    if (!CheckVariableFieldLength(value, *ruleItem, LengthPrefix(freeItemName_)))
      CheckSegmentLength(value, ruleItem->length(), LengthPrefix(freeItemName_));
    std::string freeValue = GetFreeValue(*invInfo);
    std::optional<std::string> stored = FindFreeBarCode(freeValue);
    if (!stored) RaiseError("基础档案中找不到" + freeItemName_ + "'" + freeValue + "'");
    std::string expected = Trim(*stored);
    if (expected != value)
      RaiseError(freeItemName_ + "的值与条码不一致，对应条码应为 '" + expected + "'，但实际条码为'" + value + "'");
  });
  return true;
}

void clsFreeItemSource::Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) {
  TrapAndReraise([&] {
    RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
    const std::string& value = barCodeItem->value();
    // Stored codes are compared without surrounding blanks, as Verify compares them.
    auto freeValue =
        FirstField(*context()->mConn(), "select cValue from UserDefine where cID = ? and trim(cBarCode) = ?",
                   {Variant(freeItemId_), Variant(value)}, "cValue");
    if (!freeValue) RaiseError("找不到指定条码'" + value + "'对应的" + freeItemName_);
    SetFreeValue(*invInfo, Trim(NullToStr(*freeValue)));
  });
}

}  // namespace quillstone
