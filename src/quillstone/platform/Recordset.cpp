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

// `lowered` (already lower case) is `name` without regard to the case of ASCII letters.
bool SameLowered(const std::string& lowered, const std::string& name) {
  if (lowered.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (lowered[i] != LowerAscii(name[i])) return false;
  return true;
}

}  // namespace

int Recordset::FindField(const std::string& name) const {
  // Rows are read field by field by name, mostly in the order of the columns: the names are
  // lowered once per result set, and the search starts after the column found last.
  const int count = FieldCount();
  if (lowered_names_.size() != static_cast<std::size_t>(count)) {
    lowered_names_.clear();
    for (int i = 0; i < count; ++i) lowered_names_.push_back(Lowered(FieldName(i)));
    last_found_ = -1;
  }
  for (int step = 1; step <= count; ++step) {
    const int i = (last_found_ + step) % count;
    if (SameLowered(lowered_names_[static_cast<std::size_t>(i)], name)) {
      last_found_ = i;
      return i;
    }
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
