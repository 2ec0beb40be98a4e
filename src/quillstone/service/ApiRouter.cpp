#include "src/quillstone/service/ApiRouter.h"

#include "quillstone/platform/Error.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/service/ErrorStatus.h"

namespace quillstone::service {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string AllowedMethods(const std::vector<const ApiRoute*>& matches) {
  std::string allow;
  for (const auto* route : matches) allow += (allow.empty() ? "" : ", ") + route->method;
  return allow;
}

}  // namespace

ApiRouter::ApiRouter(std::vector<ApiRoute> routes, Resolver resolve)
    : routes_(std::move(routes)), resolve_(std::move(resolve)) {
  for (const auto& route : routes_) compiled_.push_back({&route, PatternOf(route.path)});
}

std::regex ApiRouter::PatternOf(const std::string& path) {
  // Paths hold letters, digits, '/' and '.' besides their {parameters}.
  std::string pattern;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '{') {
      i = path.find('}', i);
      pattern += "([^/]+)";
    } else {
      if (path[i] == '.') pattern += '\\';
      pattern += path[i];
    }
  }
  return std::regex(pattern);
}

std::string ApiRouter::PercentDecode(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

ApiResponse ApiRouter::Dispatch(ApiRequest& request, std::string& user) const {
  std::vector<const ApiRoute*> matches;
  for (const auto& c : compiled_) {
    std::smatch found;
    if (!std::regex_match(request.path, found, c.pattern)) continue;
    if (c.route->method == request.method) {
      for (std::size_t i = 1; i < found.size(); ++i) request.captures.push_back(PercentDecode(found[i].str()));
      return Run(*c.route, request, user);
    }
    matches.push_back(c.route);
  }
  if (matches.empty()) return ErrorStatus::Refuse(404, "没有这个接口：" + request.path);
  auto answer = ErrorStatus::Refuse(405, "接口" + request.path + "不接受" + request.method + "请求");
  answer.allow = AllowedMethods(matches);
  return answer;
}

std::string ApiRouter::Authenticate(const ApiRequest& request) const {
  const std::string header = request.Header("authorization");
  const std::string scheme = "Bearer ";
  if (header.size() <= scheme.size() || header.compare(0, scheme.size(), scheme) != 0)
    RaiseError("请求没有提供令牌（Authorization: Bearer <令牌>）");
  auto user = resolve_(header.substr(scheme.size()));
  if (!user) RaiseError("令牌无效、已过期或已被撤销");
  return *user;
}

ApiResponse ApiRouter::Run(const ApiRoute& route, ApiRequest& request, std::string& user) const {
  ApiCall call{request, "", ApiOperation::Authenticate};
  try {
    if (route.needsToken) call.user = user = Authenticate(request);
    call.operation = route.operation;
    return route.handler(call);
  } catch (const Error& e) {
    return ErrorStatus::Answer(call.operation, e);
  } catch (const std::exception& e) {
    return ErrorStatus::Refuse(500, std::string("服务内部错误：") + e.what());
  }
}

}  // namespace quillstone::service
