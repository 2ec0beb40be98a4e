#include "src/quillstone/platform/SqliteConnection.h"

#include <sqlite3.h>

#include <utility>

#include "src/quillstone/platform/DriverSupport.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

// Writers from other connections and processes wait this long for the lock before failing.
constexpr int kBusyTimeoutMs = 30000;

// The SQLSTATE a PostgreSQL server gives for the same failure, where SQLite's result code or
// message tells it; SQLite reports failures of expressions with its generic code.
std::string SqlState(int code, const std::string& message) {
  if ((code & 0xFF) == SQLITE_TOOBIG) return "54000";
  if ((code & 0xFF) == SQLITE_INTERRUPT) return "57014";
  if ((code & 0xFF) == SQLITE_READONLY) return "25006";
  if (message.find("integer overflow") != std::string::npos) return "22003";
  if (message.find("wrong number of arguments") != std::string::npos) return "42883";
  return "";
}

// SQLite's own text follows the library's description of what failed.
Error SqliteError(sqlite3* db) {
  const int code = sqlite3_extended_errcode(db);
  if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
    return Error::DatabaseFailure("数据库中已有相同键值的记录", sqlite3_errmsg(db), Error::Fault::DuplicateKey);
  if ((code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED)
    return Error::DatabaseFailure("数据库正被其他连接使用，等待超时", sqlite3_errmsg(db));
  return Error::DatabaseFailure("SQLite 数据库执行语句失败", sqlite3_errmsg(db), Error::Fault::None,
                                SqlState(code, sqlite3_errmsg(db)));
}

[[noreturn]] void RaiseSqlite(sqlite3* db) { throw SqliteError(db); }

Variant ColumnValue(sqlite3_stmt* stmt, int index) {
  switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER:
      return Variant(static_cast<int64_t>(sqlite3_column_int64(stmt, index)));
    case SQLITE_FLOAT:
      return Variant(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
      return Variant(std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, index))));
    }
    case SQLITE_BLOB: {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, index));
      const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, index));
      return Variant(size == 0 ? std::string() : std::string(bytes, size));
    }
    default:
      return Variant(Variant::Null);
  }
}

int BindValue(sqlite3_stmt* stmt, int position, const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
      return sqlite3_bind_null(stmt, position);
    case Variant::Type::String: {
      const std::string text = value.toString();
      return sqlite3_bind_text64(stmt, position, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    case Variant::Type::Int16:
    case Variant::Type::Int32:
    case Variant::Type::Int64:
      return sqlite3_bind_int64(stmt, position, value.toInt64());
    case Variant::Type::Double:
      return sqlite3_bind_double(stmt, position, value.toDouble());
    case Variant::Type::Bool:
      return sqlite3_bind_int(stmt, position, value.toBool() ? 1 : 0);
    case Variant::Type::Date: {
      const std::string text = FormatIsoDate(value.toDate());
      return sqlite3_bind_text64(stmt, position, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
  }
  return SQLITE_MISUSE;
}

}  // namespace

struct SqliteConnection::Shared {
  struct Cached {
    sqlite3_stmt* stmt = nullptr;
    bool in_use = false;
    bool busy() const { return in_use; }
  };

  sqlite3* db = nullptr;  // null once the connection is closed
  driver::StatementCache<Cached> cache;

  ~Shared() {
    cache.ForEach([](Cached& entry) { sqlite3_finalize(entry.stmt); });
    if (db != nullptr) sqlite3_close_v2(db);
  }

  // Statements lent to open result sets stay alive; sqlite3_close_v2 frees the handle once the
  // last of them is finalized.
  void Close() {
    if (db == nullptr) return;
    cache.ForEach([](Cached& entry) {
      if (!entry.in_use) {
        sqlite3_finalize(entry.stmt);
        entry.stmt = nullptr;
      }
    });
    sqlite3_close_v2(db);
    db = nullptr;
  }
};

class SqliteConnection::Statement {
 public:
  Statement(std::shared_ptr<Shared> shared, sqlite3_stmt* stmt, Shared::Cached* entry)
      : shared_(std::move(shared)), stmt_(stmt), entry_(entry) {}
  Statement(Statement&& other) noexcept
      : shared_(std::move(other.shared_)), stmt_(std::exchange(other.stmt_, nullptr)), entry_(other.entry_) {}
  Statement& operator=(Statement&&) = delete;
  ~Statement() { Release(); }

  sqlite3_stmt* get() const { return stmt_; }
  bool connectionOpen() const { return shared_ && shared_->db != nullptr; }

  // Hands a cached statement back, reset and unbound, or finalizes a private one.
  void Release() {
    if (stmt_ == nullptr) return;
    if (entry_ != nullptr && shared_->db != nullptr) {
      sqlite3_reset(stmt_);
      sqlite3_clear_bindings(stmt_);
      entry_->in_use = false;
    } else {
      sqlite3_finalize(stmt_);
      if (entry_ != nullptr) {
        entry_->stmt = nullptr;
        entry_->in_use = false;
      }
    }
    stmt_ = nullptr;
    shared_.reset();
  }

 private:
  std::shared_ptr<Shared> shared_;
  sqlite3_stmt* stmt_;
  Shared::Cached* entry_;
};

namespace {

// Steps the statement as the caller moves; the current row is copied out, so reading a field
// never touches the statement and the statement goes back to the cache as soon as it is done.
class SqliteRecordset : public Recordset {
 public:
  explicit SqliteRecordset(SqliteConnection::Statement statement) : statement_(std::move(statement)) { Step(); }

  bool IsEOF() const override { return eof_; }

  void MoveNext() override {
    CheckCurrentRow();
    if (!statement_.connectionOpen()) throw Error::Database(driver::kConnectionClosed);
    Step();
  }

  int FieldCount() const override { return static_cast<int>(names_.size()); }

  std::string FieldName(int index) const override {
    CheckFieldIndex(index);
    return names_[static_cast<std::size_t>(index)];
  }

  Variant Field(int index) const override {
    CheckFieldIndex(index);
    CheckCurrentRow();
    return row_[static_cast<std::size_t>(index)];
  }
  using Recordset::Field;

 private:
  void Step() {
    sqlite3_stmt* stmt = statement_.get();
    const int rc = sqlite3_step(stmt);
    if (first_step_) {
      // Only now: a statement that the first step prepared again for a changed table (select *)
      // may have other columns than before.
      first_step_ = false;
      const int count = sqlite3_column_count(stmt);
      for (int i = 0; i < count; ++i) names_.emplace_back(sqlite3_column_name(stmt, i));
    }
    if (rc == SQLITE_ROW) {
      row_.clear();
      for (int i = 0; i < FieldCount(); ++i) row_.push_back(ColumnValue(stmt, i));
      return;
    }
    eof_ = true;
    row_.clear();
    if (rc == SQLITE_DONE) {
      statement_.Release();
      return;
    }
    Error error = SqliteError(sqlite3_db_handle(stmt));
    statement_.Release();
    throw error;
  }

  SqliteConnection::Statement statement_;
  std::vector<std::string> names_;
  std::vector<Variant> row_;
  bool eof_ = false;
  bool first_step_ = true;
};

}  // namespace

SqliteConnection::SqliteConnection(std::string connection_string, std::string path)
    : connection_string_(std::move(connection_string)), shared_(std::make_shared<Shared>()) {
  if (path.empty()) throw Error::Database("SQLite 连接字符串缺少数据库文件名");
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    std::string message = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close_v2(db);
    throw Error::Database("无法打开 SQLite 数据库“" + path + "”：" + message);
  }
  shared_->db = db;
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  const char* file = sqlite3_db_filename(db, "main");
  if (file != nullptr && *file != '\0') {
    // Readers then never block the writer nor the writer the readers. A database that cannot
    // switch (read-only, or on a file system without shared memory) keeps its rollback journal.
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  }
}

SqliteConnection::~SqliteConnection() { Close(); }

bool SqliteConnection::IsOpen() const { return shared_->db != nullptr; }

void SqliteConnection::Close() {
  in_transaction_ = false;  // closing the handle rolls back what was not committed
  shared_->Close();
}

std::size_t SqliteConnection::CachedStatementCount() const {
  std::size_t count = 0;
  shared_->cache.ForEach([&count](Shared::Cached& entry) { count += entry.stmt != nullptr ? 1 : 0; });
  return count;
}

SqliteConnection::Statement SqliteConnection::Prepare(const std::string& sql, const std::vector<Variant>& params) {
  sqlite3* db = shared_->db;
  if (db == nullptr) throw Error::Database(driver::kConnectionClosed);

  Shared::Cached* entry = shared_->cache.Find(sql);
  sqlite3_stmt* stmt = nullptr;
  if (entry != nullptr && !entry->in_use) {
    stmt = entry->stmt;
    entry->in_use = true;
  } else {
    // A statement still stepped by an open result set cannot be lent twice: a private one is
    // prepared for this use and finalized after it.
    const bool persistent = entry == nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size() + 1),
                           persistent ? SQLITE_PREPARE_PERSISTENT : 0, &stmt, &tail) != SQLITE_OK) {
      RaiseSqlite(db);
    }
    if (stmt == nullptr) throw Error::Database(driver::kEmptyStatement);
    if (!driver::OnlyBlanksFrom(sql, static_cast<std::size_t>(tail - sql.c_str()))) {
      sqlite3_finalize(stmt);
      throw Error::Database("一次只能执行一条 SQL 语句，多条语句请用 ExecuteScript");
    }
    if (persistent) {
      entry = &shared_->cache.Insert(sql, Shared::Cached{stmt, true});
      shared_->cache.Trim(driver::kStatementCacheCapacity, [](Shared::Cached& idle) { sqlite3_finalize(idle.stmt); });
    } else {
      entry = nullptr;
    }
  }

  Statement statement(shared_, stmt, entry);
  const auto expected = static_cast<std::size_t>(sqlite3_bind_parameter_count(stmt));
  if (expected != params.size()) throw driver::ParameterCountError(expected, params.size());
  for (std::size_t i = 0; i < params.size(); ++i) {
    if (BindValue(stmt, static_cast<int>(i + 1), params[i]) != SQLITE_OK) RaiseSqlite(db);
  }
  return statement;
}

int64_t SqliteConnection::Execute(const std::string& sql, const std::vector<Variant>& params) {
  Statement statement = Prepare(sql, params);
  sqlite3* db = shared_->db;
  const sqlite3_int64 before = sqlite3_total_changes64(db);
  int rc;
  while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) RaiseSqlite(db);
  // sqlite3_changes64 keeps the count of the last INSERT/UPDATE/DELETE, so a statement that
  // changed nothing (DDL among them) is told by the running total instead.
  return sqlite3_total_changes64(db) == before ? 0 : sqlite3_changes64(db);
}

std::unique_ptr<Recordset> SqliteConnection::Query(const std::string& sql, const std::vector<Variant>& params) {
  return std::make_unique<SqliteRecordset>(Prepare(sql, params));
}

void SqliteConnection::ExecuteScript(const std::string& sql) {
  sqlite3* db = shared_->db;
  if (db == nullptr) throw Error::Database(driver::kConnectionClosed);
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    Error error = Error::DatabaseFailure("SQLite 数据库执行脚本失败", message != nullptr ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    throw error;
  }
}

void SqliteConnection::RunSimple(const char* sql) { Execute(sql); }

void SqliteConnection::BeginTrans() {
  if (in_transaction_) throw Error::Database(driver::kNestedTransaction);
  RunSimple("BEGIN IMMEDIATE");
  in_transaction_ = true;
  read_only_ = false;
}

void SqliteConnection::BeginReadTrans() {
  if (in_transaction_) throw Error::Database(driver::kNestedTransaction);
  RunSimple("BEGIN");
  in_transaction_ = true;
  read_only_ = true;
}

void SqliteConnection::CommitTrans() {
  driver::EndTransaction(in_transaction_, driver::kNoTransactionToCommit);
  sqlite3* db = shared_->db;
  if (db == nullptr) throw Error::Database(driver::kConnectionClosed);
  // Some failures (disk full, I/O errors) make SQLite roll the whole transaction back itself.
  if (sqlite3_get_autocommit(db) != 0) throw Error::Database("事务已被数据库回滚，无法提交");
  try {
    RunSimple("COMMIT");
  } catch (const Error&) {
    // A COMMIT that failed leaves the transaction open; end it so that the connection is usable
    // and nothing half-done is committed later by accident.
    if (sqlite3_get_autocommit(db) == 0) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

void SqliteConnection::RollbackTrans() {
  driver::EndTransaction(in_transaction_, driver::kNoTransactionToRollback);
  sqlite3* db = shared_->db;
  if (db == nullptr) throw Error::Database(driver::kConnectionClosed);
  if (sqlite3_get_autocommit(db) == 0) RunSimple("ROLLBACK");
}

void SqliteConnection::CallProcedure(const std::string& name, std::vector<ProcedureParameter>& params) {
  ProcedureEmulation body = FindEmulatedProcedure(name);
  if (!body) throw Error::Database("SQLite 数据库中没有存储过程“" + name + "”（未注册它的模拟实现）");
  if (!IsOpen()) throw Error::Database(driver::kConnectionClosed);
  body(*this, params);
}

}  // namespace quillstone
