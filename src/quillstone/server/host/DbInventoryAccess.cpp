#include "src/quillstone/server/host/DbInventoryAccess.h"

#include "quillstone/platform/DateTime.h"
#include "src/quillstone/platform/FirstRow.h"
#include "quillstone/platform/Int16.h"
#include "src/quillstone/server/FieldText.h"
#include "src/quillstone/server/host/DbHostCommon.h"
#include "src/quillstone/server/host/HostSupport.h"
#include "quillstone/server/host/HostUserVO.h"

namespace quillstone {
namespace {

const char* const kFindSql =
    "select Inventory.*, ComputationGroup.iGroupType from Inventory"
    " left join ComputationGroup on (Inventory.cGroupCode = ComputationGroup.cGroupCode)"
    " where Inventory.cInvCode = ?";

// Flag columns hold 0/1 (or Null, read as not set); the value object gives plain Booleans.
Variant Flag(const Variant& column) { return Variant(NullToLng(column) != 0); }

// Blank text when the item is not stopped; a real day becomes a date value.
Variant StopDate(const Variant& column) {
  std::string text = Trim(NullToStr(column));
  if (text.empty()) return Variant(std::string());
  if (auto day = ParseIsoDate(text)) return Variant(*day);
  return Variant(text);
}

HostUserVO ReadInventory(const Recordset& rs) {
  HostUserVO vo;
  vo.inventoryCode = FieldText(rs, "cInvCode");
  vo.stopDate = StopDate(rs.Field("dEDate"));
  vo.barcodeManaged = Flag(rs.Field("bBarCode"));
  vo.batchManaged = Flag(rs.Field("bInvBatch"));
  vo.shelfLifeManaged = Flag(rs.Field("bInvQuality"));
  Variant days = rs.Field("iMassDate");
  vo.shelfLifeDays = days.isNull() ? days : Variant(ToInt16(NullToLng(days)));
  vo.unitGroupCode = FieldText(rs, "cGroupCode");
  vo.unitGroupType = NullToLng(rs.Field("iGroupType"));
  for (std::size_t k = 0; k < vo.freeManaged.size(); ++k)
    vo.freeManaged[k] = Flag(rs.Field("bFree" + std::to_string(k + 1)));
  return vo;
}

}  // namespace

void DbInventoryAccess::Init(const std::shared_ptr<HostCommon>& common) { common_ = common; }

bool DbInventoryAccess::InitLogin(const std::shared_ptr<HostLogin>& login, std::string& error_text) {
  auto common = DbHostCommon::ForLogin(login, error_text);
  if (common == nullptr) return false;
  common_ = common;
  return true;
}

bool DbInventoryAccess::Find(const std::string& inventory_code, std::shared_ptr<HostUserVO>& inv,
                             std::string& error_text, bool /*lock*/, const std::string& /*extra*/) {
  return AnswerWithText(error_text, [&] {
    Connection& conn = HostConnection(common_.get());
    auto rs = conn.Query(kFindSql, {Variant(inventory_code)});
    if (rs->IsEOF()) {
      error_text = "找不到存货'" + inventory_code + "'";
      return false;
    }
    HostUserVO found = ReadInventory(*rs);
    Variant iid = rs->Field("iid");
    rs.reset();

    std::string visible = common_->DataRightFilter("inventory", "", "R");
    if (!Trim(visible).empty()) {
      // The rights list is SQL text by the host's contract (integers, or null for none).
      if (!HasRow(conn, "select iid from Inventory where iid = ? and iid in (" + visible + ")", {iid})) {
        error_text = "没有存货'" + inventory_code + "'的访问权限";
        return false;
      }
    }
    if (inv == nullptr) inv = std::make_shared<HostUserVO>();
    *inv = std::move(found);
    return true;
  });
}

}  // namespace quillstone
