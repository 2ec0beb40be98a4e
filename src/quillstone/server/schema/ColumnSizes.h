// The sizes, in characters, of the text columns that values from callers are written to; the
// same as the varchar sizes of the tables (SchemaTables.cpp). A value longer than its column is
// refused before anything is written, on both databases alike.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillstone::ColumnSizes {

// BarCodeRule and BarCodeRuleItem.
constexpr std::size_t kRuleId = 60;
constexpr std::size_t kRuleName = 120;
constexpr std::size_t kBarCodeType = 60;
constexpr std::size_t kDescription = 255;
constexpr std::size_t kRelevantValue = 128;
constexpr std::size_t kAi = 4;
// RuleAssign.
constexpr std::size_t kAssignId = 30;
constexpr std::size_t kAssignInvId = 60;
constexpr std::size_t kAssignClassId = 30;
// InventoryBarCodeSet.
constexpr std::size_t kBarCode = 128;
constexpr std::size_t kInvCode = 60;
constexpr std::size_t kName = 255;
constexpr std::size_t kClassCode = 30;
constexpr std::size_t kShortCode = 30;  // warehouse, position, vendor, unit
constexpr std::size_t kBatch = 60;
constexpr std::size_t kFree = 120;

// The size of the registry column of a text property the caller supplies with a barcode (vendor,
// warehouse, position, batch, unit, free items); 0 for every other column.
constexpr std::size_t OfProperty(std::string_view column) {
  if (column == "cVenCode" || column == "cWhCode" || column == "cPostion" || column == "cAssUnit") return kShortCode;
  if (column == "cBatch") return kBatch;
  if (column.substr(0, 5) == "cFree") return kFree;
  return 0;
}

}  // namespace quillstone::ColumnSizes
