// Runs a statement that carries a caller's list filter. On a server database it runs in a
// read-only transaction (a savepoint inside the caller's own transaction, undone afterwards) with
// a statement time limit, so that whatever a filter holds, it can neither write nor hold the
// server. A database failure is reported with the filter and the kind of failure only: the
// server's text may quote values of rows.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Error.h"

namespace quillstone {

class FilterCondition;

class FilteredRead {
 public:
  // Opens the statement's rows; on PostgreSQL they are all read before the transaction ends.
  static std::unique_ptr<Recordset> Query(Connection& conn, const std::string& sql, const std::vector<Variant>& params,
                                          const FilterCondition& filter);
  // Runs `step` (reading on to the next row, where SQLite evaluates the filter) with a database
  // failure reported as a failure of the filter.
  static void Step(const FilterCondition& filter, const std::function<void()>& step);

  // The failure `error` (from the database) as the library's error naming `filter`.
  [[noreturn]] static void RaiseFailure(const FilterCondition& filter, const Error& error);
};

}  // namespace quillstone
