#include "quillstone/server/FilterScope.h"

#include <cctype>
#include <cstdlib>

#include "src/quillstone/server/schema/SchemaScripts.h"

namespace quillstone {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// `lower` (lower-case already) and `name` are the same but for the case of ASCII letters.
bool SameLower(const std::string& lower, const std::string& name) {
  if (lower.size() != name.size()) return false;
  for (std::size_t k = 0; k < name.size(); ++k) {
    const char c = name[k];
    if (lower[k] != (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c)) return false;
  }
  return true;
}

std::string Trimmed(const std::string& line) {
  const auto start = line.find_first_not_of(" \t");
  return start == std::string::npos ? "" : line.substr(start, line.find_last_not_of(" \t,") + 1 - start);
}

// The column lines of "create table <table> (" in the schema script, up to its ");": the first
// word of each is the column's name (unquoted), the second its type.
std::vector<FilterScope::Column> SchemaColumns(const std::string& table) {
  const std::string script = schema_sql::kTables;
  const std::string head = "create table " + table + " (\n";
  std::size_t at = script.find(head);
  std::vector<FilterScope::Column> columns;
  if (at == std::string::npos) return columns;
  at += head.size();
  for (std::size_t end = script.find('\n', at); end != std::string::npos; at = end + 1, end = script.find('\n', at)) {
    const std::string line = Trimmed(script.substr(at, end - at));
    if (line.rfind(")", 0) == 0) break;
    if (line.empty() || line.rfind("--", 0) == 0 || line.rfind("primary key", 0) == 0) continue;
    const std::size_t blank = line.find(' ');
    std::string name = line.substr(0, blank);
    if (name.size() > 2 && name.front() == '"') name = name.substr(1, name.size() - 2);
    const std::string type = blank == std::string::npos ? "" : line.substr(blank + 1);
    const std::size_t size = type.rfind("varchar(", 0) == 0 ? std::strtoul(type.c_str() + 8, nullptr, 10) : 0;
    columns.push_back({table, name, size});
  }
  return columns;
}

}  // namespace

FilterScope::FilterScope(const std::vector<std::string>& tables) {
  for (const std::string& table : tables)
    for (auto& column : SchemaColumns(table)) columns_.push_back(std::move(column));
  for (const Column& column : columns_) {
    lowerNames_.push_back(Lower(column.name));
    lowerTables_.push_back(Lower(column.table));
  }
}

const FilterScope& FilterScope::Registry() {
  static const FilterScope scope({"InventoryBarCodeSet", "Inventory"});
  return scope;
}

const FilterScope& FilterScope::Rules() {
  static const FilterScope scope({"BarCodeRule"});
  return scope;
}

const FilterScope& FilterScope::Assigns() {
  static const FilterScope scope({"RuleAssign", "Inventory", "InventoryClass", "BarCodeRule"});
  return scope;
}

const FilterScope& FilterScope::AnyColumn() {
  static const FilterScope scope = [] {
    FilterScope any;
    any.any_ = true;
    return any;
  }();
  return scope;
}

const FilterScope::Column* FilterScope::Find(const std::string& name) const {
  for (std::size_t k = 0; k < columns_.size(); ++k)
    if (SameLower(lowerNames_[k], name)) return &columns_[k];
  return nullptr;
}

const FilterScope::Column* FilterScope::Find(const std::string& table, const std::string& name) const {
  for (std::size_t k = 0; k < columns_.size(); ++k)
    if (SameLower(lowerNames_[k], name) && SameLower(lowerTables_[k], table)) return &columns_[k];
  return nullptr;
}

}  // namespace quillstone
