#include "src/quillstone/sources/clsVendorItemSource.h"

namespace quillstone {

clsVendorItemSource::clsVendorItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Vendor where cVenCode = ?",
          .verifySql = "select * from Vendor where cVenCode = ?",
          .decodeSql = "select * from Vendor where cBarCode = ?",
          .keyColumn = "cVenCode",
          .lengthPrefix = "供应商的条码长度与条码规则中规定的长度不一致，要求长度 ",
          .notFoundPrefix = "基础档案中找不到供应商'",
          .mismatchPrefix = "供应商与条码段值不一致，对应条码应为 '",
          .decodeSuffix = "'对应的供应商",
      }) {}

}  // namespace quillstone
