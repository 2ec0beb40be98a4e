#include "quillstone/sources/clsMasterDataItemSource.h"

#include "SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

void clsMasterDataItemSource::InitSource(const std::shared_ptr<clsContext>& context) { context_ = context; }

std::string clsMasterDataItemSource::LookupBarCode(const std::string& code, const RuleItemPtr& ruleItem) const {
  std::string result = definition_.missingEncodesBlanks ? Blanks(ruleItem->length()) : std::string();
  auto record = context()->mConn()->Query(definition_.lookupSql, {Variant(code)});
  if (!record->IsEOF()) result = NullToStr(record->Field("cBarCode"));
  return result;
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
    std::string stored = TrimmedField(*record, "cBarCode");
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
    auto record = context()->mConn()->Query(definition_.decodeSql, {Variant(value)});
    if (record->IsEOF()) RaiseError("找不到指定条码'" + value + definition_.decodeSuffix);
    WriteDecoded(*record, *invInfo);
  });
}

void clsMasterDataItemSource::WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const {
  invInfo.setInventoryProperty(itemType(), Variant(TrimmedField(record, definition_.keyColumn)));
}

std::string clsMasterDataItemSource::TrimmedField(const Recordset& record, const char* column) {
  return Trim(NullToStr(record.Field(std::string(column))));
}

}  // namespace quillstone
