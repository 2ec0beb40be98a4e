#include "src/quillstone/platform/PostgresConnection.h"

#include <libpq-fe.h>

#include <cctype>
#include <charconv>
#include <cstring>
#include <utility>

#include "quillstone/platform/DateTime.h"
#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

// Type OIDs of the built-in types (pg_type), fixed across server versions.
constexpr Oid kUnknownParam = 0;
constexpr Oid kBoolOid = 16;
constexpr Oid kInt8Oid = 20;
constexpr Oid kInt2Oid = 21;
constexpr Oid kInt4Oid = 23;
constexpr Oid kFloat4Oid = 700;
constexpr Oid kFloat8Oid = 701;
constexpr Oid kNumericOid = 1700;

std::string TrimMessage(const char* message) {
  std::string text = message != nullptr ? message : "";
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

constexpr const char* kConnectionLost = "与 PostgreSQL 数据库服务器的连接已断开";

// The server's or libpq's own text follows the library's description of what failed.
Error ResultError(pg_conn* conn, const PGresult* result) {
  const char* message = result != nullptr ? PQresultErrorMessage(result) : nullptr;
  if (message == nullptr || *message == '\0') message = PQerrorMessage(conn);
  std::string text = TrimMessage(message);
  if (text.empty()) text = "未知错误";
  if (PQstatus(conn) == CONNECTION_BAD)
    return Error::DatabaseFailure(kConnectionLost, text, Error::Fault::ConnectionLost);
  const char* field = result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
  const std::string state = field != nullptr ? field : "";
  if (state == "23505")
    return Error::DatabaseFailure("数据库中已有相同键值的记录", text, Error::Fault::DuplicateKey, state);
  return Error::DatabaseFailure("PostgreSQL 数据库执行语句失败", text, Error::Fault::None, state);
}

template <class Int>
Int ParseInteger(const char* text, int length) {
  Int value = 0;
  std::from_chars(text, text + length, value);
  return value;
}

double ParseDouble(const char* text, int length) {
  double value = 0;
  std::from_chars(text, text + length, value);
  return value;
}

// Values arrive in text format and are turned into the Variant of their column type; every type
// without a numeric or Boolean meaning (text, dates, timestamps, ...) stays text as the server
// wrote it (dates as yyyy-MM-dd, DateStyle being ISO).
Variant ValueOf(const PGresult* result, int row, int column) {
  if (PQgetisnull(result, row, column)) return Variant(Variant::Null);
  const char* text = PQgetvalue(result, row, column);
  const int length = PQgetlength(result, row, column);
  switch (PQftype(result, column)) {
    case kInt2Oid:
      return Variant(ParseInteger<int16_t>(text, length));
    case kInt4Oid:
      return Variant(ParseInteger<int32_t>(text, length));
    case kInt8Oid:
      return Variant(ParseInteger<int64_t>(text, length));
    case kFloat4Oid:
    case kFloat8Oid:
    case kNumericOid:
      return Variant(ParseDouble(text, length));
    case kBoolOid:
      return Variant(text[0] == 't');
    default:
      return Variant(std::string(text, static_cast<std::size_t>(length)));
  }
}

std::string FormatDouble(double value) {
  char buffer[64];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// The server type a parameter is declared with, and its text form.
struct BoundValue {
  Oid type = kUnknownParam;
  bool null = false;
  std::string text;
};

BoundValue Bind(const Variant& value, bool typed) {
  BoundValue bound;
  switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
      bound.null = true;
      break;
    case Variant::Type::String:
      bound.text = value.toString();
      break;
    case Variant::Type::Int16:
      bound = {kInt2Oid, false, value.toString()};
      break;
    case Variant::Type::Int32:
      bound = {kInt4Oid, false, value.toString()};
      break;
    case Variant::Type::Int64:
      bound = {kInt8Oid, false, value.toString()};
      break;
    case Variant::Type::Double:
      bound = {kFloat8Oid, false, FormatDouble(value.toDouble())};
      break;
    case Variant::Type::Bool:
      bound = {kInt4Oid, false, value.toBool() ? "1" : "0"};
      break;
    case Variant::Type::Date:
      bound.text = FormatIsoDate(value.toDate());
      break;
  }
  if (!typed) bound.type = kUnknownParam;
  return bound;
}

bool IsProcedureName(const std::string& name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) || name[0] == '.') return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') return false;
  }
  return name.back() != '.';
}

class PostgresRecordset : public Recordset {
 public:
  explicit PostgresRecordset(PGresult* result) : result_(result) {}

  bool IsEOF() const override { return row_ >= PQntuples(result_.get()); }
  void MoveNext() override {
    CheckCurrentRow();
    ++row_;
  }

  int FieldCount() const override { return PQnfields(result_.get()); }
  std::string FieldName(int index) const override {
    CheckFieldIndex(index);
    return PQfname(result_.get(), index);
  }
  Variant Field(int index) const override {
    CheckFieldIndex(index);
    CheckCurrentRow();
    return ValueOf(result_.get(), row_, index);
  }
  using Recordset::Field;

 private:
  struct Clear {
    void operator()(PGresult* result) const { PQclear(result); }
  };
  std::unique_ptr<PGresult, Clear> result_;
  int row_ = 0;
};

}  // namespace

std::string TranslatePlaceholders(const std::string& sql, int* count) {
  std::string out;
  out.reserve(sql.size() + 16);
  std::size_t copied = 0;
  int number = 0;
  driver::ForEachCodeChar(sql, [&](std::size_t pos) {
    if (sql[pos] != '?') return;
    out.append(sql, copied, pos - copied);
    out += '$';
    out += std::to_string(++number);
    copied = pos + 1;
  });
  out.append(sql, copied, std::string::npos);
  if (count != nullptr) *count = number;
  return out;
}

void PostgresConnection::ResultDeleter::operator()(pg_result* result) const { PQclear(result); }

PostgresConnection::PostgresConnection(std::string connection_string, const std::string& conninfo)
    : connection_string_(std::move(connection_string)) {
  conn_ = PQconnectdb(conninfo.c_str());
  if (conn_ == nullptr) throw Error::Database("无法连接 PostgreSQL 数据库：内存不足");
  try {
    if (PQstatus(conn_) != CONNECTION_OK) {
      throw Error::DatabaseFailure("无法连接 PostgreSQL 数据库", TrimMessage(PQerrorMessage(conn_)));
    }
    // Notices (a DROP ... IF EXISTS that found nothing) are not failures and must not reach stderr.
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
    SetUpSession();
  } catch (...) {
    PQfinish(conn_);
    conn_ = nullptr;
    throw;
  }
}

PostgresConnection::~PostgresConnection() { Close(); }

void PostgresConnection::Close() {
  if (conn_ != nullptr) PQfinish(conn_);
  conn_ = nullptr;
  cache_.Clear();  // prepared statements end with the server session
  in_transaction_ = false;
}

void PostgresConnection::SetUpSession() {
  if (PQsetClientEncoding(conn_, "UTF8") != 0) throw ResultError(conn_, nullptr);
  RunSimple("SET DateStyle TO ISO, YMD");
}

pg_conn* PostgresConnection::Handle() {
  if (conn_ == nullptr) throw Error::Database(driver::kConnectionClosed);
  if (PQstatus(conn_) == CONNECTION_BAD) Reconnect();
  return conn_;
}

void PostgresConnection::Reconnect() {
  // Inside a transaction the work done so far died with the server session: the caller must
  // end the transaction and start again, so the loss is raised until then.
  if (!autoReconnect() || in_transaction_)
    throw Error::DatabaseFailure(kConnectionLost, TrimMessage(PQerrorMessage(conn_)), Error::Fault::ConnectionLost);
  PQreset(conn_);
  cache_.Clear();  // prepared statements ended with the old server session
  BeginNewSession();
  if (PQstatus(conn_) != CONNECTION_OK)
    throw Error::DatabaseFailure(kConnectionLost + std::string("，重新连接失败"), TrimMessage(PQerrorMessage(conn_)),
                                 Error::Fault::ConnectionLost);
  SetUpSession();
}

PostgresConnection::Result PostgresConnection::RunSimple(const std::string& sql) {
  pg_conn* conn = Handle();
  Result result(PQexec(conn, sql.c_str()));
  const ExecStatusType status = PQresultStatus(result.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY) {
    throw ResultError(conn, result.get());
  }
  return result;
}

void PostgresConnection::Deallocate(const std::string& name) {
  // In an aborted transaction the server refuses every command; the statement then lives on
  // until the session ends, which costs only a little server memory.
  if (PQtransactionStatus(conn_) == PQTRANS_INERROR) return;
  Result ignored(PQexec(conn_, ("DEALLOCATE " + name).c_str()));
}

PostgresConnection::Result PostgresConnection::Run(const std::string& sql, const std::vector<Variant>& params,
                                                   bool typed) {
  Handle();
  // The same text with other parameter types is another prepared statement on the server.
  std::string key;
  key.reserve(sql.size() + params.size() + 1);
  for (const Variant& value : params)
    key += static_cast<char>('a' + static_cast<int>(typed ? value.type() : Variant::Type::Empty));
  key += '\x1f';
  key += sql;
  return RunPrepared(key, sql, params, typed);
}

PostgresConnection::Result PostgresConnection::RunPrepared(const std::string& key, const std::string& sql,
                                                           const std::vector<Variant>& params, bool typed,
                                                           bool may_retry) {
  pg_conn* conn = Handle();
  std::vector<BoundValue> bound;
  bound.reserve(params.size());
  for (const Variant& value : params) bound.push_back(Bind(value, typed));

  Prepared* prepared = cache_.Find(key);
  if (prepared == nullptr) {
    if (driver::OnlyBlanksFrom(sql, 0)) throw Error::Database(driver::kEmptyStatement);
    int count = 0;
    const std::string translated = TranslatePlaceholders(sql, &count);
    if (static_cast<std::size_t>(count) != params.size()) throw driver::ParameterCountError(count, params.size());
    std::vector<Oid> types;
    for (const BoundValue& value : bound) types.push_back(value.type);
    std::string name = "qs_stmt_" + std::to_string(++next_statement_);
    Result result(PQprepare(conn, name.c_str(), translated.c_str(), count, types.data()));
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) throw ResultError(conn, result.get());
    prepared = &cache_.Insert(key, Prepared{std::move(name)});
    cache_.Trim(driver::kStatementCacheCapacity, [this](Prepared& idle) { Deallocate(idle.name); });
  }

  std::vector<const char*> values;
  values.reserve(bound.size());
  for (const BoundValue& value : bound) values.push_back(value.null ? nullptr : value.text.c_str());
  Result result(PQexecPrepared(conn, prepared->name.c_str(), static_cast<int>(values.size()), values.data(), nullptr,
                               nullptr, 0));
  const ExecStatusType status = PQresultStatus(result.get());
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;

  // A table changed since the statement was prepared ("cached plan must not change result
  // type"): outside a transaction the failed statement had no effect, so prepare it afresh once.
  const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
  if (may_retry && state != nullptr && std::strcmp(state, "0A000") == 0 && PQtransactionStatus(conn) == PQTRANS_IDLE &&
      !in_transaction_) {
    Deallocate(prepared->name);
    cache_.Erase(key);
    return RunPrepared(key, sql, params, typed, false);
  }
  throw ResultError(conn, result.get());
}

int64_t PostgresConnection::Execute(const std::string& sql, const std::vector<Variant>& params) {
  Result result = Run(sql, params, true);
  const char* tuples = PQcmdTuples(result.get());
  return (tuples == nullptr || *tuples == '\0') ? 0
                                                : ParseInteger<int64_t>(tuples, static_cast<int>(std::strlen(tuples)));
}

std::unique_ptr<Recordset> PostgresConnection::Query(const std::string& sql, const std::vector<Variant>& params) {
  return std::make_unique<PostgresRecordset>(Run(sql, params, true).release());
}

void PostgresConnection::ExecuteScript(const std::string& sql) { RunSimple(sql); }

void PostgresConnection::BeginTrans() {
  if (in_transaction_) throw Error::Database(driver::kNestedTransaction);
  RunSimple("BEGIN");
  in_transaction_ = true;
}

void PostgresConnection::CommitTrans() {
  driver::EndTransaction(in_transaction_, driver::kNoTransactionToCommit);
  Result result = RunSimple("COMMIT");
  if (std::strcmp(PQcmdStatus(result.get()), "ROLLBACK") == 0) {
    throw Error::Database("事务中有语句出错，事务已中止；提交未完成，事务中的修改已全部回滚");
  }
}

void PostgresConnection::RollbackTrans() {
  driver::EndTransaction(in_transaction_, driver::kNoTransactionToRollback);
  // A lost connection took the transaction with it: there is nothing left to roll back.
  if (conn_ != nullptr && PQstatus(conn_) == CONNECTION_BAD) return;
  RunSimple("ROLLBACK");
}

void PostgresConnection::CallProcedure(const std::string& name, std::vector<ProcedureParameter>& params) {
  if (!IsProcedureName(name)) throw Error::Database("存储过程名称“" + name + "”无效");
  std::string sql = "select * from " + name + "(";
  std::vector<Variant> inputs;
  for (const ProcedureParameter& param : params) {
    if (param.direction != ProcedureParameter::Direction::Input) continue;
    sql += inputs.empty() ? "?" : ", ?";
    inputs.push_back(param.value);
  }
  sql += ")";
  // Inputs go untyped, so the server picks the function's own parameter types for them.
  PostgresRecordset result(Run(sql, inputs, false).release());
  for (ProcedureParameter& param : params) {
    if (param.direction != ProcedureParameter::Direction::Output) continue;
    const int column = result.FindField(param.name);
    if (column < 0) throw Error::Database("存储过程“" + name + "”没有返回输出参数“" + param.name + "”");
    param.value = result.IsEOF() ? Variant(Variant::Null) : result.Field(column);
  }
}

}  // namespace quillstone
