// The PostgreSQL driver of the database adapter over libpq: "?" placeholders become $1..$n,
// statements are prepared once per connection, and every result is read whole into the client.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "src/quillstone/platform/DriverSupport.h"
#include "quillstone/platform/Connection.h"

struct pg_conn;
struct pg_result;

namespace quillstone {

// Replaces every "?" of SQL code by $1, $2, ... in order, leaving those inside literals, quoted
// identifiers, dollar-quoted bodies and comments alone; `count` receives the number replaced.
std::string TranslatePlaceholders(const std::string& sql, int* count);

class PostgresConnection : public Connection {
 public:
  // `conninfo` is libpq's own: a postgresql:// URI or key=value pairs.
  PostgresConnection(std::string connection_string, const std::string& conninfo);
  ~PostgresConnection() override;

  Backend backend() const override { return Backend::Postgres; }
  const std::string& connectionString() const override { return connection_string_; }
  bool IsOpen() const override { return conn_ != nullptr; }
  void Close() override;

  // Parameters are typed by their Variant: int16/int32/int64 as smallint/integer/bigint, double
  // as double precision, Boolean as integer 1/0. Text and dates are sent as untyped literals,
  // so the server reads them as it would read a quoted literal in the same place.
  int64_t Execute(const std::string& sql, const std::vector<Variant>& params = {}) override;
  std::unique_ptr<Recordset> Query(const std::string& sql, const std::vector<Variant>& params = {}) override;
  void ExecuteScript(const std::string& sql) override;

  // An error inside a transaction aborts it on the server; committing such a transaction is
  // answered with ROLLBACK, which is raised as an error here.
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  bool InTransaction() const override { return in_transaction_; }

  // Calls the function `select * from name(inputs...)` and reads each output parameter from the
  // result column of the same name.
  void CallProcedure(const std::string& name, std::vector<ProcedureParameter>& params) override;

  // Prepared statements currently held (for tests of the statement cache).
  std::size_t CachedStatementCount() const { return cache_.size(); }

 private:
  struct Prepared {
    std::string name;
    bool busy() const { return false; }
  };
  struct ResultDeleter {
    void operator()(pg_result* result) const;
  };
  using Result = std::unique_ptr<pg_result, ResultDeleter>;

  Result Run(const std::string& sql, const std::vector<Variant>& params, bool typed);
  Result RunPrepared(const std::string& key, const std::string& sql, const std::vector<Variant>& params, bool typed,
                     bool may_retry = true);
  Result RunSimple(const std::string& sql);
  void Deallocate(const std::string& name);
  // The live handle; a lost connection is opened again here when reconnection is on and no
  // transaction is open, else the loss is raised.
  pg_conn* Handle();
  void SetUpSession();
  void Reconnect();

  std::string connection_string_;
  pg_conn* conn_ = nullptr;
  driver::StatementCache<Prepared> cache_;
  unsigned long next_statement_ = 0;
  bool in_transaction_ = false;
};

}  // namespace quillstone
