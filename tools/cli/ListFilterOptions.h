// The plain options of the list commands (--item, --rule, --batch, --state, --from, --to), turned
// into one condition whose values are bound as parameters, joined with the caller's --filter.
#pragma once

#include <string>
#include <vector>

#include "quillstone/platform/Variant.h"

namespace CLI {
class App;
}

namespace quillstone::cli {

class ListFilterOptions {
 public:
  // The column each option compares; an empty name leaves the option out of the command.
  struct Columns {
    std::string item, rule, batch, abandon, created;
  };

  explicit ListFilterOptions(Columns columns) : columns_(std::move(columns)) {}

  // Adds --filter and the options whose columns are named.
  void AddTo(CLI::App& app, const std::string& filterHelp);

  // The condition for the library's list call and the values of its "?" marks.
  std::string Condition() const;
  std::vector<Variant> Values() const;

 private:
  void Add(std::string& condition, const std::string& part) const;

  Columns columns_;
  std::string filter_, item_, rule_, batch_, state_, from_, to_;
};

}  // namespace quillstone::cli
