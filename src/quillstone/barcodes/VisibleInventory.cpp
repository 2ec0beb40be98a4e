#include "src/quillstone/barcodes/VisibleInventory.h"

#include <atomic>

#include "quillstone/platform/Connection.h"

namespace quillstone::barcodes {
namespace {

std::atomic<int64_t> nextOwner{1};

constexpr const char* kCreate =
    "create temporary table if not exists qs_visible_inventory "
    "(owner bigint not null, iid bigint not null, primary key (owner, iid))";

bool IsIdList(const std::string& visible) {
  if (visible.empty()) return false;
  for (char c : visible)
    if ((c < '0' || c > '9') && c != ',' && c != ' ') return false;
  return true;
}

// The ids as one bound value, unpacked by the server: a JSON array on SQLite, an array literal on
// PostgreSQL.
std::string InsertSql(Connection& conn) {
  return conn.backend() == Backend::Sqlite
             ? "insert or ignore into qs_visible_inventory(owner, iid) select ?, value from json_each(?)"
             : "insert into qs_visible_inventory(owner, iid) select ?, unnest(cast(? as bigint[])) on conflict do "
               "nothing";
}

std::string IdArray(const Connection& conn, const std::string& visible) {
  std::string ids;
  for (char c : visible)
    if (c != ' ') ids += c;
  return conn.backend() == Backend::Sqlite ? "[" + ids + "]" : "{" + ids + "}";
}

}  // namespace

// A correlated lookup on the table's key, which SQLite answers row by row without first
// gathering the user's ids.
VisibleInventory::VisibleInventory()
    : owner_(nextOwner++),
      condition_("exists (select 1 from qs_visible_inventory where owner = " + std::to_string(owner_) +
                 " and iid = Inventory.iid)") {}

std::string VisibleInventory::Condition(const std::shared_ptr<Connection>& conn, const std::string& visible) {
  if (Filled(conn, visible)) return condition_;
  if (!IsIdList(visible) || !Materialize(conn, visible)) return "Inventory.iid in (" + visible + ")";
  return condition_;
}

bool VisibleInventory::Filled(const std::shared_ptr<Connection>& conn, const std::string& visible) const {
  return filledFor_.lock() == conn && filledSession_ == conn->sessionNumber() && filledList_ == visible;
}

bool VisibleInventory::Materialize(const std::shared_ptr<Connection>& conn, const std::string& visible) {
  if (conn->InTransaction() && !conn->InReadTransaction()) return false;
  conn->Execute(kCreate);
  conn->Execute("delete from qs_visible_inventory where owner = ?", {Variant(owner_)});
  conn->Execute(InsertSql(*conn), {Variant(owner_), Variant(IdArray(*conn, visible))});
  filledFor_ = conn;
  filledSession_ = conn->sessionNumber();
  filledList_ = visible;
  return true;
}

}  // namespace quillstone::barcodes
