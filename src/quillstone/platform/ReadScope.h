// An operation's reads in one read transaction where that is cheaper (SQLite: one read lock for
// all its statements, and no write lock, so writers are not held up); nothing inside a
// transaction already open, nor on a server database, where it would only add round trips.
#pragma once

#include "quillstone/platform/Connection.h"

namespace quillstone {

class ReadScope {
 public:
  explicit ReadScope(Connection& conn) : conn_(conn) {
    if (conn.backend() == Backend::Sqlite && !conn.InTransaction()) {
      conn.BeginReadTrans();
      open_ = true;
    }
  }
  // Ended by a commit even after a failure: the reads changed nothing, and what the operation kept
  // in temporary tables for later calls stays.
  ~ReadScope() {
    if (!open_ || !conn_.InTransaction()) return;
    try {
      conn_.CommitTrans();
    } catch (...) {
      try {
        if (conn_.InTransaction()) conn_.RollbackTrans();
      } catch (...) {
        // A connection that is already gone has nothing left to end.
      }
    }
  }
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;

 private:
  Connection& conn_;
  bool open_ = false;
};

}  // namespace quillstone
