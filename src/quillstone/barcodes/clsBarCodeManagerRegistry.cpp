// The registry itself: listing and loading registered barcodes under the user's data rights, and
// abandoning, reusing and removing them.
#include <vector>

#include "src/quillstone/barcodes/VisibleInventory.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "src/quillstone/model/Gs1BarCodeText.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/ClientRecordset.h"
#include "quillstone/platform/Connection.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/server/FilterCondition.h"
#include "src/quillstone/server/FilteredRead.h"
#include "src/quillstone/server/RightsBracket.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// A registry row as a record. Property columns keep their stored value (Null stays Null), so a
// verification skips the properties the barcode's rule did not store.
std::shared_ptr<clsInventoryBarCodeSet> ReadBarCodeSet(const Recordset& rs, bool withSpec) {
  auto record = std::make_shared<clsInventoryBarCodeSet>();
  auto inv = std::make_shared<clsInventoryInfo>();
  record->setInvInfo(inv);
  record->setBarCode(FieldText(rs, "cBarCode"));
  record->setCreateDate(FieldText(rs, "dCreateDate"));
  record->setAssignId(FieldText(rs, "cAssignId"));
  record->setRuleId(FieldText(rs, "cRuleId"));
  inv->setInventoryId(FieldText(rs, "cInvCode"));
  inv->setInventoryName(FieldText(rs, "cInvName"));
  inv->setInventoryClassId(FieldText(rs, "cInvCCode"));
  inv->setInventoryClassName(FieldText(rs, "cInvCName"));
  if (withSpec) inv->setInventorySpec(Variant(FieldText(rs, "cInvStd")));
  for (int k = 1; k <= clsInventoryInfo::kFreeCount; ++k) inv->setFree(k, rs.Field("cFree" + std::to_string(k)));
  inv->setBatchNo(rs.Field("cBatch"));
  inv->setVendorId(rs.Field("cVenCode"));
  inv->setInvPositionId(rs.Field("cPostion"));
  inv->setWarehouseId(rs.Field("cWhCode"));
  inv->setMadeDate(rs.Field("dMDate"));
  inv->setDisableDate(rs.Field("dVDate"));
  inv->setMassDay(rs.Field("iMassDate"));
  inv->setUnit(rs.Field("cAssUnit"));
  inv->setUnitCost(rs.Field("fUnitCost"));
  record->setBAbandon(NullToLng(rs.Field("bAbandon")) == 1);
  return record;
}

const char* const kRight = "ST050302";

}  // namespace

std::string clsBarCodeManager::DataRightCondition() {
  auto context = Context();
  const std::string visible = context->moLogin()->DataRightFilter("inventory", "", "R");
  if (Trim(visible).empty()) return "";
  if (visibleInventory_ == nullptr) visibleInventory_ = std::make_shared<barcodes::VisibleInventory>();
  return visibleInventory_->Condition(context->mConn(), visible);
}

// The caller's condition is applied only to rows the user may see: it is joined to the rights
// with "and", and each part of it that could fail on a row's values is evaluated only where the
// rights hold, so no error depends on rows outside them.
std::string clsBarCodeManager::ListQuery(const FilterCondition& filter, bool bCheckAuth) {
  const std::string visible = bCheckAuth ? DataRightCondition() : std::string();
  std::string where = filter.Sql(Context()->mConn()->backend(), visible);
  if (!visible.empty()) where = where.empty() ? visible : where + " and " + visible;
  if (where.empty()) return "select * from InventoryBarCodeSet";
  return "select InventoryBarCodeSet.* from InventoryBarCodeSet inner join Inventory on "
         "(InventoryBarCodeSet.cInvCode=Inventory.cInvCode) where " +
         where;
}

std::shared_ptr<ClientRecordset> clsBarCodeManager::ListInventoryBarCodeSetRS(const std::string& filter,
                                                                              bool bCheckAuth) {
  return ListInventoryBarCodeSetRS(filter, {}, bCheckAuth);
}

std::shared_ptr<ClientRecordset> clsBarCodeManager::ListInventoryBarCodeSetRS(const std::string& filter,
                                                                              const std::vector<Variant>& params,
                                                                              bool bCheckAuth) {
  try {
    const FilterCondition condition(filter, params.size(), FilterScope::Registry());
    Connection& conn = *Context()->mConn();
    auto rs = FilteredRead::Query(conn, ListQuery(condition, bCheckAuth), params, condition);
    std::shared_ptr<ClientRecordset> rows;
    FilteredRead::Step(condition, [&] { rows = ClientRecordset::ReadAll(*rs); });
    return rows;
  } catch (const Error& e) {
    RaiseError("获取条形码列表错误," + e.description());
  } catch (const std::exception& e) {
    RaiseError(std::string("获取条形码列表错误,") + e.what());
  }
}

std::shared_ptr<clsBarCodeManager::BarCodeSetList> clsBarCodeManager::ListInventoryBarCodeSets(
    const std::string& filter, bool bCheckAuth) {
  return ListInventoryBarCodeSets(filter, {}, bCheckAuth);
}

std::shared_ptr<clsBarCodeManager::BarCodeSetList> clsBarCodeManager::ListInventoryBarCodeSets(
    const std::string& filter, const std::vector<Variant>& params, bool bCheckAuth) {
  auto list = std::make_shared<BarCodeSetList>();
  ForEachInventoryBarCodeSet(
      filter, params,
      [&](const std::shared_ptr<clsInventoryBarCodeSet>& set) {
        list->Add(set);
        return true;
      },
      bCheckAuth);
  return list;
}

void clsBarCodeManager::ForEachInventoryBarCodeSet(const std::string& filter, const std::vector<Variant>& params,
                                                   const BarCodeSetVisitor& visit, bool bCheckAuth) {
  TrapAndReraise([&] {
    const FilterCondition condition(filter, params.size(), FilterScope::Registry());
    auto rs = FilteredRead::Query(*Context()->mConn(), ListQuery(condition, bCheckAuth), params, condition);
    for (; !rs->IsEOF(); FilteredRead::Step(condition, [&] { rs->MoveNext(); }))
      if (!visit(ReadBarCodeSet(*rs, true))) break;
  });
}

std::shared_ptr<clsInventoryBarCodeSet> clsBarCodeManager::LoadInventoryBarCodeSet(const std::string& barCode,
                                                                                   bool bCheckAuth) {
  std::shared_ptr<clsInventoryBarCodeSet> result;
  TrapAndReraise([&] {
    TextGuard::RequireStorable(barCode, "条形码");
    const std::string visible = bCheckAuth ? DataRightCondition() : std::string();
    const std::string sql = visible.empty()
                                ? std::string("select * from InventoryBarCodeSet where cBarCode=?")
                                : "select InventoryBarCodeSet.* from InventoryBarCodeSet inner join Inventory on "
                                  "(InventoryBarCodeSet.cInvCode=Inventory.cInvCode and InventoryBarCodeSet.cBarCode=? "
                                  "and " +
                                      visible + ")";
    auto rs = Context()->mConn()->Query(sql, {Variant(barCode)});
    if (!rs->IsEOF()) {
      result = ReadBarCodeSet(*rs, false);
      return;
    }
    // A GS1 barcode is registered in one form; scanned raw or as a link it is found by that form.
    const auto registryForm = Gs1BarCodeText::RegistryForm(barCode);
    if (!registryForm || *registryForm == barCode) return;
    rs = Context()->mConn()->Query(sql, {Variant(*registryForm)});
    if (!rs->IsEOF()) result = ReadBarCodeSet(*rs, false);
  });
  return result;
}

bool clsBarCodeManager::IsInUse(const std::string& barCode) {
  bool used = false;
  TrapAndReraise([&] { used = UsedByDocuments(VisibleKey(barCode)); });
  return used;
}

std::string clsBarCodeManager::VisibleKey(const std::string& barCode) {
  auto found = LoadInventoryBarCodeSet(barCode, true);
  if (found == nullptr) RaiseError("条形码'" + barCode + "'不存在，或者没有对它的访问权限.");
  return found->barCode();
}

bool clsBarCodeManager::UsedByDocuments(const std::string& key) {
  std::vector<ProcedureParameter> params = {
      {"cCode", ProcedureParameter::Direction::Input, Variant(key), 200},
      {"cRetValue", ProcedureParameter::Direction::Output, Variant(), 60},
  };
  Context()->mConn()->CallProcedure("sp_BarCodeUsed", params);
  return !Trim(NullToStr(params[1].value)).empty();
}

void clsBarCodeManager::AbandonBarCode(const std::string& barCode) { SetAbandoned(barCode, true); }

void clsBarCodeManager::ReuseBarCode(const std::string& barCode) { SetAbandoned(barCode, false); }

void clsBarCodeManager::SetAbandoned(const std::string& barCode, bool abandon) {
  auto context = Context();
  RunWithRight(*context, kRight, abandon ? "您没有废弃条码的权限." : "您没有重用条码的权限.", [&] {
    auto found = LoadInventoryBarCodeSet(barCode, true);
    if (found == nullptr) RaiseError("指定的条形码不存在或者没有权限,条形码=" + barCode);
    if (found->bAbandon() == abandon) {
      RaiseError(abandon ? "该条形码没有处于正常的使用状态，不能废弃" : "该条形码没有处于废弃状态，不能重用");
    }
    context->mConn()->Execute("update InventoryBarCodeSet set bAbandon=? where cBarCode=?",
                              {Variant(int32_t{abandon ? 1 : 0}), Variant(found->barCode())});
  });
}

void clsBarCodeManager::RemoveBarCode(const std::string& barCode) {
  auto context = Context();
  RunWithRight(*context, kRight, "您没有删除条码的权限.", [&] {
    // The registry's own text of the barcode, which a GS1 barcode given in another form is not.
    const std::string key = VisibleKey(barCode);
    if (UsedByDocuments(key)) RaiseError("条码'" + barCode + "'已经被使用，不能删除.");
    context->mConn()->Execute("delete from InventoryBarCodeSet where cBarCode=?", {Variant(key)});
  });
}

}  // namespace quillstone
