#include "quillstone/platform/Recordset.h"

#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Column names compare as the databases compare identifiers: ASCII letters without regard to
// case, every other byte (Chinese captions among them) exactly.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

int Recordset::FindField(const std::string& name) const {
  const int count = FieldCount();
  for (int i = 0; i < count; ++i) {
    if (SameName(FieldName(i), name)) return i;
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
