// The OpenAPI 3.1 document of the service, made from the routing table: each route brings its own
// operation object; the document adds the path parameters, the bearer scheme and the error answers
// every authenticated route may give.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "src/quillstone/service/ApiRoute.h"

namespace quillstone::service {

class OpenApiDocument {
 public:
  static nlohmann::json Build(const std::vector<ApiRoute>& routes);

 private:
  static nlohmann::json Operation(const ApiRoute& route);
  static nlohmann::json Components();
};

}  // namespace quillstone::service
