#include "quillstone/sources/clsPositionItemSource.h"

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Recordset.h"

namespace quillstone {

clsPositionItemSource::clsPositionItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Position where cPosCode = ?",
          .verifySql = "select * from Position where cPosCode = ?",
          .decodeSql = "select * from Position where cBarCode = ?",
          .keyColumn = "cPosCode",
          .noun = "货位",
          .decodeSuffix = "'对应的库位",
      }) {}

// A position lies in one warehouse, so decoding it decodes the warehouse too.
void clsPositionItemSource::WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const {
  invInfo.setInvPositionId(Variant(TrimmedField(record, "cPosCode")));
  invInfo.setWarehouseId(Variant(TrimmedField(record, "cWhCode")));
}

}  // namespace quillstone
