#include "src/quillstone/sources/clsWarehouseItemSource.h"

namespace quillstone {

clsWarehouseItemSource::clsWarehouseItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Warehouse where cWhCode = ?",
          .verifySql = "select * from Warehouse where cWhCode = ?",
          .decodeSql = "select * from Warehouse where cBarCode = ?",
          .keyColumn = "cWhCode",
          .lengthPrefix = "仓库的条码长度与条码规则中规定的长度不一致，要求长度 ",
          .notFoundPrefix = "基础档案中找不到仓库'",
          .mismatchPrefix = "仓库与条码段值不一致，对应条码应为 '",
          .decodeSuffix = "'对应的仓库",
          .missingEncodesBlanks = false,
      }) {}

}  // namespace quillstone
