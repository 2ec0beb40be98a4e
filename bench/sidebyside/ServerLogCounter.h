// Counts the statements a PostgreSQL server writes to its log when the session asks it to log
// every statement: on the library's connections, one per round trip once its statements are
// prepared.
#pragma once

#include <cstdint>
#include <string>

namespace quillstone::bench {

class ServerLogCounter {
 public:
  explicit ServerLogCounter(std::string path) : path_(std::move(path)) {}

  // Statements logged since the counter was made, reading what the server appended since the
  // last call.
  int64_t Count();

 private:
  std::string path_;
  std::streamoff read_ = 0;
  int64_t count_ = 0;
};

}  // namespace quillstone::bench
