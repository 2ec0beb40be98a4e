// A unit of work that commits once: its own transaction, or none inside one the caller holds,
// whose commit or rollback then decides for both.
#pragma once

#include <optional>

#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Transaction.h"

namespace quillstone {

class TransactionScope {
 public:
  explicit TransactionScope(Connection& conn) {
    if (!conn.InTransaction()) own_.emplace(conn);
  }
  TransactionScope(const TransactionScope&) = delete;
  TransactionScope& operator=(const TransactionScope&) = delete;

  void Commit() {
    if (own_) own_->Commit();
  }

 private:
  std::optional<Transaction> own_;
};

}  // namespace quillstone
