#include "src/quillstone/server/filter/FilterLexer.h"

#include <cctype>
#include <string_view>

#include "src/quillstone/server/filter/FilterRefusal.h"
#include "src/quillstone/server/TextGuard.h"

namespace quillstone::filter {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsWordByte(char c) { return IsWordStart(c) || IsDigit(c); }

// Words are ASCII letters, digits and '_' here.
std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Two-character operators first, so "<=" is not read as "<" and "=".
constexpr std::string_view kSymbols[] = {"<>", "!=", "<=", ">=", "||", "(", ")", ",", ".", "=", "<", ">", "+", "-", "*", "/"};

}  // namespace

std::vector<FilterToken> FilterLexer::Tokens() {
  std::vector<FilterToken> tokens;
  tokens.reserve(in_.size() / 3 + 2);
  do tokens.push_back(Next());
  while (tokens.back().kind != FilterToken::Kind::End);
  return tokens;
}

FilterToken FilterLexer::Next() {
  while (IsSpace(At(i_))) ++i_;
  if (i_ >= in_.size()) return {FilterToken::Kind::End, "", i_};
  const char c = in_[i_];
  if (c == '\'' || c == '"') return Quoted(c);
  if (IsWordStart(c)) return Word();
  if (IsDigit(c) || (c == '.' && IsDigit(At(i_ + 1)))) return Number();
  if (c == '?') return {FilterToken::Kind::Mark, "?", i_++};
  if (c == ';') RefuseAt(in_, i_, "含有语句分隔符';'，过滤条件只能是一个条件");
  if ((c == '-' && At(i_ + 1) == '-') || (c == '/' && At(i_ + 1) == '*') || (c == '*' && At(i_ + 1) == '/'))
    RefuseAt(in_, i_, "含有注释标记'" + in_.substr(i_, 2) + "'");
  if (c == ':' && At(i_ + 1) == ':') RefuseAt(in_, i_, "含有'::'，类型转换请写作cast(… as …)");
  return Symbol();
}

FilterToken FilterLexer::Word() {
  const std::size_t start = i_;
  while (IsWordByte(At(i_))) ++i_;
  // A word glued to a quote is a prefixed string or name (E'..', X'..', U&".."): the server reads
  // escapes or code points in it that a plain string does not have.
  if (At(i_) == '\'' || At(i_) == '"' || (At(i_) == '&' && (At(i_ + 1) == '\'' || At(i_ + 1) == '"')))
    RefuseAt(in_, start, "含有带前缀的字符串或名称");
  return {FilterToken::Kind::Name, Lower(in_.substr(start, i_ - start)), start};
}

FilterToken FilterLexer::Quoted(char quote) {
  const std::size_t start = i_;
  std::string value;
  for (++i_;; ++i_) {
    if (i_ >= in_.size()) RefuseAt(in_, start, "的字符串或带引号的名称没有结束");
    if (in_[i_] != quote) {
      value += in_[i_];
      continue;
    }
    if (At(i_ + 1) != quote) break;
    value += quote;
    ++i_;
  }
  ++i_;
  return {quote == '\'' ? FilterToken::Kind::String : FilterToken::Kind::QuotedName, value, start};
}

// digits [. digits] [e [+-] digits], or . digits ...; a letter straight after it (0x10, 1e) is
// no number of the grammar.
FilterToken FilterLexer::Number() {
  const std::size_t start = i_;
  while (IsDigit(At(i_))) ++i_;
  if (At(i_) == '.') {
    ++i_;
    while (IsDigit(At(i_))) ++i_;
  }
  if ((At(i_) == 'e' || At(i_) == 'E') &&
      (IsDigit(At(i_ + 1)) || ((At(i_ + 1) == '+' || At(i_ + 1) == '-') && IsDigit(At(i_ + 2))))) {
    i_ += 2;
    while (IsDigit(At(i_))) ++i_;
  }
  if (IsWordByte(At(i_)) || At(i_) == '.') RefuseAt(in_, start, "的数字'" + in_.substr(start, i_ + 1 - start) + "'无效");
  return {FilterToken::Kind::Number, in_.substr(start, i_ - start), start};
}

FilterToken FilterLexer::Symbol() {
  for (const std::string_view symbol : kSymbols) {
    if (in_.compare(i_, symbol.size(), symbol) == 0) {
      const std::size_t start = i_;
      i_ += symbol.size();
      return {FilterToken::Kind::Symbol, std::string(symbol), start};
    }
  }
  std::size_t end = i_ + 1;
  while (end < in_.size() && (static_cast<unsigned char>(in_[end]) & 0xC0) == 0x80) ++end;  // a whole character
  RefuseAt(in_, i_, "含有不允许的字符'" + TextGuard::Echo(in_.substr(i_, end - i_)) + "'");
}

}  // namespace quillstone::filter
