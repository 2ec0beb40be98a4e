#include "quillstone/server/modFunctionDefine.h"

#include <cmath>
#include <exception>

#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/Int16.h"
#include "src/quillstone/server/TextGuard.h"

namespace quillstone {

const char* const kBlankFailureMessage = "操作失败，但没有给出错误信息";
const char* const kServiceNotStarted = "条形码服务组件没有成功初始化，请先初始化服务.";

// A message repeats the values it names; a value of megabytes must not make one of megabytes.
void Assert(bool condition, const std::string& message) {
  if (!condition) throw Error(Error::kLibraryNumber, "Assert", TextGuard::Bounded(message));
}

void RaiseError(const std::string& message) {
  throw Error(Error::kLibraryNumber, "Error", TextGuard::Bounded(message));
}

std::string NullToStr(const Variant& value) { return value.isNull() ? std::string() : value.toString(); }

double NullToDbl(const Variant& value) noexcept {
  try {
    return value.isNull() ? 0.0 : value.toDouble();
  } catch (...) {
    return 0.0;
  }
}

int32_t NullToLng(const Variant& value) noexcept {
  try {
    return value.isNull() ? 0 : value.toInt32();
  } catch (...) {
    return 0;
  }
}

std::string ZeroPadNumber(int32_t number, int16_t digits) {
  if (digits <= 0) return "";
  double p = std::pow(10.0, digits);
  double q = std::floor(static_cast<double>(number) / p);
  double r = static_cast<double>(number) - p * q;
  int32_t remainder = Variant(r).toInt32();
  // Past 15 digits p + r has no exact decimal form; the digits of r are padded directly instead.
  if (digits > 15) {
    std::string text = std::to_string(remainder);
    return std::string(static_cast<std::size_t>(digits) - text.size(), '0') + text;
  }
  std::string text = Variant(p + remainder).toString();
  return text.substr(1);
}

std::string Blanks(int16_t count) { return count <= 0 ? std::string() : std::string(static_cast<std::size_t>(count), ' '); }

std::string PadToWidth(const std::string& text, int16_t width, const std::string& pad) {
  int16_t n = ToInt16(AnsiLength(text));
  if (n <= width) {
    std::string out;
    for (int16_t i = Sub16(width, n); i > 0; --i) out += pad;
    return out + text;
  }
  // Too long: keep the rightmost `width` bytes. For text of single-byte characters this is the
  // rightmost `width` characters; a cut through a double-byte character gives "?" for its half.
  return AnsiMid(text, Add16(Sub16(n, width), 1), width);
}

std::string SqlLiteral(const Variant& value) {
  if (value.isEmpty() || value.isNull()) return "null";
  if (value.isText() || value.isDate()) {
    std::string text = NullToStr(value), quoted = "'";
    for (char c : text) {
      quoted += c;
      if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
  }
  return NullToStr(value);
}

std::string Trim(const std::string& text) {
  std::size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

namespace {

std::string DescribeCurrent() {
  try {
    throw;
  } catch (const Error& e) {
    return e.description();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "";
  }
}

void TrapThen(const std::function<void()>& body, const std::function<void()>& release,
              void (*raise)(const std::string&)) {
  std::string description;
  bool failed = false;
  try {
    body();
  } catch (...) {
    failed = true;
    description = DescribeCurrent();
  }
  if (release) release();
  if (!failed) return;
  if (Trim(description).empty()) description = kBlankFailureMessage;
  raise(description);
}

void RaiseAssert(const std::string& message) { Assert(false, message); }

}  // namespace

void TrapAndReraise(const std::function<void()>& body, const std::function<void()>& release) {
  TrapThen(body, release, RaiseAssert);
}

void TrapAndRaiseError(const std::function<void()>& body, const std::function<void()>& release) {
  TrapThen(body, release, RaiseError);
}

}  // namespace quillstone
