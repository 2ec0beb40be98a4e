#include "cli/TablePrinter.h"

#include <algorithm>

#include "cli/TerminalText.h"
#include "quillstone/labels/TextWidth.h"

namespace quillstone::cli {

TablePrinter::TablePrinter(std::vector<std::string> headers)
    : headers_(std::move(headers)), right_(headers_.size(), false) {}

void TablePrinter::AlignRight(std::size_t column) {
  if (column < right_.size()) right_[column] = true;
}

void TablePrinter::AddRow(std::vector<std::string> cells) {
  cells.resize(headers_.size());
  // A tab or newline in a value would break the lines up; an escape sequence would act.
  for (auto& cell : cells) cell = TerminalText::Escaped(cell);
  rows_.push_back(std::move(cells));
}

void TablePrinter::Print(std::ostream& os, int indent) const {
  std::vector<int> widths;
  PrintRows(os, indent, true, widths);
}

void TablePrinter::Flush(std::ostream& os, int indent) {
  const bool header = flushedWidths_.empty();
  PrintRows(os, indent, header, flushedWidths_);
  rows_.clear();
}

void TablePrinter::PrintRows(std::ostream& os, int indent, bool header, std::vector<int>& widths) const {
  if (widths.empty())
    for (const auto& h : headers_) widths.push_back(DisplayWidth(h));
  for (const auto& row : rows_)
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));

  const std::string margin(static_cast<std::size_t>(std::max(indent, 0)), ' ');
  auto line = [&](const std::vector<std::string>& cells) {
    std::string text = margin;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const bool last = c + 1 == cells.size();
      if (c > 0) text += "  ";
      text += right_[c] ? PadLeft(cells[c], widths[c]) : last ? cells[c] : PadRight(cells[c], widths[c]);
    }
    // Empty cells at the end of a row leave no blanks behind.
    while (!text.empty() && text.back() == ' ') text.pop_back();
    os << text << '\n';
  };

  if (header) {
    line(headers_);
    std::vector<std::string> rule;
    for (int w : widths) rule.emplace_back(static_cast<std::size_t>(w), '-');
    line(rule);
  }
  for (const auto& row : rows_) line(row);
}

}  // namespace quillstone::cli
