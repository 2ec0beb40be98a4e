// Reads a list filter into a tree by the filter grammar: columns of the statement's tables,
// literals, ? marks, comparisons, like, in, between, is [not] null, and, or, not, arithmetic,
// concatenation, brackets and a few plain functions. Whatever the grammar does not describe is
// refused with its place.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "quillstone/server/FilterScope.h"
#include "src/quillstone/server/filter/FilterNode.h"
#include "src/quillstone/server/filter/FilterToken.h"

namespace quillstone::filter {

class FilterParser {
 public:
  // Deepest nesting of brackets and operators read; deeper filters are refused rather than
  // risking the stack here or the database's own expression limit.
  static constexpr int kMaxDepth = 64;

  FilterParser(const std::string& text, const FilterScope& scope);

  FilterTree Parse();
  // The number of ? marks read.
  std::size_t marks() const { return marks_; }

 private:
  // One level deeper for as long as it lives; refuses a level past kMaxDepth.
  class Nesting {
   public:
    explicit Nesting(FilterParser& parser);
    ~Nesting();
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    FilterParser& parser_;
  };

  const FilterToken& Peek() const { return tokens_[at_]; }
  const FilterToken& Take() { return tokens_[at_++]; }
  bool TakeSymbol(const char* symbol);
  bool TakeWord(const char* word);
  void Expect(const char* symbol, const char* what);
  [[noreturn]] void Unexpected(const std::string& wanted) const;
  void RefuseIfStatementWord(const FilterToken& token) const;

  FilterTree Or();
  FilterTree And();
  FilterTree Chain(FilterNode::Kind kind, const char* word, FilterTree (FilterParser::*next)());
  FilterTree Not();
  FilterTree Predicate();
  FilterTree InList(FilterTree value, bool negated);
  FilterTree Sum();
  FilterTree Product();
  FilterTree Unary();
  FilterTree Primary();
  FilterTree Literal();
  FilterTree NameOrCall();
  FilterTree Call(const FilterToken& name);
  FilterTree Cast();
  FilterTree ColumnOf(const FilterToken& first);

  const std::string& text_;
  const FilterScope& scope_;
  std::vector<FilterToken> tokens_;
  std::size_t at_ = 0;
  std::size_t marks_ = 0;
  int depth_ = 0;
};

}  // namespace quillstone::filter
