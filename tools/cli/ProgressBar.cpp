#include "cli/ProgressBar.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace quillstone::cli {
namespace {
constexpr int kBarWidth = 30;
}

ProgressBar::ProgressBar(std::string label, int total, bool enabled)
    : label_(std::move(label)), total_(total), enabled_(enabled && total > 1) {
  Draw();
}

ProgressBar::~ProgressBar() { Finish(); }

bool ProgressBar::StdoutIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

void ProgressBar::Step() {
  ++done_;
  Draw();
}

void ProgressBar::Finish() {
  if (!enabled_) return;
  std::fputs("\r\033[K", stdout);
  std::fflush(stdout);
  enabled_ = false;
}

void ProgressBar::Draw() const {
  if (!enabled_) return;
  const int filled = total_ > 0 ? done_ * kBarWidth / total_ : kBarWidth;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
  std::printf("\r%s [%s] %d/%d", label_.c_str(), bar.c_str(), done_, total_);
  std::fflush(stdout);
}

}  // namespace quillstone::cli
