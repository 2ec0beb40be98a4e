#include "cli/ItemRights.h"

#include "cli/CliError.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsBarCodeManager.h"

namespace quillstone::cli {

ItemRights::ItemRights(Session& session) : session_(session) {}

bool ItemRights::CanSee(const std::string& inventoryId) { return session_.BarCodes().CanSeeInventory(inventoryId); }

void ItemRights::Require(const std::string& inventoryId) {
  if (!CanSee(inventoryId)) throw CliError("存货'" + inventoryId + "'不存在，或者不在您的数据权限之内");
}

}  // namespace quillstone::cli
