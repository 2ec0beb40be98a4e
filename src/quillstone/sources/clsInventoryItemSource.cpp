#include "quillstone/sources/clsInventoryItemSource.h"

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Recordset.h"
#include "quillstone/server/FieldText.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

clsInventoryItemSource::clsInventoryItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Inventory where cInvCode = ?",
          .verifySql = "select * from Inventory where cInvCode = ?",
          // The class name comes with the item; an item without a class gets an empty one.
          .decodeSql = "select Inventory.*,InventoryClass.cInvCName from Inventory left join InventoryClass on "
                       "(inventory.cInvCCode = inventoryClass.cInvCCode) where Inventory.cBarCode = ?",
          .keyColumn = "cInvCode",
          .lengthPrefix = "存货的条码长度与条码规则中规定的长度不一致，要求长度 ",
          .notFoundPrefix = "基础档案中找不到存货'",
          .mismatchPrefix = "存货与条码段值不一致，对应条码应为 '",
          .decodeSuffix = "'对应的存货",
      }) {}

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
