// The answers of requests that carried an Idempotency-Key, kept in the database so that a retry
// (even to a restarted service) gets the first answer and the work is not done twice.
#pragma once

#include <chrono>
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
  // Opens a connection of its own and creates the table when it is missing. A key claimed longer
  // than `pendingExpiry` ago by a request that never finished belongs to a request that died.
  IdempotencyStore(const std::string& db, std::chrono::seconds pendingExpiry);
  ~IdempotencyStore();

  // Refuses a key too long to keep.
  static void CheckKey(const std::string& key);
  // Claims the user's key for a request about to run, whose body has digest `bodyDigest`: nothing
  // when it was free, or held by a request that died. The stored answer when a request with the
  // key has finished. Refused: a request with the key still running, and a key used before for
  // another body.
  std::optional<ApiResponse> Claim(const std::string& user, const std::string& key, const std::string& bodyDigest);
  // Keeps the answer of the request that claimed the key.
  void Finish(const std::string& user, const std::string& key, const ApiResponse& answer);
  // Frees the key of a request that failed, so a retry may try again.
  void Release(const std::string& user, const std::string& key);

 private:
  bool Insert(const std::string& user, const std::string& key, const std::string& bodyDigest);
  bool TakeOver(const std::string& user, const std::string& key, const std::string& bodyDigest,
                const std::string& claimed);
  void AddDigestColumn();

  std::chrono::seconds pendingExpiry_;
  std::mutex mutex_;
  std::shared_ptr<Connection> conn_;
};

}  // namespace quillstone::service
