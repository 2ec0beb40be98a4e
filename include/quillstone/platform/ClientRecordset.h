// A result set held wholly in memory, so it outlives its statement and can be handed to a caller
// and read again from the first row.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quillstone/platform/Recordset.h"

namespace quillstone {

class ClientRecordset : public Recordset {
 public:
  // Reads every remaining row of `source`.
  static std::shared_ptr<ClientRecordset> ReadAll(Recordset& source);

  ClientRecordset(std::vector<std::string> names, std::vector<std::vector<Variant>> rows);

  bool IsEOF() const override { return position_ >= rows_.size(); }
  void MoveNext() override;
  void MoveFirst() { position_ = 0; }
  int RecordCount() const { return static_cast<int>(rows_.size()); }

  int FieldCount() const override { return static_cast<int>(names_.size()); }
  std::string FieldName(int index) const override;
  Variant Field(int index) const override;
  using Recordset::Field;

 private:
  std::vector<std::string> names_;
  std::vector<std::vector<Variant>> rows_;
  std::size_t position_ = 0;
};

}  // namespace quillstone
