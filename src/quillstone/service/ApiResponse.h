// One HTTP answer of an endpoint: a status and a JSON body (UTF-8).
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace quillstone::service {

struct ApiResponse {
  int status = 200;
  nlohmann::json body;
  // Methods the path allows, for a 405's Allow header.
  std::string allow;
  // An answer that is not JSON (a label's PNG, PDF ...): its media type and bytes; none for JSON.
  std::string contentType;
  std::string bytes;

  // The body as sent: bytes that are not UTF-8 are replaced rather than failing the answer.
  std::string Text() const { return body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace); }
};

}  // namespace quillstone::service
