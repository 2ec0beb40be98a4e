#include "src/quillstone/sources/clsPositionItemSource.h"

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Recordset.h"
#include "src/quillstone/server/FieldText.h"

namespace quillstone {

clsPositionItemSource::clsPositionItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Position where cPosCode = ?",
          .verifySql = "select * from Position where cPosCode = ?",
          .decodeSql = "select * from Position where cBarCode = ?",
          .keyColumn = "cPosCode",
          .lengthPrefix = "货位的条码长度与条码规则中规定的长度不一致，要求长度 ",
          .notFoundPrefix = "基础档案中找不到货位'",
          .mismatchPrefix = "货位与条码段值不一致，对应条码应为 '",
          .decodeSuffix = "'对应的库位",
      }) {}

// A position lies in one warehouse, so decoding it decodes the warehouse too.
void clsPositionItemSource::WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const {
  invInfo.setInvPositionId(Variant(FieldText(record, "cPosCode")));
  invInfo.setWarehouseId(Variant(FieldText(record, "cWhCode")));
}

}  // namespace quillstone
