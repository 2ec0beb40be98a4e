#include "src/quillstone/sources/clsInvClassItemSource.h"

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Recordset.h"
#include "src/quillstone/server/FieldText.h"

namespace quillstone {

clsInvClassItemSource::clsInvClassItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from InventoryClass where cInvCCode = ?",
          .verifySql = "select * from InventoryClass where cInvCCode = ?",
          .decodeSql = "select * from InventoryClass where cBarCode = ?",
          .keyColumn = "cInvCCode",
          .lengthPrefix = "存货分类的条码长度与条码规则中规定的长度不一致，要求长度 ",
          .notFoundPrefix = "基础档案中找不到存货分类'",
          .mismatchPrefix = "存货分类与条码段值不一致，对应条码应为 '",
          .decodeSuffix = "'对应的存货分类",
      }) {}

void clsInvClassItemSource::WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const {
  invInfo.setInventoryClassId(FieldText(record, "cInvCCode"));
  invInfo.setInventoryClassName(FieldText(record, "cInvCName"));
}

}  // namespace quillstone
