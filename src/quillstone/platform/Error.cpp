#include "quillstone/platform/Error.h"

#include <utility>

namespace quillstone {

namespace {

// Server texts can run over several lines and repeat the statement or a value; the caller's
// message stays one line of bounded length.
constexpr std::size_t kMaxDriverText = 300;

std::string OneLine(const std::string& text) {
  std::string line;
  bool blank = false;
  for (char c : text) {
    if (c == '\n' || c == '\r' || c == '\t' || c == ' ') {
      blank = !line.empty();
      continue;
    }
    if (blank) line += ' ';
    blank = false;
    line += c;
  }
  if (line.size() <= kMaxDriverText) return line;
  std::size_t end = kMaxDriverText;
  while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;  // keep whole characters
  return line.substr(0, end) + "…";
}

}  // namespace

Error::Error(int32_t number, std::string source, std::string description, Fault fault)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      fault_(fault) {}

Error Error::Overflow() { return Error(kOverflow, "Platform", "溢出"); }

Error Error::TypeMismatch() { return Error(kTypeMismatch, "Platform", "类型不匹配"); }

Error Error::InvalidUseOfNull() { return Error(kInvalidUseOfNull, "Platform", "无效使用 Null"); }

Error Error::Database(const std::string& message) { return Error(kDatabase, "Database", message); }

Error Error::DatabaseFailure(const std::string& what, const std::string& driverText, Fault fault, std::string state) {
  const std::string detail = OneLine(driverText);
  Error error(kDatabase, "Database", detail.empty() ? what : what + "：" + detail, fault);
  error.state_ = std::move(state);
  return error;
}

}  // namespace quillstone
