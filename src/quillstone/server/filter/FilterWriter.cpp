#include "src/quillstone/server/filter/FilterWriter.h"

#include <algorithm>
#include <string_view>

namespace quillstone::filter {
namespace {

using Kind = FilterNode::Kind;

// The one column of the library's tables whose name is a keyword (of SQLite), written quoted.
constexpr std::string_view kKeywordColumn = "index";

// Sizes saturate here, far above the limit, so no product of them overflows.
constexpr uint64_t kHuge = uint64_t{1} << 40;
constexpr uint64_t kNumberText = 64;
constexpr uint64_t kMarkText = 4000;
// A UTF-8 character of a varchar column.
constexpr uint64_t kBytesPerChar = 4;

uint64_t Capped(uint64_t n) { return std::min(n, kHuge); }
uint64_t Times(uint64_t a, uint64_t b) { return Capped(a == 0 || b == 0 ? std::max(a, b) : Capped(a) * Capped(b)); }

bool IsPlainPattern(const FilterNode& pattern) {
  if (pattern.kind != Kind::String) return false;
  // A pattern that ends in its escape character is an error on one database at every row.
  std::size_t slashes = 0;
  for (auto c = pattern.text.rbegin(); c != pattern.text.rend() && *c == '\\'; ++c) ++slashes;
  return slashes % 2 == 0;
}

}  // namespace

std::string FilterWriter::Write(const FilterNode& tree) const {
  std::string sql;
  sql.reserve(256);
  if (tree.kind != Kind::And) {
    Guarded(tree, sql);
    return sql;
  }
  sql += '(';
  for (std::size_t k = 0; k < tree.args.size(); ++k) {
    if (k > 0) sql += " and ";
    Guarded(*tree.args[k], sql);
  }
  sql += ')';
  return sql;
}

void FilterWriter::Guarded(const FilterNode& condition, std::string& out) const {
  if (guard_.empty() || !MayFail(condition)) return Emit(condition, out);
  out += "(case when ";
  out += guard_;
  out += " then ";
  Emit(condition, out);
  out += " else false end)";
}

void FilterWriter::EmitArgs(const FilterNode& node, std::size_t from, const char* separator, std::string& out) const {
  for (std::size_t k = from; k < node.args.size(); ++k) {
    if (k > from) out += separator;
    Emit(*node.args[k], out);
  }
}

void FilterWriter::Emit(const FilterNode& node, std::string& out) const {
  const char* no = node.negated ? " not" : "";
  const auto arg = [&](std::size_t k) { Emit(*node.args[k], out); };
  switch (node.kind) {
    case Kind::Or:
    case Kind::And:
      out += '(';
      EmitArgs(node, 0, node.kind == Kind::Or ? " or " : " and ", out);
      out += ')';
      return;
    case Kind::Not:
      out += "(not ";
      arg(0);
      out += ')';
      return;
    case Kind::Compare:
    case Kind::Arith:
      out += '(';
      arg(0);
      out += ' ';
      out += node.op;
      out += ' ';
      arg(1);
      out += ')';
      return;
    case Kind::Like:
      out += '(';
      arg(0);
      out += no;
      out += " like ";
      arg(1);
      out += ')';
      return;
    case Kind::In:
      out += '(';
      arg(0);
      out += no;
      out += " in (";
      EmitArgs(node, 1, ", ", out);
      out += "))";
      return;
    case Kind::Between:
      out += '(';
      arg(0);
      out += no;
      out += " between ";
      arg(1);
      out += " and ";
      arg(2);
      out += ')';
      return;
    case Kind::IsNull:
      out += '(';
      arg(0);
      out += " is";
      out += no;
      out += " null)";
      return;
    case Kind::Negate:
      out += "(-";
      arg(0);
      out += ')';
      return;
    case Kind::Column:
      return EmitColumn(node, out);
    case Kind::String:
      return Quote(node.text, out);
    case Kind::Number:
    case Kind::Bool:
      out += node.text;
      return;
    case Kind::Null:
      out += "null";
      return;
    case Kind::Mark:
      out += '?';
      return;
    case Kind::Call:
      out += node.op;
      out += '(';
      EmitArgs(node, 0, ", ", out);
      out += ')';
      return;
    case Kind::Cast:
      out += "cast(";
      arg(0);
      out += " as ";
      out += node.op;
      out += ')';
      return;
  }
}

void FilterWriter::EmitColumn(const FilterNode& node, std::string& out) {
  if (node.column == nullptr) {
    out += node.text;
    return;
  }
  out += node.column->table;
  out += '.';
  const bool keyword = node.column->name == kKeywordColumn;
  if (keyword) out += '"';
  out += node.column->name;
  if (keyword) out += '"';
}

// A backslash is an escape in a plain string on a PostgreSQL server run with
// standard_conforming_strings off; an E'' string reads it the same way on every server.
void FilterWriter::Quote(const std::string& value, std::string& out) const {
  const bool escaped = backend_ == Backend::Postgres && value.find('\\') != std::string::npos;
  out += escaped ? "E'" : "'";
  for (char c : value) {
    if (c == '\'') out += '\'';
    if (c == '\\' && escaped) out += '\\';
    out += c;
  }
  out += '\'';
}

bool FilterWriter::MayFail(const FilterNode& node) {
  switch (node.kind) {
    case Kind::Call:
    case Kind::Cast:
    case Kind::Arith:
      return true;
    case Kind::Negate:
      return node.args[0]->kind != Kind::Number;
    case Kind::Like:
      if (!IsPlainPattern(*node.args[1])) return true;
      break;
    default:
      break;
  }
  return std::any_of(node.args.begin(), node.args.end(), [](const auto& arg) { return MayFail(*arg); });
}

uint64_t FilterWriter::LargestText(const FilterNode& node) {
  uint64_t largest = 0;
  TextBytes(node, largest);
  return largest;
}

// One pass over the tree: what `node` makes, with the most any part of it makes kept in `largest`.
uint64_t FilterWriter::TextBytes(const FilterNode& node, uint64_t& largest) {
  uint64_t first = 0, third = 0, widest = 0, total = 0;
  for (std::size_t k = 0; k < node.args.size(); ++k) {
    const uint64_t size = TextBytes(*node.args[k], largest);
    if (k == 0) first = size;
    if (k == 2) third = size;
    widest = std::max(widest, size);
    total = Capped(total + size);
  }
  const uint64_t own = OwnTextBytes(node, first, third, widest, total);
  largest = std::max(largest, own);
  return own;
}

uint64_t FilterWriter::OwnTextBytes(const FilterNode& node, uint64_t first, uint64_t third, uint64_t widest,
                                    uint64_t total) {
  switch (node.kind) {
    case Kind::Column:
      return node.column == nullptr || node.column->size == 0 ? kNumberText : Capped(kBytesPerChar * node.column->size);
    case Kind::String:
    case Kind::Number:
      return node.text.size();
    case Kind::Mark:
      return kMarkText;
    case Kind::Arith:
      return node.op == "||" ? total : kNumberText;
    case Kind::Call:
      if (node.op == "replace") return Times(first, std::max<uint64_t>(1, third));
      if (node.op == "lower" || node.op == "upper") return Times(first, 3);
      if (node.op == "length" || node.op == "abs" || node.op == "round") return kNumberText;
      return widest;
    default:
      return std::max(widest, kNumberText);
  }
}

}  // namespace quillstone::filter
