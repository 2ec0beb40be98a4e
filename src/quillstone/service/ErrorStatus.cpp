#include "src/quillstone/service/ErrorStatus.h"

#include <initializer_list>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone::service {
namespace {

bool Contains(const std::string& text, std::initializer_list<const char*> parts) {
  for (const char* part : parts)
    if (text.find(part) != std::string::npos) return true;
  return false;
}

}  // namespace

// The library refuses a function right in the words "您没有...的权限."; data rights and missing
// records share "不存在" or "没有...权限" in its messages, as in "条形码'X'不存在，或者没有对它的访问权限.".
bool ErrorStatus::RightRefused(const Error& error) {
  const std::string& text = error.description();
  return text.rfind("您没有", 0) == 0 && text.find("权限") != std::string::npos;
}

bool ErrorStatus::NotFound(const Error& error) {
  return Contains(error.description(), {"不存在", "没有权限", "访问权限", "数据权限", "找不到"});
}

bool ErrorStatus::Conflict(const Error& error) {
  return error.fault() == Error::Fault::DuplicateKey ||
         Contains(error.description(),
                  {"已经存在", "不能重复", "已经废弃", "已被废弃", "正在处理",
                   // A record's state forbids the change: in use, or already in the state asked for.
                   "不能删除", "不能废弃", "不能重用"});
}

int ErrorStatus::For(ApiOperation operation, const Error& error) {
  if (error.fault() == Error::Fault::ConnectionLost) return 503;
  switch (operation) {
    case ApiOperation::ReadRequest:
      return 400;
    case ApiOperation::Authenticate:
      return 401;
    default:
      break;
  }
  if (RightRefused(error)) return 403;
  if (Conflict(error)) return 409;
  if (NotFound(error)) return 404;
  // What is not the library's own failure (the database, the platform) is the service's fault.
  if (error.number() != Error::kLibraryNumber) return 500;
  return 422;
}

ApiResponse ErrorStatus::Answer(int status, const Error& error) {
  ApiResponse response;
  response.status = status;
  response.body = {{"error",
                    {{"number", error.number()}, {"source", error.source()}, {"description", error.description()}}}};
  return response;
}

ApiResponse ErrorStatus::Answer(ApiOperation operation, const Error& error) {
  return Answer(For(operation, error), error);
}

ApiResponse ErrorStatus::Refuse(int status, const std::string& message) {
  try {
    RaiseError(message);
  } catch (const Error& e) {
    return Answer(status, e);
  }
}

}  // namespace quillstone::service
