#include "quillstone/barcodes/clsGs1Receiver.h"

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/gs1/Gs1Date.h"
#include "src/quillstone/model/Gs1BarCodeText.h"
#include "src/quillstone/model/Gs1Meaning.h"
#include "src/quillstone/sources/GtinLookup.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/host/HostLogin.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

const char* const kItem =
    "select Inventory.cInvCode, Inventory.cInvName, Inventory.cInvCCode, InventoryClass.cInvCName, Inventory.dEDate "
    "from Inventory left join InventoryClass on (Inventory.cInvCCode = InventoryClass.cInvCCode) where ";

// A date field as the inventory info keeps dates; day 00 is the month's first day for a
// production date and its last for an expiry.
std::optional<std::chrono::sys_days> DayOf(const Gs1ElementString& elements, std::string_view ai, bool day00IsLast) {
  const auto value = elements.Find(ai);
  if (!value) return std::nullopt;
  return Gs1Date::Day(*value, elements.thisYear(), true, day00IsLast);
}

Variant DateOf(const std::optional<std::chrono::sys_days>& day) {
  return day ? Variant(FormatIsoDate(*day)) : Variant();
}

// The day of the first field that sets a date property.
std::optional<std::chrono::sys_days> FirstDay(const Gs1ElementString& elements, Gs1Meaning::Property property) {
  const auto fields = Gs1Meaning::Setting(elements, property);
  if (fields.empty()) return std::nullopt;
  return Gs1Date::Day(fields.front().value, elements.thisYear(), true, fields.front().row->day00IsLast);
}

// When the goods expire, for the clerk's warning: 17, else the date of 7003 (its first six
// digits); a passed best-before date (15) warns on its own.
std::optional<std::chrono::sys_days> ExpiryOf(const Gs1ElementString& elements) {
  if (auto day = DayOf(elements, "17", true)) return day;
  return DayOf(elements, "7003", true);
}

[[noreturn]] void NotFound(std::string_view gtin) {
  std::string message = "找不到条码为GTIN'" + std::string(gtin) + "'的存货，或者没有对它的访问权限";
  const char indicator = gtin.empty() ? '0' : gtin.front();
  if (gtin.size() == 14 && indicator >= '1' && indicator <= '8')
    message += "。指示符" + std::string(1, indicator) +
               "表示它是某个存货的包装层级(箱、盒等)，请把它作为包装层级GTIN添加到存货上，并写明计量单位和所含基本单位数量";
  RaiseError(message);
}

}  // namespace

void clsGs1Receiver::AttachContext(const std::shared_ptr<clsContext>& context) { context_ = context; }

std::shared_ptr<clsContext> clsGs1Receiver::Context() const {
  auto context = context_.lock();
  Assert(context != nullptr && context->mConn() != nullptr, kServiceNotStarted);
  return context;
}

namespace {

// Fills the item of the row; its stop date.
std::string FillItem(const Recordset& row, clsInventoryInfo& info) {
  info.setInventoryId(FieldText(row, "cInvCode"));
  info.setInventoryName(FieldText(row, "cInvName"));
  info.setInventoryClassId(FieldText(row, "cInvCCode"));
  info.setInventoryClassName(FieldText(row, "cInvCName"));
  return FieldText(row, "dEDate");
}

// The item a packaging level belongs to, under the user's data rights; its stop date, or nothing
// when the user may not see it.
std::optional<std::string> ReadLevelItem(clsContext& context, const std::string& inventoryId, clsInventoryInfo& info) {
  std::string sql = kItem + std::string("Inventory.cInvCode = ?");
  const std::string visible = context.objBarCodeManager()->DataRightCondition();
  if (!visible.empty()) sql += " and " + visible;
  auto rs = context.mConn()->Query(sql, {Variant(inventoryId)});
  if (rs->IsEOF()) return std::nullopt;
  return FillItem(*rs, info);
}

}  // namespace

void clsGs1Receiver::Warn(Receipt& receipt, const std::string& stopDate) const {
  auto login = Context()->moLogin()->login();
  Assert(login != nullptr, "Login对象没有初始化");
  const auto today = login->loginDate().toDate();
  const std::string todayText = "早于登录日期" + FormatIsoDate(today);
  const Gs1ElementString& e = receipt.elements;
  if (auto expiry = ExpiryOf(e); expiry && *expiry < today) {
    const char* ai = e.Find("17") ? "AI(17)" : "AI(7003)";
    receipt.warnings.push_back(
        {"expired", std::string(ai) + "的有效期" + FormatIsoDate(*expiry) + todayText + "，货物已过期"});
  }
  if (auto bestBefore = DayOf(e, "15", true); bestBefore && *bestBefore < today)
    receipt.warnings.push_back(
        {"bestBefore", "AI(15)的保质期" + FormatIsoDate(*bestBefore) + todayText + "，已过保质期"});
  const auto stop = ParseIsoDate(Trim(stopDate));
  if (!Trim(stopDate).empty() && (!stop || DaysBetween(today, *stop) <= 0))
    receipt.warnings.push_back({"stopped", "存货'" + receipt.invInfo->inventoryId() + "'已于" + Trim(stopDate) +
                                               "停用，登记条码时会被拒绝"});
}

void clsGs1Receiver::Fill(Receipt& receipt) const {
  const Gs1ElementString& elements = receipt.elements;
  const auto items = Gs1Meaning::Setting(elements, Gs1Meaning::Property::Item);
  if (items.empty()) RaiseError("GS1数据中没有AI(01) GTIN或AI(02) CONTENT，无法确定收到的存货");
  const std::string_view gtin = items.front().value;

  auto info = std::make_shared<clsInventoryInfo>();
  receipt.invInfo = info;
  std::string stopDate;
  auto context = Context();
  const auto own = GtinLookup::Item(*context->mConn(), gtin, context->objBarCodeManager()->DataRightCondition());
  if (!own->IsEOF()) {
    stopDate = FillItem(*own, *info);
  } else if (auto level = clsTradeItemGtins(context).Find(gtin)) {
    auto found = ReadLevelItem(*context, level->inventoryId, *info);
    if (!found) NotFound(gtin);
    stopDate = *found;
    info->setUnit(Variant(level->unitId));
    receipt.packaging = std::move(level);
  } else {
    NotFound(gtin);
  }

  using Property = Gs1Meaning::Property;
  if (auto batch = Gs1Meaning::Setting(elements, Property::Batch); !batch.empty())
    info->setBatchNo(Variant(std::string(batch.front().value)));
  if (auto made = FirstDay(elements, Property::MadeDate)) info->setMadeDate(DateOf(made));
  if (auto expiry = FirstDay(elements, Property::DisableDate)) info->setDisableDate(DateOf(expiry));

  receipt.quantities = Gs1Quantity::All(elements);
  const auto count = elements.Find("37");
  const int64_t packages = count ? std::stoll(std::string(*count)) : 1;
  if (receipt.packaging) receipt.baseQuantity = receipt.packaging->quantity * packages;
  else if (count) receipt.baseQuantity = packages;

  Warn(receipt, stopDate);
  if (strict_ && !receipt.warnings.empty()) {
    std::string message = "严格收货不接收此标签：";
    for (std::size_t i = 0; i < receipt.warnings.size(); ++i)
      message += (i == 0 ? "" : "；") + receipt.warnings[i].message;
    RaiseError(message);
  }
}

clsGs1Receiver::Receipt clsGs1Receiver::Receive(std::string_view scanned) {
  Receipt receipt;
  receipt.elements.Assign(scanned);
  Fill(receipt);
  return receipt;
}

std::shared_ptr<clsInventoryInfo> clsGs1Receiver::Receive(const Gs1ElementString& elements) {
  return ReceiveLabel(elements).invInfo;
}

clsGs1Receiver::Receipt clsGs1Receiver::ReceiveLabel(const Gs1ElementString& elements) {
  Receipt receipt;
  receipt.elements = elements;
  Fill(receipt);
  return receipt;
}

}  // namespace quillstone
