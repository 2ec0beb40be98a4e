// The library over HTTP: JSON endpoints under /api/v1 for users who present a bearer token, each
// request run with the token's user's rights, plus /health and /openapi.json.
#pragma once

#include <memory>
#include <ostream>

#include "quillstone/service/ServiceOptions.h"

namespace quillstone::service {

class HttpService {
 public:
  // Opens the token and idempotency tables (creating them when missing); nothing listens yet.
  explicit HttpService(ServiceOptions options);
  ~HttpService();
  HttpService(const HttpService&) = delete;
  HttpService& operator=(const HttpService&) = delete;

  // Listens, writes "listening on HOST:PORT" to `announce` once connections are accepted, and
  // serves until SIGTERM or SIGINT: then it stops accepting, finishes the requests in flight and
  // returns. Call it before the process starts other threads (it blocks those signals).
  void ServeUntilSignalled(std::ostream& announce);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillstone::service
