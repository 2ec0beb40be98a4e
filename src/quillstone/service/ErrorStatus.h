// The one place where a failure becomes an HTTP status and an error body: the status follows from
// the operation that failed and the library's error, the body carries the error as it was raised.
#pragma once

#include "quillstone/platform/Error.h"
#include "src/quillstone/service/ApiOperation.h"
#include "src/quillstone/service/ApiResponse.h"

namespace quillstone::service {

class ErrorStatus {
 public:
  static int For(ApiOperation operation, const Error& error);
  // {"error": {"number", "source", "description"}} with the status of `operation` and `error`.
  static ApiResponse Answer(ApiOperation operation, const Error& error);
  static ApiResponse Answer(int status, const Error& error);
  // A failure of the service's own (no such path, body too large): a library error with `message`.
  static ApiResponse Refuse(int status, const std::string& message);

 private:
  static bool RightRefused(const Error& error);
  static bool NotFound(const Error& error);
  static bool Conflict(const Error& error);
};

}  // namespace quillstone::service
