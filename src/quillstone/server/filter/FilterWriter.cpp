#include "quillstone/server/filter/FilterWriter.h"

#include <algorithm>
#include <set>

namespace quillstone::filter {
namespace {

using Kind = FilterNode::Kind;

// Column names that are keywords of one of the databases and so are written quoted.
const std::set<std::string> kKeywordColumns = {"index"};

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
  if (tree.kind != Kind::And) return Guarded(tree);
  std::string sql = "(";
  for (std::size_t k = 0; k < tree.args.size(); ++k) sql += (k == 0 ? "" : " and ") + Guarded(*tree.args[k]);
  return sql + ")";
}

std::string FilterWriter::Guarded(const FilterNode& condition) const {
  if (guard_.empty() || !MayFail(condition)) return Expr(condition);
  return "(case when " + guard_ + " then " + Expr(condition) + " else false end)";
}

std::string FilterWriter::Joined(const FilterNode& node, std::size_t from, const char* separator) const {
  std::string sql;
  for (std::size_t k = from; k < node.args.size(); ++k) sql += (k == from ? "" : separator) + Expr(*node.args[k]);
  return sql;
}

std::string FilterWriter::Expr(const FilterNode& node) const {
  const std::string no = node.negated ? " not" : "";
  switch (node.kind) {
    case Kind::Or:
      return "(" + Joined(node, 0, " or ") + ")";
    case Kind::And:
      return "(" + Joined(node, 0, " and ") + ")";
    case Kind::Not:
      return "(not " + Expr(*node.args[0]) + ")";
    case Kind::Compare:
    case Kind::Arith:
      return "(" + Expr(*node.args[0]) + " " + node.op + " " + Expr(*node.args[1]) + ")";
    case Kind::Like:
      return "(" + Expr(*node.args[0]) + no + " like " + Expr(*node.args[1]) + ")";
    case Kind::In:
      return "(" + Expr(*node.args[0]) + no + " in (" + Joined(node, 1, ", ") + "))";
    case Kind::Between:
      return "(" + Expr(*node.args[0]) + no + " between " + Expr(*node.args[1]) + " and " + Expr(*node.args[2]) + ")";
    case Kind::IsNull:
      return "(" + Expr(*node.args[0]) + " is" + no + " null)";
    case Kind::Negate:
      return "(-" + Expr(*node.args[0]) + ")";
    case Kind::Column: {
      const std::string name = kKeywordColumns.count(node.text) > 0 ? "\"" + node.text + "\"" : node.text;
      return node.table.empty() ? name : node.table + "." + name;
    }
    case Kind::String:
      return Quoted(node.text);
    case Kind::Number:
    case Kind::Bool:
      return node.text;
    case Kind::Null:
      return "null";
    case Kind::Mark:
      return "?";
    case Kind::Call:
      return node.op + "(" + Joined(node, 0, ", ") + ")";
    case Kind::Cast:
      return "cast(" + Expr(*node.args[0]) + " as " + node.op + ")";
  }
  return "";
}

// A backslash is an escape in a plain string on a PostgreSQL server run with
// standard_conforming_strings off; an E'' string reads it the same way on every server.
std::string FilterWriter::Quoted(const std::string& value) const {
  const bool escaped = backend_ == Backend::Postgres && value.find('\\') != std::string::npos;
  std::string sql = escaped ? "E'" : "'";
  for (char c : value) {
    if (c == '\'') sql += '\'';
    if (c == '\\' && escaped) sql += '\\';
    sql += c;
  }
  return sql + "'";
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
  uint64_t largest = MaxTextBytes(node);
  for (const auto& arg : node.args) largest = std::max(largest, LargestText(*arg));
  return largest;
}

uint64_t FilterWriter::MaxTextBytes(const FilterNode& node) {
  std::vector<uint64_t> sizes;
  for (const auto& arg : node.args) sizes.push_back(MaxTextBytes(*arg));
  const uint64_t largest = sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
  switch (node.kind) {
    case Kind::Column:
      return node.size == 0 ? kNumberText : Capped(kBytesPerChar * node.size);
    case Kind::String:
    case Kind::Number:
      return node.text.size();
    case Kind::Mark:
      return kMarkText;
    case Kind::Arith:
      return node.op == "||" ? Capped(sizes[0] + sizes[1]) : kNumberText;
    case Kind::Call:
      if (node.op == "replace") return Times(sizes[0], std::max<uint64_t>(1, sizes[2]));
      if (node.op == "lower" || node.op == "upper") return Times(sizes[0], 3);
      if (node.op == "length" || node.op == "abs" || node.op == "round") return kNumberText;
      return largest;
    case Kind::Cast:
      return std::max(largest, kNumberText);
    default:
      return std::max(largest, kNumberText);
  }
}

}  // namespace quillstone::filter
