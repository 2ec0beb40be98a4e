// Reads of the first row of a query, which lookups need everywhere: whether there is one, and one
// of its fields. The result set is closed before they return, so the connection is free for the
// next statement at once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quillstone/platform/Connection.h"
#include "quillstone/platform/Variant.h"

namespace quillstone {

bool HasRow(Connection& conn, const std::string& sql, const std::vector<Variant>& params = {});

// The field `column` of the first row; nothing when the query gives no row (a Null field is Null).
std::optional<Variant> FirstField(Connection& conn, const std::string& sql, const std::vector<Variant>& params,
                                  const std::string& column);

}  // namespace quillstone
