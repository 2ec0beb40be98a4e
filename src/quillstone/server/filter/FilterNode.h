// A list filter as a tree: what the parser read and the writer writes back. Nothing of the
// caller's text survives but names matched to known columns and functions, and literal values.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "quillstone/server/FilterScope.h"

namespace quillstone::filter {

struct FilterNode {
  enum class Kind {
    Or,       // args: two or more conditions
    And,      // args: two or more conditions
    Not,      // args: one condition
    Compare,  // op: = <> < <= > >= ; args: two values
    Like,     // negated; args: value, pattern
    In,       // negated; args: value, then the list
    Between,  // negated; args: value, low, high
    IsNull,   // negated; args: one value
    Arith,    // op: + - * / || ; args: two values
    Negate,   // args: one value
    Column,   // column: as the schema names it; text: the name as written where any name will do
    String,   // text: the value
    Number,   // text: the digits as written
    Null,
    Bool,     // text: "true" or "false"
    Mark,     // mark: which of the caller's values, from 0
    Call,     // op: the function; args
    Cast,     // op: the type; args: one value
  };

  Kind kind;
  std::string op;
  std::string text;
  bool negated = false;
  std::size_t mark = 0;
  const FilterScope::Column* column = nullptr;
  std::vector<std::unique_ptr<FilterNode>> args;

  explicit FilterNode(Kind k) : kind(k) {}

  // The tree as one line of text, the same for two trees exactly when they mean the same.
  std::string Shape() const;
};

using FilterTree = std::unique_ptr<FilterNode>;

}  // namespace quillstone::filter
