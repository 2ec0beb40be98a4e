#include "quillstone/platform/Error.h"

#include <utility>

namespace quillstone {

Error::Error(int32_t number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

Error Error::Overflow() { return Error(kOverflow, "Platform", "溢出"); }

Error Error::TypeMismatch() { return Error(kTypeMismatch, "Platform", "类型不匹配"); }

Error Error::InvalidUseOfNull() { return Error(kInvalidUseOfNull, "Platform", "无效使用 Null"); }

Error Error::Database(const std::string& message) { return Error(kDatabase, "Database", message); }

}  // namespace quillstone
