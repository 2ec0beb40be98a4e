// A caller's list filter, read by the filter grammar and written back by the library: columns of
// the statement's tables, literals, ? marks, comparisons, like, in, between, is [not] null, and,
// or, not, + - * / ||, brackets and a few plain functions. Anything else is refused, naming its
// place, before any SQL runs; nothing of the caller's text reaches the database unread.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "quillstone/platform/Connection.h"
#include "quillstone/server/FilterScope.h"

namespace quillstone {

namespace filter {
struct FilterNode;
}

class FilterCondition {
 public:
  // Longest filter accepted, in bytes of the caller's text.
  static constexpr std::size_t kMaxLength = 4000;

  // Reads `filter` for a statement over `scope`; `parameters` is the number of values bound to
  // its ? marks. A blank filter is no filter. Raises the library's error naming what is refused.
  FilterCondition(const std::string& filter, std::size_t parameters, const FilterScope& scope);
  ~FilterCondition();
  FilterCondition(FilterCondition&&) noexcept;
  FilterCondition& operator=(FilterCondition&&) noexcept;

  bool empty() const { return tree_ == nullptr; }
  const std::string& text() const { return text_; }

  // The condition as SQL for `backend`, in brackets. `guard`, when not empty, must hold on a row
  // before a part of the filter that can fail on a row's values is evaluated there: the data
  // rights, so that no error depends on rows the user may not see.
  std::string Sql(Backend backend, const std::string& guard = "") const;
  // The tree read, as one line: the same for two filters exactly when they mean the same.
  std::string Shape() const;

  // For a program that joins a caller's condition to conditions of its own: raises the library's
  // error unless `filter` alone is one condition of the grammar (any plain name taken as a column).
  static void RequireOneCondition(const std::string& filter);

 private:
  std::string text_;
  std::unique_ptr<filter::FilterNode> tree_;
};

}  // namespace quillstone
