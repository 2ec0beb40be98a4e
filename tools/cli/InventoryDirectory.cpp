#include "cli/InventoryDirectory.h"

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone::cli {

void InventoryDirectory::Describe(Connection& conn, clsInventoryInfo& info) {
  auto rs = conn.Query(
      "select Inventory.cInvName, Inventory.cInvCCode, InventoryClass.cInvCName from Inventory "
      "left join InventoryClass on (Inventory.cInvCCode = InventoryClass.cInvCCode) where Inventory.cInvCode = ?",
      {Variant(info.inventoryId())});
  if (rs->IsEOF()) return;
  info.setInventoryName(Trim(NullToStr(rs->Field("cInvName"))));
  info.setInventoryClassId(Trim(NullToStr(rs->Field("cInvCCode"))));
  info.setInventoryClassName(Trim(NullToStr(rs->Field("cInvCName"))));
}

}  // namespace quillstone::cli
