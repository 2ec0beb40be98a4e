#include "src/quillstone/sources/clsMasterDataItemSource.h"

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

void clsMasterDataItemSource::InitSource(const std::shared_ptr<clsContext>& context) { context_ = context; }

std::string clsMasterDataItemSource::LookupBarCode(const std::string& code, const RuleItemPtr& ruleItem) const {
  auto barCode = FirstField(*context()->mConn(), definition_.lookupSql, {Variant(code)}, "cBarCode");
  if (barCode) return SegmentOf(NullToStr(*barCode), code, ruleItem);
  return definition_.missingEncodesBlanks ? Blanks(ruleItem->length()) : std::string();
}

void clsMasterDataItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                     BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  // A Null code has no text: the conversion refuses it.
  std::string code = invInfo->InventoryProperty(itemType()).toString();
  barCodeItem->setValue(LookupBarCode(code, ruleItem));
}

bool clsMasterDataItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                                     const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  bool result = false;
  TrapAndReraise([&] {
    const std::string& value = barCodeItem->value();
    CheckSegmentLength(value, ruleItem->length(), definition_.lengthPrefix);
    std::string code = NullToStr(invInfo->InventoryProperty(itemType()));
    auto record = context()->mConn()->Query(definition_.verifySql, {Variant(code)});
    if (record->IsEOF()) RaiseError(definition_.notFoundPrefix + code + "'");
    std::string stored = SegmentOf(FieldText(*record, "cBarCode"), code, ruleItem);
    if (stored != value)
      RaiseError(definition_.mismatchPrefix + stored + "'，但实际条码为'" + value + "'");
    result = true;
  });
  return result;
}

void clsMasterDataItemSource::Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                     BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  TrapAndReraise([&] {
    const std::string& value = barCodeItem->value();
    auto record = FindBySegment(value, ruleItem);
    if (record->IsEOF()) RaiseError("找不到指定条码'" + value + definition_.decodeSuffix);
    WriteDecoded(*record, *invInfo);
  });
}

std::string clsMasterDataItemSource::SegmentOf(const std::string& stored, const std::string& /*code*/,
                                              const RuleItemPtr& /*ruleItem*/) const {
  return stored;
}

std::shared_ptr<Recordset> clsMasterDataItemSource::FindBySegment(const std::string& value,
                                                                  const RuleItemPtr& /*ruleItem*/) const {
  return context()->mConn()->Query(definition_.decodeSql, {Variant(value)});
}

void clsMasterDataItemSource::WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const {
  invInfo.setInventoryProperty(itemType(), Variant(FieldText(record, definition_.keyColumn)));
}

}  // namespace quillstone
