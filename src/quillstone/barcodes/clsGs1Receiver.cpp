#include "quillstone/barcodes/clsGs1Receiver.h"

#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/gs1/Gs1Date.h"
#include "src/quillstone/model/Gs1BarCodeText.h"
#include "src/quillstone/model/Gs1Meaning.h"
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

// The same forms registration looks an item up by, so receiving and decoding find one item.
std::vector<std::string> clsGs1Receiver::MasterDataForms(std::string_view gtin14) {
  return Gs1BarCodeText::GtinForms(std::string(gtin14));
}

namespace {

// Fills the item of the first row the condition finds under the user's data rights; its stop
// date, or nothing when there is no such item.
std::optional<std::string> ReadItem(clsContext& context, const std::string& condition,
                                    const std::vector<Variant>& params, std::string_view gtin, clsInventoryInfo& info) {
  std::string sql = kItem + condition;
  const std::string visible = context.objBarCodeManager()->DataRightCondition();
  if (!visible.empty()) sql += " and " + visible;
  sql += " order by Inventory.cInvCode";
  auto rs = context.mConn()->Query(sql, params);
  if (rs->IsEOF()) return std::nullopt;
  info.setInventoryId(FieldText(*rs, "cInvCode"));
  info.setInventoryName(FieldText(*rs, "cInvName"));
  info.setInventoryClassId(FieldText(*rs, "cInvCCode"));
  info.setInventoryClassName(FieldText(*rs, "cInvCName"));
  std::string stopDate = FieldText(*rs, "dEDate");
  rs->MoveNext();
  if (!rs->IsEOF())
    RaiseError("存货'" + info.inventoryId() + "'和'" + FieldText(*rs, "cInvCode") + "'的条码都是GTIN'" +
               std::string(gtin) + "'，无法确定收到的是哪个存货");
  return stopDate;
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
  std::vector<Variant> params;
  for (auto& form : MasterDataForms(gtin)) params.emplace_back(std::move(form));
  while (params.size() < 4) params.push_back(params.front());
  if (auto own = ReadItem(*context, "Inventory.cBarCode in (?, ?, ?, ?)", params, gtin, *info)) {
    stopDate = *own;
  } else if (auto level = clsTradeItemGtins(context).Find(gtin)) {
    auto found = ReadItem(*context, "Inventory.cInvCode = ?", {Variant(level->inventoryId)}, gtin, *info);
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
