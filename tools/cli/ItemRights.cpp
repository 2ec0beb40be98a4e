#include "cli/ItemRights.h"

#include "cli/CliError.h"
#include "cli/Session.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone::cli {

ItemRights::ItemRights(Session& session) : session_(session), visible_(session.InventoryRights()) {}

bool ItemRights::CanSee(const std::string& inventoryId) {
  if (Trim(visible_).empty()) return true;
  // The list is the host's SQL by contract, as the library's own registry queries use it.
  auto rs = session_.Conn().Query("select iid from Inventory where cInvCode = ? and iid in (" + visible_ + ")",
                                  {Variant(inventoryId)});
  return !rs->IsEOF();
}

void ItemRights::Require(const std::string& inventoryId) {
  if (!CanSee(inventoryId)) throw CliError("存货'" + inventoryId + "'不存在，或者不在您的数据权限之内");
}

}  // namespace quillstone::cli
