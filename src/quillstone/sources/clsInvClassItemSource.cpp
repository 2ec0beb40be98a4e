#include "quillstone/sources/clsInvClassItemSource.h"

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Recordset.h"

namespace quillstone {

clsInvClassItemSource::clsInvClassItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from InventoryClass where cInvCCode = ?",
          .verifySql = "select * from InventoryClass where cInvCCode = ?",
          .decodeSql = "select * from InventoryClass where cBarCode = ?",
          .keyColumn = "cInvCCode",
          .noun = "存货分类",
          .decodeSuffix = "'对应的存货分类",
      }) {}

void clsInvClassItemSource::WriteDecoded(const Recordset& record, clsInventoryInfo& invInfo) const {
  invInfo.setInventoryClassId(TrimmedField(record, "cInvCCode"));
  invInfo.setInventoryClassName(TrimmedField(record, "cInvCName"));
}

}  // namespace quillstone
