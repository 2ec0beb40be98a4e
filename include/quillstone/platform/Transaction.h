// A transaction that rolls back unless committed.
#pragma once

#include "quillstone/platform/Connection.h"

namespace quillstone {

class Transaction {
 public:
  explicit Transaction(Connection& conn) : conn_(conn) { conn_.BeginTrans(); }
  ~Transaction() {
    if (open_ && conn_.InTransaction()) {
      try {
        conn_.RollbackTrans();
      } catch (...) {
        // A connection that is already gone has nothing left to roll back.
      }
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // A commit that fails leaves nothing committed: the drivers end the transaction either way.
  void Commit() {
    conn_.CommitTrans();
    open_ = false;
  }

 private:
  Connection& conn_;
  bool open_ = true;
};

}  // namespace quillstone
