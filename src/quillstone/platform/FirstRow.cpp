#include "src/quillstone/platform/FirstRow.h"

namespace quillstone {

bool HasRow(Connection& conn, const std::string& sql, const std::vector<Variant>& params) {
  return !conn.Query(sql, params)->IsEOF();
}

std::optional<Variant> FirstField(Connection& conn, const std::string& sql, const std::vector<Variant>& params,
                                  const std::string& column) {
  auto rs = conn.Query(sql, params);
  if (rs->IsEOF()) return std::nullopt;
  return rs->Field(column);
}

}  // namespace quillstone
