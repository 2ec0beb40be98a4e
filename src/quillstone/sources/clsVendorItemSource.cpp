#include "quillstone/sources/clsVendorItemSource.h"

namespace quillstone {

clsVendorItemSource::clsVendorItemSource()
    : clsMasterDataItemSource({
          .lookupSql = "select cBarCode from Vendor where cVenCode = ?",
          .verifySql = "select * from Vendor where cVenCode = ?",
          .decodeSql = "select * from Vendor where cBarCode = ?",
          .keyColumn = "cVenCode",
          .noun = "供应商",
          .decodeSuffix = "'对应的供应商",
      }) {}

}  // namespace quillstone
