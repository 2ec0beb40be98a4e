// A one-line progress bar for long runs on a terminal. It draws only when standard output is a
// terminal, so piped and captured output stays clean.
#pragma once

#include <string>

namespace quillstone::cli {

class ProgressBar {
 public:
  ProgressBar(std::string label, int total, bool enabled);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // True when standard output is a terminal.
  static bool StdoutIsTerminal();

  void Step();
  // Clears the bar's line; the destructor does it too.
  void Finish();

 private:
  void Draw() const;

  std::string label_;
  int total_;
  int done_ = 0;
  bool enabled_;
};

}  // namespace quillstone::cli
