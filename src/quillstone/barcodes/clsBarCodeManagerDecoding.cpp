// Decoding scanned barcodes, and verifying a registered barcode against a document's properties.
#include "src/quillstone/barcodes/BarCodeSegments.h"
#include "src/quillstone/platform/ReadScope.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"

namespace quillstone {
namespace {

// Values are compared as the texts they present: a date value presents as yyyy-MM-dd, a date
// given as text as that text (2024-1-1 is not the registered 2024-01-01, as 12.50 is not 12.5).
std::string PlainText(const Variant& value) { return NullToStr(value); }

// One compared property: its getter, how its values are compared, and the two fixed parts of its
// mismatch message.
struct ComparedProperty {
  const Variant& (clsInventoryInfo::*get)() const;
  std::string (*compared)(const Variant&);
  const char* prefix;
  const char* middle;
};

const ComparedProperty kBeforeFreeItems[] = {
    {&clsInventoryInfo::batchNo, PlainText, "条码信息与当前批号不一致，条码信息中的批号为'", "',当前批号为'"},
    {&clsInventoryInfo::disableDate, PlainText, "条码信息与当前失效日期不一致，条码信息中的失效日期为'",
     "',当前失效日期为'"},
};

const ComparedProperty kAfterFreeItems[] = {
    {&clsInventoryInfo::invPositionId, PlainText, "条码信息与当前货位编码不一致，条码信息中的货位编码为'",
     "',当前货位编码为'"},
    {&clsInventoryInfo::madeDate, PlainText, "条码信息与当前生产日期不一致，条码信息中的生产日期为'",
     "',当前生产日期为'"},
    {&clsInventoryInfo::massDay, PlainText, "条码信息与当前保质期不一致，条码信息中的保质期为'", "',当前保质期为'"},
    {&clsInventoryInfo::unit, PlainText, "条码信息与当前辅计量单位不一致，条码信息中的辅计量单位为'",
     "',当前辅计量单位为'"},
    {&clsInventoryInfo::unitCost, PlainText, "条码信息与当前单价不一致，条码信息中的单价为'", "',当前单价为'"},
    {&clsInventoryInfo::vendorId, PlainText, "条码信息与当前供应商不一致，条码信息中的供应商为'", "',当前供应商为'"},
    {&clsInventoryInfo::warehouseId, PlainText, "条码信息与当前仓库不一致，条码信息中的仓库为'", "',当前仓库为'"},
};

// A property the registration stored must agree with the current one, unless the current one is
// blank. Both are compared in the text form `compared` gives; `message` builds the text only when
// it is needed.
template <typename Message>
void CompareProperty(const Variant& registered, const Variant& current, std::string (*compared)(const Variant&),
                     Message message) {
  if (registered.isEmpty() || registered.isNull()) return;
  const std::string now = NullToStr(current);
  if (!now.empty() && compared(current) != compared(registered)) Assert(false, message(NullToStr(registered), now));
}

}  // namespace

void clsBarCodeManager::DecodeBarCode(const std::string& barCode, const std::shared_ptr<clsBarCodeRule>& rule,
                                      std::shared_ptr<clsInventoryInfo>& objInv) {
  DecodeSegments(rule, objInv, [&] { return rule->DecodeBarCode(barCode); });
}

void clsBarCodeManager::DecodeBarCode(const Gs1ElementString& fields, const std::shared_ptr<clsBarCodeRule>& rule,
                                      std::shared_ptr<clsInventoryInfo>& objInv) {
  DecodeSegments(rule, objInv, [&] { return rule->DecodeBarCode(fields); });
}

void clsBarCodeManager::DecodeSegments(const std::shared_ptr<clsBarCodeRule>& rule,
                                       std::shared_ptr<clsInventoryInfo>& objInv,
                                       const std::function<std::shared_ptr<clsBarCode>()>& cut) {
  TrapAndReraise([&] {
    if (rule == nullptr) RaiseError("参数rule不能为空");
    ReadScope reads(*Context()->mConn());
    auto sources = Context()->objItemSourceManager();
    auto decoded = cut();
    barcodes::ForEachSegment(*rule, *decoded, [&](const auto& ruleItem, auto& segment) {
      sources->GetItemSource(ruleItem->itemType())->Decode(objInv, ruleItem, segment);
    });
  });
}

void clsBarCodeManager::VerifyBarCodeSet(const std::string& barCode, const std::shared_ptr<clsInventoryInfo>& invInfo) {
  auto found = LoadInventoryBarCodeSet(barCode, true);
  Assert(found != nullptr, "条码'" + barCode + "'不存在，或者对条码没有权限");
  Assert(!found->bAbandon(), "条码'" + barCode + "'已被封存，不能使用");
  Assert(invInfo != nullptr, "参数invInfo不能为空");
  VerifyInventoryInfo(*found->invInfo(), *invInfo);
}

void clsBarCodeManager::VerifyInventoryInfo(const clsInventoryInfo& registered, const clsInventoryInfo& current) {

  Assert(registered.inventoryId() == current.inventoryId(), "条码信息与当前存货编码不一致，条码信息中的存货编码为'" +
                                                                registered.inventoryId() + "',当前存货编码为'" +
                                                                current.inventoryId() + "'");

  auto compare = [&](const ComparedProperty& property) {
    CompareProperty((registered.*property.get)(), (current.*property.get)(), property.compared,
                    [&](const std::string& then, const std::string& now) {
                      return property.prefix + then + property.middle + now + "'";
                    });
  };
  for (const auto& property : kBeforeFreeItems) compare(property);
  for (int k = 1; k <= clsInventoryInfo::kFreeCount; ++k) {
    CompareProperty(
        registered.Free(k), current.Free(k), PlainText, [&](const std::string& then, const std::string& now) {
          const std::string name = Context()->objItemSourceManager()->GetItemSource(ISTFree1 + k - 1)->sourceName();
          return "条码信息与当前" + name + "不一致 ，条码信息中的" + name + "为'" + then + "',当前" + name + "为'" +
                 now + "'";
        });
  }
  for (const auto& property : kAfterFreeItems) compare(property);
}

}  // namespace quillstone
