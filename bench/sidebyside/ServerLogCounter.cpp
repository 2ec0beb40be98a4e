#include "ServerLogCounter.h"

#include <fstream>
#include <iterator>

namespace quillstone::bench {
namespace {

// Simple statements are logged as "statement: ", executions of prepared ones as "execute ".
int64_t Occurrences(const std::string& text, const std::string& marker) {
  int64_t n = 0;
  for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + marker.size())) ++n;
  return n;
}

}  // namespace

int64_t ServerLogCounter::Count() {
  std::ifstream log(path_, std::ios::binary);
  log.seekg(read_);
  std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  // Only whole lines: the server may be writing the last one.
  const std::size_t end = text.rfind('\n');
  if (end == std::string::npos) return count_;
  text.resize(end + 1);
  read_ += static_cast<std::streamoff>(text.size());
  count_ += Occurrences(text, "LOG:  statement: ") + Occurrences(text, "LOG:  execute ");
  return count_;
}

}  // namespace quillstone::bench
