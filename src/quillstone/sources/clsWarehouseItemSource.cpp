#include "quillstone/sources/clsWarehouseItemSource.h"

namespace quillstone {

clsWarehouseItemSource::clsWarehouseItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Warehouse where cWhCode = ?",
          .verifySql = "select * from Warehouse where cWhCode = ?",
          .decodeSql = "select * from Warehouse where cBarCode = ?",
          .keyColumn = "cWhCode",
          .noun = "仓库",
          .decodeSuffix = "'对应的仓库",
          .missingEncodesBlanks = false,
      }) {}

}  // namespace quillstone
