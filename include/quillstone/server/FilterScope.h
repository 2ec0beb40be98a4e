// The columns a list filter may name: those of the tables its statement reads, as the library's
// schema defines them. A bare name means the first of the tables that has it, so a name two
// joined tables share means the same column wherever the filter is used.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillstone {

class FilterScope {
 public:
  struct Column {
    std::string table;  // as the schema names it; empty in a scope that takes any name
    std::string name;
    std::size_t size = 0;  // characters of a varchar column; 0 for numbers
  };

  // The registry joined with the item table: ListInventoryBarCodeSets, ListInventoryBarCodeSetRS,
  // GetBarCodeRefSQL.
  static const FilterScope& Registry();
  // BarCodeRule: ListRules.
  static const FilterScope& Rules();
  // RuleAssign joined with the item, class and rule tables: ListAssigns.
  static const FilterScope& Assigns();
  // Any plain name is a column: for a program that checks a caller's condition on its own before
  // joining it to conditions of its own.
  static const FilterScope& AnyColumn();

  // Null when no table of the scope has the column (names compare without regard to case).
  const Column* Find(const std::string& name) const;
  const Column* Find(const std::string& table, const std::string& name) const;
  // True for AnyColumn(): every plain name stands for a column, and Find finds none.
  bool takesAnyName() const { return any_; }

 private:
  explicit FilterScope(const std::vector<std::string>& tables);
  FilterScope() = default;

  std::vector<Column> columns_;  // the tables in their order, each table's columns in schema order
  std::vector<std::string> lowerNames_, lowerTables_;  // the same, lower-case, for lookups
  bool any_ = false;
};

}  // namespace quillstone
