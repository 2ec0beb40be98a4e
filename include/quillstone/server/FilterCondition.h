// A caller's list filter, checked to be one SQL condition before it is put into a statement: it
// cannot end the statement, hide the rest of it in a comment, close the brackets it is put in,
// reach other tables through a subquery or call functions beyond a few harmless ones. What passes
// is placed in brackets and joined to the data rights with "and", so it can only narrow them.
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace quillstone {

class FilterCondition {
 public:
  // Longest filter accepted, in bytes.
  static constexpr std::size_t kMaxLength = 4000;

  // Column names that two joined tables share, lower-case, each with the table it means when the
  // caller does not name one ("cinvcode" -> "InventoryBarCodeSet").
  using Owners = std::map<std::string, std::string>;

  // The filter ready to go between brackets: shared column names qualified by their owner, all
  // else as written. Raises the library's error naming what is refused. `parameters` is the
  // number of values bound to "?" marks in it.
  static std::string Checked(const std::string& filter, std::size_t parameters = 0, const Owners& owners = {});

  // The registry joined with the item table: names they share mean the registry's columns.
  static const Owners& RegistryOwners();
  // Assignments joined with rules, items and classes.
  static const Owners& AssignOwners();
};

}  // namespace quillstone
