// Finds the route of a request and runs it: no route for the path is 404, none for its method
// 405; a route that needs a token gets the token's user or answers 401; every failure of the
// endpoint becomes its status and error body through ErrorStatus.
#pragma once

#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "src/quillstone/service/ApiRoute.h"

namespace quillstone::service {

class ApiRouter {
 public:
  // The user of a bearer token; nothing for a token that is not valid.
  using Resolver = std::function<std::optional<std::string>(const std::string& token)>;

  ApiRouter(std::vector<ApiRoute> routes, Resolver resolve);

  // `user` is set once the token is known, for the access log.
  ApiResponse Dispatch(ApiRequest& request, std::string& user) const;
  const std::vector<ApiRoute>& routes() const { return routes_; }

  static std::string PercentDecode(const std::string& text);

 private:
  struct Compiled {
    const ApiRoute* route;
    std::regex pattern;
  };
  static std::regex PatternOf(const std::string& path);
  ApiResponse Run(const ApiRoute& route, ApiRequest& request, std::string& user) const;
  std::string Authenticate(const ApiRequest& request) const;

  std::vector<ApiRoute> routes_;
  std::vector<Compiled> compiled_;
  Resolver resolve_;
};

}  // namespace quillstone::service
