// How `quillstone serve` runs: the database, the address it listens on, and the limits that keep
// one client from holding the service.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace quillstone::service {

struct ServiceOptions {
  std::string db;
  // An IPv4 or IPv6 address (without brackets); port 0 takes a free port.
  std::string host = "127.0.0.1";
  int port = 8080;
  // HTTPS when both are given: PEM files of the certificate (with its chain) and its private key.
  std::string tlsCert;
  std::string tlsKey;
  // The largest request body: pictures of labels are the big ones.
  std::size_t maxBodyBytes = 8 * 1024 * 1024;
  // Requests served at once; connections beyond wait for a worker.
  int threads = 8;
  std::chrono::seconds readTimeout{10};
  std::chrono::seconds writeTimeout{10};
  // How long a keep-alive connection may sit idle between requests.
  std::chrono::seconds idleTimeout{5};
  // A user's library root is started afresh when older than this, so a change of his rights
  // takes effect within it.
  std::chrono::milliseconds rootMaxAge{5000};
  // An Idempotency-Key claimed longer ago than this by a request that never answered (the service
  // stopped under it) is free again. Longer than any registration takes, so a slow request that
  // still runs is not done twice.
  std::chrono::seconds pendingKeyExpiry{60};
};

}  // namespace quillstone::service
