#include "quillstone/server/FilterCondition.h"

#include <cctype>
#include <set>

#include "quillstone/server/TextGuard.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// Words that start another statement, a subquery or a part of a query; none belongs in a condition.
const std::set<std::string> kRefusedWords = {
    "select", "union",   "intersect", "except",   "exists", "insert",   "update",    "delete",  "drop",
    "alter",  "create",  "with",      "values",   "from",   "into",     "pragma",    "attach",  "detach",
    "table",  "grant",   "revoke",    "truncate", "copy",   "execute",  "exec",      "call",    "do",
    "vacuum", "analyze", "reindex",   "begin",    "commit", "rollback", "savepoint", "release", "declare",
    "notify", "listen",  "lock",      "set",      "reset",  "show",     "load",      "explain", "returning",
    "order",  "group",   "having",    "limit",    "offset", "window",   "lateral",   "join",    "where"};

// Names a condition may call: text and number functions that read nothing but their arguments.
const std::set<std::string> kAllowedCalls = {"lower",  "upper",  "trim",      "ltrim",    "rtrim",
                                             "length", "substr", "substring", "coalesce", "nullif",
                                             "abs",    "round",  "cast",      "replace",  "ifnull"};

// Words an opening bracket may follow without being a call.
const std::set<std::string> kOperatorWords = {"in", "and",  "or",   "not",  "like", "between",
                                              "is", "when", "then", "else", "case"};

const std::string kOperators = "=<>!+-*/%|&~,.:";

bool IsWordByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || u >= 0x80;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class Scanner {
 public:
  Scanner(const std::string& text, const FilterCondition::Owners& owners) : in_(text), owners_(owners) {}

  std::string Run(std::size_t parameters) {
    while (i_ < in_.size()) Step();
    if (depth_ != 0) Refuse("的括号不配对");
    if (marks_ != parameters) {
      Refuse("中有" + std::to_string(marks_) + "个参数标记'?'，但给出了" + std::to_string(parameters) + "个参数值");
    }
    return out_;
  }

 private:
  [[noreturn]] void Refuse(const std::string& why) const { RaiseError("过滤条件'" + TextGuard::Echo(in_) + "'" + why); }

  char At(std::size_t k) const { return k < in_.size() ? in_[k] : '\0'; }

  void Step() {
    const char c = in_[i_];
    if (std::isspace(static_cast<unsigned char>(c))) return Copy(1);
    if (c == '\'' || c == '"') return Quoted(c);
    if (IsWordByte(c)) return Word();
    if (c == '(') return Open();
    if (c == ')') return Close();
    if (c == ';') Refuse("含有语句分隔符';'，过滤条件只能是一个条件");
    if ((c == '-' && At(i_ + 1) == '-') || (c == '/' && At(i_ + 1) == '*') || (c == '*' && At(i_ + 1) == '/')) {
      Refuse("含有注释标记'" + in_.substr(i_, 2) + "'");
    }
    if (c == '?') ++marks_;
    if (c == '?' || kOperators.find(c) != std::string::npos) return Copy(1);
    Refuse("含有不允许的字符'" + TextGuard::Echo(std::string(1, c)) + "'");
  }

  void Copy(std::size_t n) {
    out_.append(in_, i_, n);
    i_ += n;
  }

  // A string or a quoted name, with its doubled quotes, copied whole. A prefix glued to a string
  // (E'..', X'..') changes how the server reads what follows, so it is refused.
  void Quoted(char quote) {
    if (i_ > 0 && IsWordByte(in_[i_ - 1])) Refuse("含有带前缀的字符串");
    std::size_t end = i_ + 1;
    for (;; ++end) {
      if (end >= in_.size()) Refuse("中的字符串或带引号的名称没有结束");
      if (in_[end] != quote) continue;
      if (At(end + 1) != quote) break;
      ++end;
    }
    const std::size_t start = i_;
    const std::string name = quote == '"' ? Lower(in_.substr(start + 1, end - start - 1)) : std::string();
    if (quote == '"' && QualifyHere(name, end + 1)) out_ += owners_.at(name) + ".";
    Copy(end + 1 - start);
  }

  void Word() {
    std::size_t end = i_;
    while (end < in_.size() && IsWordByte(in_[end])) ++end;
    const std::string word = Lower(in_.substr(i_, end - i_));
    if (kRefusedWords.count(word) > 0) Refuse("含有'" + word + "'，过滤条件只能是一个条件，不能含有子查询或其他语句");
    if (NextSignificant(end) == '(' && kOperatorWords.count(word) == 0 && kAllowedCalls.count(word) == 0) {
      Refuse("调用了不允许的函数'" + word + "'");
    }
    if (QualifyHere(word, end)) out_ += owners_.at(word) + ".";
    Copy(end - i_);
  }

  // A bare name (not a table's, not already qualified, not a call) that a shared column has.
  bool QualifyHere(const std::string& name, std::size_t end) const {
    if (owners_.count(name) == 0) return false;
    const char next = NextSignificant(end);
    return next != '.' && next != '(' && PreviousSignificant() != '.';
  }

  char NextSignificant(std::size_t k) const {
    while (k < in_.size() && std::isspace(static_cast<unsigned char>(in_[k]))) ++k;
    return At(k);
  }

  char PreviousSignificant() const {
    for (std::size_t k = out_.size(); k > 0; --k)
      if (!std::isspace(static_cast<unsigned char>(out_[k - 1]))) return out_[k - 1];
    return '\0';
  }

  void Open() {
    ++depth_;
    Copy(1);
  }

  void Close() {
    if (--depth_ < 0) Refuse("的括号不配对：右括号')'出现在对应的左括号之前");
    Copy(1);
  }

  const std::string& in_;
  const FilterCondition::Owners& owners_;
  std::string out_;
  std::size_t i_ = 0;
  int depth_ = 0;
  std::size_t marks_ = 0;
};

}  // namespace

std::string FilterCondition::Checked(const std::string& filter, std::size_t parameters, const Owners& owners) {
  TextGuard::RequireStorable(filter, "过滤条件");
  if (filter.size() > kMaxLength) {
    RaiseError("过滤条件太长：" + std::to_string(filter.size()) + "字节，最多" + std::to_string(kMaxLength) + "字节");
  }
  return Scanner(filter, owners).Run(parameters);
}

const FilterCondition::Owners& FilterCondition::RegistryOwners() {
  static const Owners owners = {{"cbarcode", "InventoryBarCodeSet"}, {"cinvcode", "InventoryBarCodeSet"},
                                {"cinvname", "InventoryBarCodeSet"}, {"cinvccode", "InventoryBarCodeSet"},
                                {"cinvstd", "InventoryBarCodeSet"},  {"imassdate", "InventoryBarCodeSet"}};
  return owners;
}

const FilterCondition::Owners& FilterCondition::AssignOwners() {
  static const Owners owners = {{"ruleid", "RuleAssign"}, {"cinvccode", "Inventory"}, {"cbarcode", "Inventory"}};
  return owners;
}

}  // namespace quillstone
