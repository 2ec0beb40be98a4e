#include "src/quillstone/server/filter/FilterNode.h"

namespace quillstone::filter {
namespace {

const char* KindName(FilterNode::Kind kind) {
  static const char* const names[] = {"or",     "and",    "not",    "compare", "like", "in",   "between",
                                      "isnull", "arith",  "negate", "column",  "str",  "num",  "null",
                                      "bool",   "mark",   "call",   "cast"};
  return names[static_cast<int>(kind)];
}

// Values are written with their length first, so no value can look like the text around it.
std::string Sized(const std::string& text) { return std::to_string(text.size()) + ":" + text; }

}  // namespace

std::string FilterNode::Shape() const {
  std::string shape = std::string("(") + KindName(kind);
  if (negated) shape += " not";
  if (column != nullptr) shape += " " + Sized(column->table) + " " + Sized(column->name);
  for (const std::string* part : {&op, &text})
    if (!part->empty()) shape += " " + Sized(*part);
  if (kind == Kind::Mark) shape += " " + std::to_string(mark);
  for (const auto& arg : args) shape += " " + arg->Shape();
  return shape + ")";
}

}  // namespace quillstone::filter
