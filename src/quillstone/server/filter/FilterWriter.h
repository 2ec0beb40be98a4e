// Writes a filter tree back as SQL for one database: every operation in brackets (the two
// databases rank || and arithmetic differently), every column qualified by its table, every
// string quoted the one way that database cannot read otherwise. The caller's own spelling never
// reaches the statement.
#pragma once

#include <cstdint>
#include <string>

#include "quillstone/platform/Connection.h"
#include "src/quillstone/server/filter/FilterNode.h"

namespace quillstone::filter {

class FilterWriter {
 public:
  // Longest text a filter may make on a row (by its columns' sizes, its literals and what its
  // functions do to them): nested replace() or || would otherwise build strings of any size.
  static constexpr uint64_t kMaxTextBytes = 1 << 20;

  // `guard`, when not empty, is a condition that must hold on a row before any part of the filter
  // that can fail on a row's values (a call, a cast, arithmetic, a pattern taken from a column) is
  // evaluated there: the data rights, so that no error depends on rows the user may not see.
  FilterWriter(Backend backend, std::string guard) : backend_(backend), guard_(std::move(guard)) {}

  std::string Write(const FilterNode& tree) const;

  // True when evaluating `node` on some row's values can raise an error.
  static bool MayFail(const FilterNode& node);
  // The most bytes of text `node`, or any part of it, can make on any row.
  static uint64_t LargestText(const FilterNode& node);

 private:
  void Guarded(const FilterNode& condition, std::string& out) const;
  void Emit(const FilterNode& node, std::string& out) const;
  void EmitArgs(const FilterNode& node, std::size_t from, const char* separator, std::string& out) const;
  static void EmitColumn(const FilterNode& node, std::string& out);
  void Quote(const std::string& value, std::string& out) const;
  static uint64_t TextBytes(const FilterNode& node, uint64_t& largest);
  // The most bytes of text `node` itself can make on any row, from what its arguments make.
  static uint64_t OwnTextBytes(const FilterNode& node, uint64_t first, uint64_t third, uint64_t widest,
                               uint64_t total);

  Backend backend_;
  std::string guard_;
};

}  // namespace quillstone::filter
