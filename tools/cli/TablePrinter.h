// Prints rows as a plain-text table whose columns line up on a terminal, Chinese text included
// (widths are display columns, not bytes or code points).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillstone::cli {

class TablePrinter {
 public:
  explicit TablePrinter(std::vector<std::string> headers);

  // Numbers read better aligned on the right.
  void AlignRight(std::size_t column);
  // A missing cell prints empty; surplus cells are an error of the caller and are dropped.
  void AddRow(std::vector<std::string> cells);
  std::size_t RowCount() const { return rows_.size(); }

  // `indent` blanks before every line; the header is underlined with dashes.
  void Print(std::ostream& os, int indent = 0) const;
  // For tables too long to hold: prints the rows added so far and forgets them, the header with
  // the first part. Widths are those of the first part, widened by later parts as they need.
  void Flush(std::ostream& os, int indent = 0);

 private:
  void PrintRows(std::ostream& os, int indent, bool header, std::vector<int>& widths) const;

  std::vector<std::string> headers_;
  std::vector<bool> right_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<int> flushedWidths_;  // empty until the first Flush
};

}  // namespace quillstone::cli
