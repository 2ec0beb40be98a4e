// A forward-only pass over the rows of a query; fields are read by column name (any letter case)
// or by 0-based position, as Variants with Null for SQL NULL.
#pragma once

#include <string>
#include <vector>

#include "quillstone/platform/Variant.h"

namespace quillstone {

class Recordset {
 public:
  virtual ~Recordset() = default;

  // True when there is no current row (no rows at all, or moved past the last).
  virtual bool IsEOF() const = 0;
  virtual void MoveNext() = 0;

  virtual int FieldCount() const = 0;
  virtual std::string FieldName(int index) const = 0;
  // Value of the current row; an unknown column or a read at EOF raises an error.
  virtual Variant Field(int index) const = 0;
  Variant Field(const std::string& name) const { return Field(FieldIndex(name)); }
  // 0-based position of the column, -1 when there is none of that name.
  int FindField(const std::string& name) const;

 protected:
  // 0-based position of the column; an unknown name raises an error naming the column.
  int FieldIndex(const std::string& name) const;
  // The checks every result set makes before a read or a move, with one wording for all.
  void CheckFieldIndex(int index) const;
  void CheckCurrentRow() const;

 private:
  mutable std::vector<std::string> lowered_names_;
  mutable int last_found_ = -1;
};

}  // namespace quillstone
