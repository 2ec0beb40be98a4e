// What the default host components share: the connection of their common services, and the
// host's way of answering (success and an error text, never an exception).
#pragma once

#include <exception>
#include <memory>
#include <string>

#include "quillstone/platform/Connection.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

// Raises when the component was not initialised or its common services have no connection.
inline Connection& HostConnection(const HostCommon* common) {
  Assert(common != nullptr && common->connection() != nullptr, "公共服务对象没有设置数据库连接");
  return *common->connection();
}

// Runs `body` (which answers success); a failure it raises becomes False and its text.
template <typename Body>
bool AnswerWithText(std::string& error_text, Body body) {
  try {
    return body();
  } catch (const Error& e) {
    error_text = e.description();
  } catch (const std::exception& e) {
    error_text = e.what();
  }
  return false;
}

}  // namespace quillstone
