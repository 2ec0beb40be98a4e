// The database connection of the library: one interface over the SQLite and PostgreSQL client
// libraries. SQL uses "?" for bound parameters and double-quoted identifiers on both backends.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/platform/Recordset.h"
#include "quillstone/platform/Variant.h"

namespace quillstone {

enum class Backend { Sqlite, Postgres };

// One named argument of a stored-procedure call; output values are written back into `value`.
struct ProcedureParameter {
  enum class Direction { Input, Output };
  std::string name;
  Direction direction = Direction::Input;
  Variant value;
  int size = 0;
};

class Connection {
 public:
  // Opens "sqlite:PATH", "sqlite::memory:" or "postgresql://..." / "postgresql:key=value ...".
  // An unknown scheme or a failure to connect raises the database's own message.
  static std::shared_ptr<Connection> Open(const std::string& connection_string);

  // Procedures run on backends without stored procedures (SQLite) as functions of the adapter.
  // Names match without regard to letter case; registering an empty body removes the name.
  using ProcedureEmulation = std::function<void(Connection&, std::vector<ProcedureParameter>&)>;
  static void RegisterEmulatedProcedure(const std::string& name, ProcedureEmulation body);

  virtual ~Connection() = default;

  virtual Backend backend() const = 0;
  virtual const std::string& connectionString() const = 0;
  virtual bool IsOpen() const = 0;
  // Closes the connection; closing a closed connection does nothing.
  virtual void Close() = 0;

  // Runs a statement without a result set; returns the number of rows it changed.
  virtual int64_t Execute(const std::string& sql, const std::vector<Variant>& params = {}) = 0;
  // Runs a query; the result set must be read before the next statement on this connection.
  virtual std::unique_ptr<Recordset> Query(const std::string& sql, const std::vector<Variant>& params = {}) = 0;
  // Runs several statements given as one text, without parameters (schema scripts).
  virtual void ExecuteScript(const std::string& sql) = 0;

  // Transactions do not nest: a second BeginTrans while one is open is refused.
  virtual void BeginTrans() = 0;
  virtual void CommitTrans() = 0;
  virtual void RollbackTrans() = 0;
  virtual bool InTransaction() const = 0;
  // A transaction for reads only, where the backend makes that cheaper (SQLite: a deferred
  // transaction, which takes no write lock and pays the read lock once for all its statements).
  virtual void BeginReadTrans() { BeginTrans(); }
  virtual bool InReadTransaction() const { return false; }

  // Calls a stored procedure with named input and output parameters.
  virtual void CallProcedure(const std::string& name, std::vector<ProcedureParameter>& params) = 0;

  // A connection to a server that is lost (server restart, network drop) fails the call in
  // flight; with reconnection on, the next call outside a transaction opens it again. Off by
  // default: a connection handed to the library is its owner's to reopen.
  void setAutoReconnect(bool on) { auto_reconnect_ = on; }
  bool autoReconnect() const { return auto_reconnect_; }
  // Counts the server sessions this connection has had: it changes when a lost connection is
  // opened again, and with it everything the old session held (temporary tables, prepared
  // statements) is gone.
  uint64_t sessionNumber() const { return session_number_; }

  // How long one statement that carries a caller's list filter may run on a server database
  // before the server cancels it (a few seconds by default; 0 leaves the server's own limit).
  void setFilterTimeoutMs(int64_t ms) { filter_timeout_ms_ = ms; }
  int64_t filterTimeoutMs() const { return filter_timeout_ms_; }

 protected:
  // A copy of the registered body (empty when there is none), so a body may re-register itself.
  static ProcedureEmulation FindEmulatedProcedure(const std::string& name);
  void BeginNewSession() { ++session_number_; }

 private:
  bool auto_reconnect_ = false;
  uint64_t session_number_ = 0;
  int64_t filter_timeout_ms_ = 5000;
};

}  // namespace quillstone
