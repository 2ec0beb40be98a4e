#include "src/quillstone/sources/clsUnitCostItemSource.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Error.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

constexpr const char* kPlacesMessage = "单价项的相关值是单价的小数位数，其值必须为小于等于6的正整数";
constexpr int kMaxPlaces = 6;
// The range and the scale of the host's decimal numbers.
constexpr double kDecimalLimit = 7.9228162514264337593543950335e28;
constexpr int kDecimalScale = 28;
// From here on a whole number may have more digits than the 15 written exactly.
constexpr double kExactDigitsLimit = 1e15;

// The number rounded to 15 significant digits, written in plain decimal notation: no exponent, no
// trailing zeros after the point, no point when there is no fractional part. 12.34 * 100 is
// 1233.9999999999998 in binary and is written 1234.
std::string DecimalText(double x) {
  if (!std::isfinite(x) || std::fabs(x) >= kDecimalLimit) throw Error::Overflow();
  if (x == 0) return "0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));  // d.dddddddddddddde[+-]xx
  std::string text(buf);
  std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  int before = std::atoi(text.c_str() + e + 1) + 1;  // digits before the decimal point
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string whole, fraction;
  if (before <= 0) {
    fraction = std::string(static_cast<std::size_t>(-before), '0') + digits;
    whole = "0";
  } else if (static_cast<std::size_t>(before) >= digits.size()) {
    whole = digits + std::string(static_cast<std::size_t>(before) - digits.size(), '0');
  } else {
    whole = digits.substr(0, static_cast<std::size_t>(before));
    fraction = digits.substr(static_cast<std::size_t>(before));
  }
  if (fraction.size() > kDecimalScale) fraction.resize(kDecimalScale);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (whole == "0" && fraction.empty()) return "0";
  return (x < 0 ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
}

// A decimal number, possibly signed, with a point and an exponent, blanks around it allowed.
bool IsNumeric(const std::string& text) {
  std::string t = Trim(text);
  std::size_t i = 0, n = t.size();
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  if (i < n && t[i] == '.') {
    ++i;
    while (i < n && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t exponent = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++exponent;
    if (exponent == 0) return false;
  }
  return i == n;
}

int32_t DecimalPlaces(const clsBarCodeRuleItem& ruleItem) { return NullToLng(Variant(ruleItem.relevantValue())); }

}  // namespace

// A cost the segment cannot carry is refused rather than cut: cutting gives another number (or a
// minus sign in the middle of the digits) that registers and decodes wrong.
std::string clsUnitCostItemSource::FormatUnitCost(double cost, const RuleItemPtr& ruleItem) {
  const int32_t places = DecimalPlaces(*ruleItem);
  double x = std::pow(10.0, places) * cost;
  const std::string text = DecimalText(x);
  char shown[40];
  std::snprintf(shown, sizeof shown, "%.15g", cost);
  if (x < 0) RaiseError(std::string("单价") + shown + "是负数，不能写入条码");
  if (text.find('.') != std::string::npos) {
    RaiseError(std::string("单价") + shown + "的小数位数超过了条码规则规定的" + std::to_string(places) +
               "位，写入条码会变成另一个数");
  }
  if (x >= kExactDigitsLimit && std::strtod(text.c_str(), nullptr) != x) RaiseError(std::string("单价") + shown + "超过了能精确写入条码的15位有效数字");
  if (text.size() > static_cast<std::size_t>(std::max<int16_t>(ruleItem->length(), 0))) {
    RaiseError(std::string("单价") + shown + "需要" + std::to_string(text.size()) + "位数字，超过了条码项的长度" +
               std::to_string(ruleItem->length()));
  }
  return PadToWidth(text, ruleItem->length(), "0");
}

bool clsUnitCostItemSource::VerifyRuleItem(const RuleItemPtr& ruleItem) {
  CommonLengthCheck(ruleItem);
  bool accepted = false;
  try {
    int16_t places = Variant(ruleItem->relevantValue()).toInt16();
    // A negative count would scale the cost down and lose its digits; zero places keeps whole units.
    accepted = places >= 0 && places <= kMaxPlaces;
  } catch (const Error&) {
    accepted = false;
  }
  if (!accepted) RaiseError(kPlacesMessage);
  return true;
}

bool clsUnitCostItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& /*inv*/, const RuleItemPtr& /*ruleItem*/) {
  return true;
}

void clsUnitCostItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                   BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  barCodeItem->setValue(FormatUnitCost(invInfo->unitCost().toDouble(), ruleItem));
}

bool clsUnitCostItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                                   const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  const std::string& value = barCodeItem->value();
  CheckSegmentLength(value, ruleItem->length(), "单价的条码长度与条码规则中规定的长度不一致，要求长度 ");
  CheckSegmentValue(value, FormatUnitCost(invInfo->unitCost().toDouble(), ruleItem), "单价与条码值不一致，要求条码值'");
  return true;
}

void clsUnitCostItemSource::Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                   BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  const std::string& value = barCodeItem->value();
  Assert(IsNumeric(value), "单价条形码'" + value + "'不是合法的数字类型");
  // Whole units of the last place, a half going to the even neighbour. Rounded in double precision
  // rather than through a 32-bit integer, so a segment of ten or more digits keeps its value.
  double n = std::nearbyint(Variant(value).toDouble());
  invInfo->setUnitCost(Variant(n / std::pow(10.0, DecimalPlaces(*ruleItem))));
}

}  // namespace quillstone
