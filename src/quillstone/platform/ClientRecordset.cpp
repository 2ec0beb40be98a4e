#include "quillstone/platform/ClientRecordset.h"

#include <utility>

#include "quillstone/platform/Error.h"

namespace quillstone {

std::shared_ptr<ClientRecordset> ClientRecordset::ReadAll(Recordset& source) {
  std::vector<std::string> names;
  const int count = source.FieldCount();
  names.reserve(count);
  for (int i = 0; i < count; ++i) names.push_back(source.FieldName(i));

  std::vector<std::vector<Variant>> rows;
  for (; !source.IsEOF(); source.MoveNext()) {
    std::vector<Variant> row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) row.push_back(source.Field(i));
    rows.push_back(std::move(row));
  }
  return std::make_shared<ClientRecordset>(std::move(names), std::move(rows));
}

ClientRecordset::ClientRecordset(std::vector<std::string> names, std::vector<std::vector<Variant>> rows)
    : names_(std::move(names)), rows_(std::move(rows)) {
  for (const auto& row : rows_) {
    if (row.size() != names_.size()) throw Error::Database("记录集的行与字段个数不一致");
  }
}

void ClientRecordset::MoveNext() {
  CheckCurrentRow();
  ++position_;
}

std::string ClientRecordset::FieldName(int index) const {
  CheckFieldIndex(index);
  return names_[static_cast<std::size_t>(index)];
}

Variant ClientRecordset::Field(int index) const {
  CheckFieldIndex(index);
  CheckCurrentRow();
  return rows_[position_][static_cast<std::size_t>(index)];
}

}  // namespace quillstone
