// Cuts a list filter into tokens. Only what the filter grammar can use is read: anything else
// (comments, statement separators, prefixed or dollar-quoted strings, other operators) is refused
// here, with its place, before a parser or a database sees it.
#pragma once

#include <string>
#include <vector>

#include "src/quillstone/server/filter/FilterToken.h"

namespace quillstone::filter {

class FilterLexer {
 public:
  explicit FilterLexer(const std::string& text) : in_(text) {}

  // Every token, the last one of kind End.
  std::vector<FilterToken> Tokens();

 private:
  char At(std::size_t k) const { return k < in_.size() ? in_[k] : '\0'; }
  FilterToken Next();
  FilterToken Word();
  FilterToken Quoted(char quote);
  FilterToken Number();
  FilterToken Symbol();

  const std::string& in_;
  std::size_t i_ = 0;
};

}  // namespace quillstone::filter
