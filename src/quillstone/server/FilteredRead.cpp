#include "src/quillstone/server/FilteredRead.h"

#include <optional>

#include "quillstone/platform/Error.h"
#include "quillstone/server/FilterCondition.h"
#include "src/quillstone/server/filter/FilterRefusal.h"

namespace quillstone {
namespace {

// What went wrong, by SQLSTATE class, in words that quote nothing of the rows.
std::string KindOf(const std::string& state) {
  if (state == "22012") return "除数为零";
  if (state == "22003") return "数值超出范围";
  if (state == "57014") return "执行超时，已被数据库取消";
  if (state == "54000" || state == "54001") return "产生的文本或表达式太大";
  if (state == "25006") return "只读查询中不能修改数据";
  if (state.rfind("22", 0) == 0) return "有值不能按所需的类型或格式读取";
  if (state.rfind("42", 0) == 0) return "列、值或函数的类型不相符";
  return "数据库无法执行这个条件";
}

// A failure of the statement itself, as opposed to a lost connection, which the caller's
// reconnection handles and which says nothing of the rows.
bool IsStatementFailure(const Error& error) {
  return error.number() == Error::kDatabase && error.fault() == Error::Fault::None;
}

// The read-only transaction, or savepoint, with its time limit, around one statement.
class ServerGuard {
 public:
  explicit ServerGuard(Connection& conn) : conn_(conn), own_(!conn.InTransaction()) {
    const std::string limit = conn.filterTimeoutMs() > 0
                                  ? "; set local statement_timeout = " + std::to_string(conn.filterTimeoutMs())
                                  : "";
    if (own_) {
      conn_.BeginTrans();
      conn_.ExecuteScript("set transaction read only" + limit);
    } else {
      conn_.ExecuteScript("savepoint qs_filtered_read; set local transaction_read_only = on" + limit);
    }
  }
  // The statement wrote nothing: ending by rollback also undoes the settings in a savepoint.
  ~ServerGuard() {
    try {
      if (own_) {
        if (conn_.InTransaction()) conn_.RollbackTrans();
      } else {
        conn_.ExecuteScript("rollback to savepoint qs_filtered_read; release savepoint qs_filtered_read");
      }
    } catch (const std::exception&) {
      // A connection lost meanwhile took the transaction with it; the statement's own failure,
      // if any, is what the caller hears of.
    }
  }
  ServerGuard(const ServerGuard&) = delete;
  ServerGuard& operator=(const ServerGuard&) = delete;

 private:
  Connection& conn_;
  bool own_;
};

}  // namespace

std::unique_ptr<Recordset> FilteredRead::Query(Connection& conn, const std::string& sql,
                                               const std::vector<Variant>& params, const FilterCondition& filter) {
  std::optional<ServerGuard> guard;
  if (conn.backend() == Backend::Postgres && !filter.empty()) guard.emplace(conn);
  std::unique_ptr<Recordset> rows;
  Step(filter, [&] { rows = conn.Query(sql, params); });
  return rows;
}

void FilteredRead::Step(const FilterCondition& filter, const std::function<void()>& step) {
  try {
    step();
  } catch (const Error& error) {
    if (!filter.empty() && IsStatementFailure(error)) RaiseFailure(filter, error);
    throw;
  }
}

void FilteredRead::RaiseFailure(const FilterCondition& filter, const Error& error) {
  filter::Refuse(filter.text(), "在数据库中执行失败：" + KindOf(error.state()));
}

}  // namespace quillstone
