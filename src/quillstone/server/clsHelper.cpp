#include "quillstone/server/clsHelper.h"

#include "quillstone/platform/Connection.h"
#include "quillstone/server/FilterCondition.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// The host's reference list shows these captions as its column headings.
const char* const kRefSelect =
    "select InventoryBarCodeSet.cbarcode as 条形码,InventoryBarCodeSet.cinvcode as 存货编码,"
    "Inventory.cinvname as 存货名称,InventoryBarCodeSet.cinvccode as 存货大类编码, "
    "InventoryBarCodeSet.cinvcname as 存货大类名称,InventoryBarCodeSet.cWhCode as 仓库编码,"
    "InventoryBarCodeSet.cPostion as 货位编码, ";
const char* const kRefColumns =
    "InventoryBarCodeSet.cbatch As 批号, InventoryBarCodeSet.dMDate As 生产日期, "
    "InventoryBarCodeSet.dvDate As 失效日期, InventoryBarCodeSet.iMassDate As 保质期, "
    "InventoryBarCodeSet.cVenCode As 供应商编码, InventoryBarCodeSet.cAssUnit As 计量单位, "
    "InventoryBarCodeSet.fUnitCost As 单价, InventoryBarCodeSet.cFree1 As 自由项1, "
    "InventoryBarCodeSet.cFree2 As 自由项2, ";
const char* const kRefFrom =
    "InventoryBarCodeSet.cFree3 As 自由项3, InventoryBarCodeSet.cFree4 As 自由项4,"
    "InventoryBarCodeSet.cFree5 As 自由项5, InventoryBarCodeSet.cFree6 As 自由项6,"
    "InventoryBarCodeSet.cFree7 As 自由项7, InventoryBarCodeSet.cFree8 As 自由项8,"
    "InventoryBarCodeSet.cFree9 As 自由项9, InventoryBarCodeSet.cFree10 As 自由项10,"
    "InventoryBarCodeSet.dCreateDate as 条码创建时间, InventoryBarCodeSet.bAbandon as 是否封存 "
    "from InventoryBarCodeSet inner join Inventory on (InventoryBarCodeSet.cInvCode=Inventory.cInvCode) ";

const char* const kInUse = "(InventoryBarCodeSet.bAbandon is null or InventoryBarCodeSet.bAbandon<>1)";

// The database the text will run on: the service's connection, else the host's; without either,
// strings are written as both databases read them by default.
Backend BackendOf(const clsContext& context) {
  if (context.mConn() != nullptr) return context.mConn()->backend();
  const auto host = context.moLogin()->connection();
  return host != nullptr ? host->backend() : Backend::Sqlite;
}

}  // namespace

void clsHelper::AttachContext(const std::shared_ptr<clsContext>& context) { context_ = context; }

std::string clsHelper::GetBarCodeRefSQL(const std::string& filter) {
  auto context = context_.lock();
  Assert(context != nullptr && context->moLogin() != nullptr, kServiceNotStarted);

  const FilterCondition condition(filter, 0, FilterScope::Registry());
  std::string visible = context->moLogin()->DataRightFilter("inventory", "", "R");
  visible = Trim(visible).empty() ? "" : "Inventory.iid in (" + visible + ")";
  std::string sql = std::string(kRefSelect) + kRefColumns + kRefFrom + " where ";
  // The caller's condition is evaluated only where the rights hold (see FilterCondition::Sql).
  if (!condition.empty()) sql += condition.Sql(BackendOf(*context), visible) + " and ";
  sql += kInUse;
  if (!visible.empty()) sql += " and " + visible;
  return sql;
}

}  // namespace quillstone
