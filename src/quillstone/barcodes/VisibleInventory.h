// The user's data rights on inventory as rows of a temporary table, so that a lookup under the
// rights costs a key lookup and its statement text never changes, however many items are visible.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quillstone {

class Connection;

namespace barcodes {

class VisibleInventory {
 public:
  VisibleInventory();

  // A condition on Inventory.iid for the host's list `visible` (its data-rights SQL text). A list
  // of plain ids is written once per connection session as rows of the temporary table and
  // answered from there; inside a transaction that may write (and so be rolled back, taking the
  // rows away) it is written only when the rows are there already. Other lists go in verbatim.
  std::string Condition(const std::shared_ptr<Connection>& conn, const std::string& visible);

 private:
  bool Filled(const std::shared_ptr<Connection>& conn, const std::string& visible) const;
  bool Materialize(const std::shared_ptr<Connection>& conn, const std::string& visible);

  int64_t owner_;  // this object's rows in the table shared by the connection
  std::string condition_;
  std::weak_ptr<Connection> filledFor_;
  uint64_t filledSession_ = 0;
  std::string filledList_;
};

}  // namespace barcodes
}  // namespace quillstone
