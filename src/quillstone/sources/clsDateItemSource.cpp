#include "src/quillstone/sources/clsDateItemSource.h"

#include <cctype>

#include "src/quillstone/sources/SegmentChecks.h"
#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

bool IsDateFormat(const std::string& format) {
  return format == "yymmdd" || format == "yyyymmdd" || format == "yymm" || format == "yyyymm";
}

// The segment as a yyyy-mm-dd text; two-digit years are of this century and formats without a
// day stand for the first of the month.
std::string IsoTextOf(const std::string& c, const std::string& format) {
  if (format == "yyyymmdd") return AnsiMid(c, 1, 4) + "-" + AnsiMid(c, 5, 2) + "-" + AnsiMid(c, 7, 2);
  if (format == "yymmdd") return "20" + AnsiMid(c, 1, 2) + "-" + AnsiMid(c, 3, 2) + "-" + AnsiMid(c, 5, 2);
  if (format == "yyyymm") return AnsiMid(c, 1, 4) + "-" + AnsiMid(c, 5, 2) + "-01";
  if (format == "yymm") return "20" + AnsiMid(c, 1, 2) + "-" + AnsiMid(c, 3, 2) + "-01";
  return "";
}

// Exactly yyyy-mm-dd and a real day: a short segment such as 2003011 must not pass as 2003-01-1.
bool IsFullIsoDay(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return ParseIsoDate(text).has_value();
}

}  // namespace

bool clsDateItemSource::VerifyRuleItem(const RuleItemPtr& ruleItem) {
  CommonLengthCheck(ruleItem);
  Assert(IsDateFormat(ruleItem->relevantValue()), messages_.format);
  Assert(AnsiLength(ruleItem->relevantValue()) == ruleItem->length(), messages_.formatLength);
  return true;
}

bool clsDateItemSource::VerifyAssign(const std::shared_ptr<HostUserVO>& inv, const RuleItemPtr& /*ruleItem*/) {
  CheckShelfLifeManaged(inv);
  return true;
}

std::string clsDateItemSource::FormattedDate(const Variant& date, const std::string& format) const {
  Assert(IsDate(date), messages_.invalidDate);
  // A two-digit year is read back as 20yy: any other century would come back as another day.
  const std::string iso = FormatDate(date.toDate(), "yyyymmdd");
  if (format.rfind("yyyy", 0) != 0 && iso.compare(0, 2, "20") != 0) {
    RaiseError("日期" + date.toString() + "的年份不在2000到2099之间，两位年份的格式" + format + "不能表示");
  }
  return FormatDate(date.toDate(), format);
}

void clsDateItemSource::Encode(const InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem,
                               BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  barCodeItem->setValue("");
  Variant date = invInfo->InventoryProperty(itemType());
  if (date.isEmpty() || date.isNull()) return;
  barCodeItem->setValue(FormattedDate(date, ruleItem->relevantValue()));
}

bool clsDateItemSource::Verify(const InventoryInfoPtr& invInfo, const BarCodeItemPtr& barCodeItem,
                               const RuleItemPtr& ruleItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  const std::string& value = barCodeItem->value();
  CheckTrimmedSegmentLength(value, GoverningRuleItem(barCodeItem, ruleItem)->length(), messages_.lengthPrefix);
  Variant date = invInfo->InventoryProperty(itemType());
  if (date.isEmpty() || date.isNull()) RaiseError(messages_.empty);
  CheckSegmentValue(value, FormattedDate(date, ruleItem->relevantValue()), messages_.mismatchPrefix);
  return true;
}

void clsDateItemSource::Decode(InventoryInfoPtr& invInfo, const RuleItemPtr& ruleItem, BarCodeItemPtr& barCodeItem) {
  RequireSegmentArguments(invInfo, ruleItem, barCodeItem);
  const std::string& c = barCodeItem->value();
  std::string text = IsoTextOf(c, ruleItem->relevantValue());
  Assert(IsFullIsoDay(text), messages_.decodePrefix + c + "'代表的不是一个合法的日期");
  // Kept as the text, the form the registry stores dates in.
  invInfo->setInventoryProperty(itemType(), Variant(text));
}

}  // namespace quillstone
