// The service's bearer tokens: made for a user of the host's user table, kept only as the SHA-256
// digest of the token text, listed, revoked, and resolved to the user a presented token stands for.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quillstone {
class Connection;
}

namespace quillstone::service {

class TokenStore {
 public:
  // What `token list` shows: never the digest.
  struct Token {
    std::string id;
    std::string user;
    // UTC, yyyy-mm-ddThh:mm:ssZ; `expires` empty for a token that does not expire.
    std::string created;
    std::string expires;
    bool revoked = false;
  };
  // A new token: its id, and its text, which exists only in this answer.
  struct Created {
    std::string id;
    std::string token;
  };
  using Clock = std::function<std::chrono::system_clock::time_point()>;

  // Opens a connection of its own on `db` and creates the token table when it is missing. `now`
  // replaces the system clock (tests make tokens that have expired already).
  explicit TokenStore(const std::string& db, Clock now = {});
  ~TokenStore();
  TokenStore(const TokenStore&) = delete;
  TokenStore& operator=(const TokenStore&) = delete;

  // Refuses a user the host does not know, and a lifetime outside 1 to 36500 days.
  Created Create(const std::string& user, std::optional<int> expiresInDays = std::nullopt);
  std::vector<Token> List();
  // An unknown id is refused; revoking a revoked token changes nothing.
  void Revoke(const std::string& id);
  // The user of a valid token; nothing for an unknown, revoked or expired one.
  std::optional<std::string> Resolve(const std::string& token);

  // UTC time as the table stores it.
  static std::string TimeText(std::chrono::system_clock::time_point time);

 private:
  void RequireHostUser(const std::string& user) const;
  std::string Now() const;

  std::string db_;
  Clock now_;
  std::mutex mutex_;
  std::shared_ptr<Connection> conn_;
};

}  // namespace quillstone::service
