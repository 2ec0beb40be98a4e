// One entry of the service's routing table: method and path, what the work is (for the status of
// its failures), whether it needs a token, the endpoint, and its OpenAPI operation object.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "src/quillstone/service/ApiOperation.h"
#include "src/quillstone/service/ApiRequest.h"
#include "src/quillstone/service/ApiResponse.h"

namespace quillstone::service {

// A request on its way through an endpoint: who asked, and what the endpoint is doing now.
struct ApiCall {
  const ApiRequest& request;
  std::string user;
  ApiOperation operation;
};

struct ApiRoute {
  std::string method;
  // As OpenAPI writes it: "/api/v1/rules/{id}". A parameter matches one path segment, its
  // percent-encoded slashes included.
  std::string path;
  ApiOperation operation;
  bool needsToken = true;
  std::function<ApiResponse(ApiCall&)> handler;
  // The OpenAPI operation object (summary, parameters, request body, responses).
  nlohmann::json doc;
};

}  // namespace quillstone::service
