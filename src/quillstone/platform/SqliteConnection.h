// The SQLite driver of the database adapter: one sqlite3 handle, its prepared statements cached
// by SQL text, and result sets that step a statement row by row.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/platform/Connection.h"

namespace quillstone {

class SqliteConnection : public Connection {
 public:
  // `path` is a file name, ":memory:" (a private in-memory database) or a "file:" URI.
  SqliteConnection(std::string connection_string, std::string path);
  ~SqliteConnection() override;

  Backend backend() const override { return Backend::Sqlite; }
  const std::string& connectionString() const override { return connection_string_; }
  bool IsOpen() const override;
  void Close() override;

  int64_t Execute(const std::string& sql, const std::vector<Variant>& params = {}) override;
  std::unique_ptr<Recordset> Query(const std::string& sql, const std::vector<Variant>& params = {}) override;
  void ExecuteScript(const std::string& sql) override;

  // Write transactions: BEGIN IMMEDIATE takes the write lock at the start, so two connections that
  // both read and then write wait for each other (busy timeout) instead of failing with a deadlock.
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  bool InTransaction() const override { return in_transaction_; }
  void BeginReadTrans() override;
  bool InReadTransaction() const override { return in_transaction_ && read_only_; }

  // Runs the procedure's registered emulation; SQLite has no stored procedures.
  void CallProcedure(const std::string& name, std::vector<ProcedureParameter>& params) override;

  // Prepared statements currently held (for tests of the statement cache).
  std::size_t CachedStatementCount() const;

  struct Shared;    // the handle and the statement cache; open result sets share it
  class Statement;  // a prepared statement lent out of the cache, or a private one

 private:
  Statement Prepare(const std::string& sql, const std::vector<Variant>& params);
  void RunSimple(const char* sql);

  std::string connection_string_;
  std::shared_ptr<Shared> shared_;
  bool in_transaction_ = false;
  bool read_only_ = false;
};

}  // namespace quillstone
