#include "src/quillstone/sources/clsInventoryItemSource.h"

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "src/quillstone/sources/GtinLookup.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/platform/Recordset.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

#define QS_INVENTORY_DECODE                                                                               \
  "select Inventory.*,InventoryClass.cInvCName from Inventory left join InventoryClass on "              \
  "(inventory.cInvCCode = inventoryClass.cInvCCode) where Inventory.cBarCode "

// A GTIN field is the item's barcode led by zeros to 14 digits.
bool FillsGtin(const clsItemSource::RuleItemPtr& ruleItem) { return Trim(ruleItem->ai()) == "01"; }

}  // namespace

clsInventoryItemSource::clsInventoryItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Inventory where cInvCode = ?",
          .verifySql = "select * from Inventory where cInvCode = ?",
          // The class name comes with the item; an item without a class gets an empty one.
          .decodeSql = QS_INVENTORY_DECODE "= ?",
          .keyColumn = "cInvCode",
          .lengthPrefix = "存货的条码长度与条码规则中规定的长度不一致，要求长度 ",
          .notFoundPrefix = "基础档案中找不到存货'",
          .mismatchPrefix = "存货与条码段值不一致，对应条码应为 '",
          .decodeSuffix = "'对应的存货",
      }) {}

std::string clsInventoryItemSource::SegmentOf(const std::string& stored, const std::string& code,
                                             const RuleItemPtr& ruleItem) const {
  if (!FillsGtin(ruleItem)) return stored;
  const auto gtin = Gs1BarCodeText::Gtin14(stored);
  if (!gtin) {
    RaiseError("存货'" + TextGuard::Echo(code) + "'的条码'" + TextGuard::Echo(Trim(stored)) +
               "'不是有效的GTIN(8、12、13或14位数字且校验位正确)，不能用于应用标识符(01)");
  }
  return *gtin;
}

std::shared_ptr<Recordset> clsInventoryItemSource::FindBySegment(const std::string& value,
                                                                 const RuleItemPtr& ruleItem) const {
  if (!FillsGtin(ruleItem)) return clsMasterDataItemSource::FindBySegment(value, ruleItem);
  return GtinLookup::Item(*context()->mConn(), value);
}

void clsInventoryItemSource::WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const {
  std::string code = FieldText(record, "cInvCode");
  if (!Trim(invInfo.inventoryId()).empty())
    Assert(code == invInfo.inventoryId(),
           "条码对应的存货并非存货'" + invInfo.inventoryId() + "',要求存货'" + code + "'.");
  invInfo.setInventoryId(code);
  invInfo.setInventoryName(FieldText(record, "cInvName"));
  invInfo.setInventoryClassId(FieldText(record, "cInvCCode"));
  invInfo.setInventoryClassName(FieldText(record, "cInvCName"));
}

}  // namespace quillstone
