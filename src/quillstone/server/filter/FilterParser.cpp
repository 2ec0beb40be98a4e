#include "src/quillstone/server/filter/FilterParser.h"

#include <map>
#include <set>
#include <utility>

#include "src/quillstone/server/filter/FilterLexer.h"
#include "src/quillstone/server/filter/FilterRefusal.h"

namespace quillstone::filter {
namespace {

using Kind = FilterNode::Kind;

// The functions a filter may call, with the fewest and most arguments each takes on both
// databases. They read nothing but their arguments.
const std::map<std::string, std::pair<std::size_t, std::size_t>> kFunctions = {
    {"lower", {1, 1}},  {"upper", {1, 1}},     {"trim", {1, 2}},     {"ltrim", {1, 2}},
    {"rtrim", {1, 2}},  {"length", {1, 1}},    {"substr", {2, 3}},   {"substring", {2, 3}},
    {"coalesce", {2, 16}}, {"abs", {1, 1}},    {"round", {1, 2}},    {"replace", {3, 3}}};

const std::set<std::string> kCastTypes = {"text", "integer", "numeric", "date"};

// Words that begin another statement or a part of a query; named so the refusal says why.
const std::set<std::string> kStatementWords = {
    "select", "union", "intersect", "except", "exists", "insert", "update", "delete", "drop", "alter", "create",
    "with", "values", "from", "into", "pragma", "attach", "detach", "table", "grant", "revoke", "truncate", "copy",
    "execute", "exec", "call", "do", "vacuum", "analyze", "reindex", "begin", "commit", "rollback", "savepoint",
    "release", "declare", "notify", "listen", "lock", "set", "reset", "show", "load", "explain", "returning", "order",
    "group", "having", "limit", "offset", "window", "lateral", "join", "where", "case"};

bool IsComparison(const FilterToken& token) {
  if (token.kind != FilterToken::Kind::Symbol) return false;
  const std::string& t = token.text;
  return t == "=" || t == "<>" || t == "!=" || t == "<" || t == "<=" || t == ">" || t == ">=";
}

FilterTree Node(Kind kind) { return std::make_unique<FilterNode>(kind); }

FilterTree Binary(Kind kind, std::string op, FilterTree left, FilterTree right) {
  auto node = Node(kind);
  node->op = std::move(op);
  node->args.push_back(std::move(left));
  node->args.push_back(std::move(right));
  return node;
}

std::string Shown(const FilterToken& token) {
  switch (token.kind) {
    case FilterToken::Kind::End:
      return "过滤条件的结尾";
    case FilterToken::Kind::String:
      return "字符串";
    case FilterToken::Kind::QuotedName:
      return "带引号的名称\"" + token.text + "\"";
    default:
      return "'" + token.text + "'";
  }
}

}  // namespace

FilterParser::FilterParser(const std::string& text, const FilterScope& scope)
    : text_(text), scope_(scope), tokens_(FilterLexer(text).Tokens()) {}

FilterTree FilterParser::Parse() {
  FilterTree tree = Or();
  if (Peek().kind == FilterToken::Kind::End) return tree;
  if (Peek().IsSymbol(")")) RefuseAt(text_, Peek().at, "的括号不配对：右括号')'出现在对应的左括号之前");
  Unexpected("and、or或过滤条件的结尾");
}

bool FilterParser::TakeSymbol(const char* symbol) {
  if (!Peek().IsSymbol(symbol)) return false;
  ++at_;
  return true;
}

bool FilterParser::TakeWord(const char* word) {
  if (!Peek().IsWord(word)) return false;
  ++at_;
  return true;
}

void FilterParser::Expect(const char* symbol, const char* what) {
  if (TakeSymbol(symbol)) return;
  if (std::string(symbol) == ")" && Peek().kind == FilterToken::Kind::End)
    RefuseAt(text_, Peek().at, "的括号不配对：缺少右括号')'");
  Unexpected(what);
}

// Looked for only once a word is found to be no column or function of the grammar, so that the
// refusal says why.
void FilterParser::RefuseIfStatementWord(const FilterToken& token) const {
  if (token.kind == FilterToken::Kind::Name && kStatementWords.count(token.text) > 0)
    RefuseAt(text_, token.at, "含有'" + token.text + "'，过滤条件只能是一个条件，不能含有子查询或其他语句");
}

void FilterParser::Unexpected(const std::string& wanted) const {
  const FilterToken& token = Peek();
  RefuseIfStatementWord(token);
  RefuseAt(text_, token.at, "应为" + wanted + "，却是" + Shown(token));
}

FilterParser::Nesting::Nesting(FilterParser& parser) : parser_(parser) {
  if (++parser_.depth_ > kMaxDepth)
    RefuseAt(parser_.text_, parser_.Peek().at, "嵌套太深，最多" + std::to_string(kMaxDepth) + "层");
}

FilterParser::Nesting::~Nesting() { --parser_.depth_; }

FilterTree FilterParser::Or() { return Chain(FilterNode::Kind::Or, "or", &FilterParser::And); }

FilterTree FilterParser::And() { return Chain(FilterNode::Kind::And, "and", &FilterParser::Not); }

// `next` read once, or two or more times joined by `word` into one node of `kind`.
FilterTree FilterParser::Chain(FilterNode::Kind kind, const char* word, FilterTree (FilterParser::*next)()) {
  FilterTree first = (this->*next)();
  if (!Peek().IsWord(word)) return first;
  auto node = Node(kind);
  node->args.push_back(std::move(first));
  while (TakeWord(word)) node->args.push_back((this->*next)());
  return node;
}

FilterTree FilterParser::Not() {
  const Nesting nesting(*this);
  if (!TakeWord("not")) return Predicate();
  auto node = Node(Kind::Not);
  node->args.push_back(Not());
  return node;
}

FilterTree FilterParser::Predicate() {
  FilterTree value = Sum();
  const FilterToken& next = Peek();
  if (IsComparison(next)) {
    const std::string op = Take().text == "!=" ? "<>" : tokens_[at_ - 1].text;
    return Binary(Kind::Compare, op, std::move(value), Sum());
  }
  if (TakeWord("is")) {
    auto node = Node(Kind::IsNull);
    node->negated = TakeWord("not");
    if (!TakeWord("null")) Unexpected("null");
    node->args.push_back(std::move(value));
    return node;
  }
  const bool negated = TakeWord("not");
  if (TakeWord("like")) {
    auto node = Binary(Kind::Like, "", std::move(value), Sum());
    node->negated = negated;
    return node;
  }
  if (TakeWord("in")) return InList(std::move(value), negated);
  if (TakeWord("between")) {
    auto node = Node(Kind::Between);
    node->negated = negated;
    node->args.push_back(std::move(value));
    node->args.push_back(Sum());
    if (!TakeWord("and")) Unexpected("between … and …中的and");
    node->args.push_back(Sum());
    return node;
  }
  if (negated) Unexpected("like、in或between");
  return value;
}

// in (...) holds literals and marks only: a list of other columns or expressions is no list of
// values.
FilterTree FilterParser::InList(FilterTree value, bool negated) {
  auto node = Node(Kind::In);
  node->negated = negated;
  node->args.push_back(std::move(value));
  Expect("(", "in后的左括号'('");
  do {
    const bool minus = TakeSymbol("-");
    const FilterToken& token = Peek();
    if (minus && token.kind != FilterToken::Kind::Number) Unexpected("数字");
    FilterTree item = token.kind == FilterToken::Kind::Mark ? Primary() : Literal();
    if (minus) {
      auto negate = Node(Kind::Negate);
      negate->args.push_back(std::move(item));
      item = std::move(negate);
    }
    node->args.push_back(std::move(item));
  } while (TakeSymbol(","));
  Expect(")", "','或右括号')'");
  return node;
}

FilterTree FilterParser::Sum() {
  FilterTree left = Product();
  for (;;) {
    const FilterToken& next = Peek();
    if (!(next.IsSymbol("+") || next.IsSymbol("-") || next.IsSymbol("||"))) return left;
    const std::string op = Take().text;
    left = Binary(Kind::Arith, op, std::move(left), Product());
  }
}

FilterTree FilterParser::Product() {
  FilterTree left = Unary();
  for (;;) {
    const FilterToken& next = Peek();
    if (!(next.IsSymbol("*") || next.IsSymbol("/"))) return left;
    const std::string op = Take().text;
    left = Binary(Kind::Arith, op, std::move(left), Unary());
  }
}

FilterTree FilterParser::Unary() {
  const Nesting nesting(*this);
  if (TakeSymbol("+")) return Unary();
  if (!TakeSymbol("-")) return Primary();
  auto node = Node(Kind::Negate);
  node->args.push_back(Unary());
  return node;
}

FilterTree FilterParser::Primary() {
  const FilterToken& token = Peek();
  if (token.kind == FilterToken::Kind::Mark) {
    ++at_;
    auto node = Node(Kind::Mark);
    node->mark = marks_++;
    return node;
  }
  if (TakeSymbol("(")) {
    const Nesting nesting(*this);
    FilterTree inner = Or();
    Expect(")", "右括号')'");
    return inner;
  }
  if (token.kind == FilterToken::Kind::Name || token.kind == FilterToken::Kind::QuotedName) return NameOrCall();
  return Literal();
}

FilterTree FilterParser::Literal() {
  const FilterToken& token = Peek();
  FilterTree node;
  if (token.kind == FilterToken::Kind::String) node = Node(Kind::String);
  if (token.kind == FilterToken::Kind::Number) node = Node(Kind::Number);
  if (token.IsWord("null")) node = Node(Kind::Null);
  if (token.IsWord("true") || token.IsWord("false")) node = Node(Kind::Bool);
  if (node == nullptr) Unexpected("列名、值或'?'");
  if (node->kind != Kind::Null) node->text = token.text;
  ++at_;
  return node;
}

FilterTree FilterParser::NameOrCall() {
  const FilterToken& first = Take();
  const bool quoted = first.kind == FilterToken::Kind::QuotedName;
  if (!quoted && (first.text == "null" || first.text == "true" || first.text == "false")) {
    --at_;
    return Literal();
  }
  if (Peek().IsSymbol("(")) {
    if (quoted) RefuseAt(text_, first.at, "调用了不允许的函数\"" + first.text + "\"：函数名不能带引号");
    return first.text == "cast" ? Cast() : Call(first);
  }
  return ColumnOf(first);
}

FilterTree FilterParser::Call(const FilterToken& name) {
  const auto function = kFunctions.find(name.text);
  if (function == kFunctions.end()) {
    RefuseIfStatementWord(name);
    RefuseAt(text_, name.at, "调用了不允许的函数'" + name.text + "'");
  }
  Expect("(", "左括号'('");
  auto node = Node(Kind::Call);
  node->op = name.text == "substring" ? "substr" : name.text;
  do node->args.push_back(Sum());
  while (TakeSymbol(","));
  Expect(")", "','或右括号')'");
  const auto [fewest, most] = function->second;
  if (node->args.size() < fewest || node->args.size() > most) {
    const std::string count = fewest == most ? std::to_string(fewest) : std::to_string(fewest) + "到" + std::to_string(most);
    RefuseAt(text_, name.at, "的函数'" + name.text + "'应有" + count + "个参数，却有" + std::to_string(node->args.size()) + "个");
  }
  return node;
}

FilterTree FilterParser::Cast() {
  Expect("(", "左括号'('");
  auto node = Node(Kind::Cast);
  node->args.push_back(Sum());
  if (!TakeWord("as")) Unexpected("cast(… as 类型)中的as");
  const FilterToken& type = Peek();
  if (type.kind != FilterToken::Kind::Name || kCastTypes.count(type.text) == 0)
    RefuseAt(text_, type.at, "的cast只能转换为text、integer、numeric或date");
  node->op = Take().text;
  Expect(")", "右括号')'");
  return node;
}

FilterTree FilterParser::ColumnOf(const FilterToken& first) {
  auto node = Node(Kind::Column);
  std::string written = first.text;
  if (TakeSymbol(".")) {
    const FilterToken& second = Take();
    if (second.kind != FilterToken::Kind::Name && second.kind != FilterToken::Kind::QuotedName) {
      --at_;
      Unexpected("'" + first.text + ".'后的列名");
    }
    written += "." + second.text;
    node->column = scope_.Find(first.text, second.text);
  } else {
    node->column = scope_.Find(first.text);
  }
  if (scope_.takesAnyName()) {
    node->text = written;
  } else if (node->column == nullptr) {
    if (first.kind == FilterToken::Kind::Name) RefuseIfStatementWord(first);
    RefuseAt(text_, first.at, "的'" + written + "'不是可以筛选的列");
  }
  return node;
}

}  // namespace quillstone::filter
