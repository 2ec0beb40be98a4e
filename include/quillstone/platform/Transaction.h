// A transaction that rolls back unless committed.
#pragma once

#include "quillstone/platform/Connection.h"

namespace quillstone {

class Transaction {
 public:
  explicit Transaction(Connection& conn) : conn_(conn) { conn_.BeginTrans(); }
  ~Transaction() {
    if (open_) {
      try {
        conn_.RollbackTrans();
      } catch (...) {
        // A connection that is already gone has nothing left to roll back.
      }
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit() {
    open_ = false;
    conn_.CommitTrans();
  }

 private:
  Connection& conn_;
  bool open_ = true;
};

}  // namespace quillstone
