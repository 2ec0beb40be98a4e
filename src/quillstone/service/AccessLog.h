// The service's access log: one JSON line per request on standard error (time, user, method,
// path, status, duration), written whole even when workers finish at once. Tokens never appear.
#pragma once

#include <chrono>
#include <mutex>
#include <ostream>
#include <string>

namespace quillstone::service {

class AccessLog {
 public:
  explicit AccessLog(std::ostream& out) : out_(out) {}

  void Write(const std::string& user, const std::string& method, const std::string& path, int status,
             std::chrono::steady_clock::duration took);

 private:
  std::ostream& out_;
  std::mutex mutex_;
};

}  // namespace quillstone::service
