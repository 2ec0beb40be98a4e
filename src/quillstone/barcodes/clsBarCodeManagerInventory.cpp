// Items as the logged-in user may see them: the same data-rights condition the registry's lookups
// use, so a program shows no item the library would hide.
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

bool clsBarCodeManager::CanSeeInventory(const std::string& inventoryId) {
  bool visible = true;
  TrapAndReraise([&] {
    TextGuard::RequireStorable(inventoryId, "存货编码");
    const std::string rights = DataRightCondition();
    if (rights.empty()) return;
    visible = HasRow(*Context()->mConn(), "select 1 from Inventory where cInvCode = ? and " + rights, {Variant(inventoryId)});
  });
  return visible;
}

void clsBarCodeManager::DescribeInventory(clsInventoryInfo& info) {
  TrapAndReraise([&] {
    auto rs = Context()->mConn()->Query(
        "select Inventory.cInvName, Inventory.cInvCCode, InventoryClass.cInvCName from Inventory "
        "left join InventoryClass on (Inventory.cInvCCode = InventoryClass.cInvCCode) where Inventory.cInvCode = ?",
        {Variant(info.inventoryId())});
    if (rs->IsEOF()) return;
    info.setInventoryName(Trim(NullToStr(rs->Field("cInvName"))));
    info.setInventoryClassId(Trim(NullToStr(rs->Field("cInvCCode"))));
    info.setInventoryClassName(Trim(NullToStr(rs->Field("cInvCName"))));
  });
}

}  // namespace quillstone
