#include "quillstone/platform/Recordset.h"

#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Column names compare as the databases compare identifiers: ASCII letters without regard to
// case, every other byte (Chinese captions among them) exactly.
std::string Lowered(std::string name) {
  for (char& c : name) c = LowerAscii(c);
  return name;
}

}  // namespace

int Recordset::FindField(const std::string& name) const {
  // Rows are read field by field by name, so the names are lowered once per result set.
  const int count = FieldCount();
  if (lowered_names_.size() != static_cast<std::size_t>(count)) {
    lowered_names_.clear();
    for (int i = 0; i < count; ++i) lowered_names_.push_back(Lowered(FieldName(i)));
  }
  const std::string wanted = Lowered(name);
  for (int i = 0; i < count; ++i) {
    if (lowered_names_[static_cast<std::size_t>(i)] == wanted) return i;
  }
  return -1;
}

int Recordset::FieldIndex(const std::string& name) const {
  const int index = FindField(name);
  if (index < 0) throw Error::Database("记录集中没有名为“" + name + "”的字段");
  return index;
}

void Recordset::CheckFieldIndex(int index) const {
  if (index < 0 || index >= FieldCount()) {
    throw Error::Database("字段序号 " + std::to_string(index) + " 超出范围（共 " + std::to_string(FieldCount()) +
                          " 个字段）");
  }
}

void Recordset::CheckCurrentRow() const {
  if (IsEOF()) throw Error::Database("记录集已到达末尾，没有当前记录");
}

}  // namespace quillstone
