// One token of a list filter: what it is, its text as written, and where it starts in the filter
// (a byte offset, turned into a character position only for messages).
#pragma once

#include <cstddef>
#include <string>

namespace quillstone::filter {

struct FilterToken {
  enum class Kind {
    Name,        // a bare word: a column, a table, a function or a keyword
    QuotedName,  // "..." with its doubled quotes undone
    String,      // '...' with its doubled quotes undone
    Number,      // digits, an optional fraction and exponent
    Mark,        // ?
    Symbol,      // ( ) , . = <> != < <= > >= + - * / ||
    End,
  };
  Kind kind = Kind::End;
  std::string text;  // names lower-case for bare words; the value for strings and quoted names
  std::size_t at = 0;

  bool Is(Kind k, const char* t) const { return kind == k && text == t; }
  bool IsSymbol(const char* t) const { return Is(Kind::Symbol, t); }
  bool IsWord(const char* t) const { return Is(Kind::Name, t); }
};

}  // namespace quillstone::filter
