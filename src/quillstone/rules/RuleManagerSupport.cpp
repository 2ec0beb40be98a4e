#include "src/quillstone/rules/RuleManagerSupport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

#include "src/quillstone/platform/FirstRow.h"
#include "quillstone/platform/Int16.h"
#include "quillstone/platform/Recordset.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone::rules {
namespace {

// Byte count of the UTF-8 character that starts with `lead` (1 for a stray continuation byte,
// so a broken text still advances).
std::size_t CharBytes(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

int16_t FieldInt16(const Recordset& row, const std::string& name) { return ToInt16(NullToLng(row.Field(name))); }

int32_t CountOf(Connection& conn, const std::string& sql, const Variant& value) {
  auto count = FirstField(conn, sql, {value}, "i");
  return count ? NullToLng(*count) : 0;
}

std::string LeftChars(const std::string& text, int count) {
  std::size_t end = 0;
  for (int n = 0; n < count && end < text.size(); ++n) {
    end += CharBytes(static_cast<unsigned char>(text[end]));
  }
  return text.substr(0, std::min(end, text.size()));
}

int16_t CodeLength(const std::string& codingRule, int16_t levels) {
  int16_t length = 0;
  std::size_t at = 0;
  for (int16_t k = 1; k <= levels; ++k) {
    if (at >= codingRule.size()) break;  // every further level adds 0
    const char c = codingRule[at];
    if (c >= '0' && c <= '9') length = Add16(length, static_cast<int16_t>(c - '0'));
    at += CharBytes(static_cast<unsigned char>(c));
  }
  return length;
}

std::string FormatAssignId(const std::tm& local, float random, int16_t counter) {
  char stamp[16];
  std::strftime(stamp, sizeof stamp, "%y%m%d%H%M%S", &local);
  const auto x = static_cast<int64_t>(std::floor(static_cast<double>(random) * 10000)) + 10000 + counter;
  return std::string(stamp) + std::to_string(x).substr(1, 4);
}

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

float TimerSeededRandom() {
  const auto ticks = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  std::mt19937 generator(static_cast<uint32_t>(ticks ^ (ticks >> 32)));
  // 24 random bits make a float in [0, 1) without rounding up to 1.
  return static_cast<float>(generator() >> 8) / 16777216.0F;
}

}  // namespace quillstone::rules
