#include "src/quillstone/sources/clsMassDayItemSource.h"

#include <cmath>
#include <limits>

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Error.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

constexpr const char* kYears = "年数";
constexpr const char* kMonths = "月数";
constexpr const char* kDays = "天数";

// Days per unit of the segment; 0 for a unit the source does not know.
int32_t DaysPerUnit(const std::string& unit) {
  if (unit == kYears) return 365;
  if (unit == kMonths) return 30;
  if (unit == kDays) return 1;
  return 0;
}

}  // namespace

std::string clsMassDayItemSource::FormatShelfLife(int16_t days, const RuleItemPtr& ruleItem) {
  const std::string& unit = ruleItem->relevantValue();
  double n = days;
  if (unit == kYears)
    n = std::floor(days / 365.0);
  else if (unit == kMonths)
    n = std::floor(days / 30.0);
  return ZeroPadNumber(static_cast<int32_t>(n), ruleItem->length());
}

bool clsMassDayItemSource::VerifyRuleItem(const RuleItemPtr& ruleItem) {
  CommonLengthCheck(ruleItem);
  Assert(DaysPerUnit(ruleItem->relevantValue()) != 0, "保质期的相关值是保质期的长度单位，必须为年数、月数或者天数");
  return true;
}

bool clsMassDayItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& /*ruleItem*/) {
  CheckShelfLifeManaged(inv);
  return true;
}

void clsMassDayItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                                  BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  barCodeItem->setValue(FormatShelfLife(invInfo->massDay().toInt16(), ruleItem));
}

bool clsMassDayItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                                  const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  const std::string& value = barCodeItem->value();
  CheckTrimmedSegmentLength(value, GoverningRuleItem(barCodeItem, ruleItem)->length(),
                            "保质期的条码长度与条码规则中规定的长度不一致，要求长度为 ");
  // A shelf life that cannot be encoded (Null, out of range) agrees with no segment.
  std::string expected;
  try {
    expected = FormatShelfLife(invInfo->massDay().toInt16(), ruleItem);
  } catch (const Error&) {
    expected.clear();
  }
  CheckSegmentValue(value, expected, "保质期与条码值不一致，要求条码值'");
  return true;
}

void clsMassDayItemSource::Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  int32_t perUnit = DaysPerUnit(ruleItem->relevantValue());
  if (perUnit == 0) return;
  int64_t days = static_cast<int64_t>(NullToLng(Variant(barCodeItem->value()))) * perUnit;
  if (days < std::numeric_limits<int32_t>::min() || days > std::numeric_limits<int32_t>::max()) throw Error::Overflow();
  invInfo->setMassDay(Variant(static_cast<int32_t>(days)));
}

}  // namespace quillstone
