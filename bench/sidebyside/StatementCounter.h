// Counts the SQL statements every SQLite connection of this process starts, the library's and the
// floor's alike, so both sides of the table are counted the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillstone::bench {

class StatementCounter {
 public:
  // Must run before the first connection opens: it hooks every connection opened afterwards.
  static void Install();
  // Statements started so far (the statements triggers run inside them are not counted).
  static int64_t Count();
  // While `sink` is set, the text of every statement started is appended to it.
  static void Capture(std::vector<std::string>* sink);
};

}  // namespace quillstone::bench
