// A text column as the library reads its own and the host's tables: Null as the empty text,
// blanks removed at both ends (fixed-width columns come back padded on some servers).
#pragma once

#include <string>

#include "quillstone/platform/Recordset.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

inline std::string FieldText(const Recordset& row, const std::string& column) {
  return Trim(NullToStr(row.Field(column)));
}

}  // namespace quillstone
