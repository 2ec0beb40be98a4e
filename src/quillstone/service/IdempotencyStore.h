// The answers of requests that carried an Idempotency-Key, kept in the database so that a retry
// (even to a restarted service) gets the first answer and the work is not done twice.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "src/quillstone/service/ApiResponse.h"

namespace quillstone {
class Connection;
}

namespace quillstone::service {

class IdempotencyStore {
 public:
  // Opens a connection of its own and creates the table when it is missing.
  explicit IdempotencyStore(const std::string& db);
  ~IdempotencyStore();

  // Refuses a key too long to keep.
  static void CheckKey(const std::string& key);
  // Claims the user's key for a request about to run: nothing when it was free. The stored answer
  // when a request with the key has finished; a request with the key still running is refused.
  std::optional<ApiResponse> Claim(const std::string& user, const std::string& key);
  // Keeps the answer of the request that claimed the key.
  void Finish(const std::string& user, const std::string& key, const ApiResponse& answer);
  // Frees the key of a request that failed, so a retry may try again.
  void Release(const std::string& user, const std::string& key);

 private:
  std::mutex mutex_;
  std::shared_ptr<Connection> conn_;
};

}  // namespace quillstone::service
