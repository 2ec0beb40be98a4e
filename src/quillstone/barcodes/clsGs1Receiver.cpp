#include "quillstone/barcodes/clsGs1Receiver.h"

#include "quillstone/gs1/Gs1Date.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/server/FieldText.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

const char* const kItemByBarCode =
    "select Inventory.cInvCode, Inventory.cInvName, Inventory.cInvCCode, InventoryClass.cInvCName from Inventory "
    "left join InventoryClass on (Inventory.cInvCCode = InventoryClass.cInvCCode) "
    "where Inventory.cBarCode in (?, ?, ?, ?)";

// A date field as the inventory info keeps dates; day 00 is the month's first day for a
// production date and its last for an expiry.
Variant DateOf(const Gs1ElementString& elements, std::string_view ai, bool day00IsLast) {
  const auto value = elements.Find(ai);
  if (!value) return Variant();
  const auto day = Gs1Date::Day(*value, elements.thisYear(), true, day00IsLast);
  return day ? Variant(FormatIsoDate(*day)) : Variant();
}

}  // namespace

void clsGs1Receiver::AttachContext(const std::shared_ptr<clsContext>& context) { context_ = context; }

std::shared_ptr<clsContext> clsGs1Receiver::Context() const {
  auto context = context_.lock();
  Assert(context != nullptr && context->mConn() != nullptr, kServiceNotStarted);
  return context;
}

std::vector<std::string> clsGs1Receiver::MasterDataForms(std::string_view gtin14) {
  std::vector<std::string> forms{std::string(gtin14)};
  for (std::size_t length : {13u, 12u, 8u}) {
    const std::size_t cut = gtin14.size() - length;
    if (gtin14.size() > length && gtin14.substr(0, cut).find_first_not_of('0') == std::string_view::npos)
      forms.emplace_back(gtin14.substr(cut));
  }
  return forms;
}

void clsGs1Receiver::FindItem(std::string_view gtin, clsInventoryInfo& info) const {
  auto context = Context();
  std::vector<Variant> params;
  for (auto& form : MasterDataForms(gtin)) params.emplace_back(std::move(form));
  // Unused places repeat the GTIN itself, so one prepared statement serves every GTIN.
  while (params.size() < 4) params.push_back(params.front());

  std::string sql = kItemByBarCode;
  const std::string visible = context->moLogin()->DataRightFilter("inventory", "", "R");
  if (!Trim(visible).empty()) sql += " and Inventory.iid in (" + visible + ")";
  sql += " order by Inventory.cInvCode";

  auto rs = context->mConn()->Query(sql, params);
  if (rs->IsEOF()) RaiseError("找不到条码为GTIN'" + std::string(gtin) + "'的存货，或者没有对它的访问权限");
  info.setInventoryId(FieldText(*rs, "cInvCode"));
  info.setInventoryName(FieldText(*rs, "cInvName"));
  info.setInventoryClassId(FieldText(*rs, "cInvCCode"));
  info.setInventoryClassName(FieldText(*rs, "cInvCName"));
  rs->MoveNext();
  if (!rs->IsEOF())
    RaiseError("存货'" + info.inventoryId() + "'和'" + FieldText(*rs, "cInvCode") + "'的条码都是GTIN'" +
               std::string(gtin) + "'，无法确定收到的是哪个存货");
}

clsGs1Receiver::Receipt clsGs1Receiver::Receive(std::string_view scanned) {
  Receipt receipt;
  receipt.elements.Assign(scanned);
  receipt.invInfo = Receive(receipt.elements);
  return receipt;
}

std::shared_ptr<clsInventoryInfo> clsGs1Receiver::Receive(const Gs1ElementString& elements) {
  auto gtin = elements.Find("01");
  if (!gtin) gtin = elements.Find("02");
  if (!gtin) RaiseError("GS1数据中没有AI(01) GTIN或AI(02) CONTENT，无法确定收到的存货");

  auto info = std::make_shared<clsInventoryInfo>();
  FindItem(*gtin, *info);
  if (auto batch = elements.Find("10")) info->setBatchNo(Variant(std::string(*batch)));
  Variant made = DateOf(elements, "11", false);
  if (!made.isEmpty()) info->setMadeDate(made);
  Variant expiry = DateOf(elements, "17", true);
  if (expiry.isEmpty()) expiry = DateOf(elements, "15", true);
  if (!expiry.isEmpty()) info->setDisableDate(expiry);
  return info;
}

}  // namespace quillstone
