#include "src/quillstone/barcodes/RegistryRow.h"

#include <set>

#include "src/quillstone/barcodes/RegistryDate.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/model/clsRuleAssign.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"

namespace quillstone::barcodes {
namespace {

constexpr std::size_t kBarCodeValue = 1;

}  // namespace

RegistryRow::RegistryRow(const clsBarCode& barCode, const clsInventoryInfo& invInfo, const clsRuleAssign& assign,
                         const clsBarCodeRule& rule, clsItemSourceManager& sources)
    : createDate_(FormatIsoDate(Today())), ruleId_(barCode.ruleId()), assignId_(assign.assignId()) {
  std::string columns = "cInvCode,cBarCode,cAssignId,cRuleId,cInvName,cInvCCode,cInvCName,dCreateDate,bAbandon";
  std::string marks = "?,?,?,?,?,?,?,?,0";
  values_ = {Variant(invInfo.inventoryId()),
             Variant(barCode.barCode()),
             Variant(assign.assignId()),
             Variant(barCode.ruleId()),
             Variant(invInfo.inventoryName()),
             Variant(invInfo.inventoryClassId()),
             Variant(invInfo.inventoryClassName()),
             Variant(createDate_)};
  // Two items of one kind carry the same property: its column is written once.
  std::set<std::string> named;
  for (const auto& ruleItem : *rule.ruleItems()) {
    const ItemSourceType itemType = ruleItem->itemType();
    if (itemType == ISTInventory || itemType == ISTInventoryClass) continue;  // in the fixed columns
    const std::string column = clsInventoryInfo::InventoryPropertyName(itemType);
    if (Trim(column).empty() || !named.insert(column).second) continue;
    const Variant value = invInfo.InventoryProperty(itemType);
    if (value.isEmpty() || value.isNull()) {
      RaiseError("条码项'" + sources.GetItemSource(itemType)->sourceName() + "'对应的存货属性" + column +
                 "没有值，不能登记条码");
    }
    columns += "," + column;
    marks += ",?";
    // Dates are written as yyyy-MM-dd text whatever form the caller gave the day in.
    const bool isDate = itemType == ISTMadeDate || itemType == ISTDisableDate;
    values_.push_back(isDate ? RegistryDate(value) : value);
  }
  columns_ = columns;
  marks_ = "(" + marks + ")";
  sql_ = "insert into InventoryBarCodeSet(" + columns_ + ") values" + marks_;
}

void RegistryRow::Insert(Connection& conn, const std::string& barCode) {
  values_[kBarCodeValue] = Variant(barCode);
  Execute(conn, sql_, values_);
}

void RegistryRow::InsertMany(Connection& conn, const std::vector<std::string>& barCodes) {
  if (barCodes.empty()) return;
  std::string sql = "insert into InventoryBarCodeSet(" + columns_ + ") values";
  std::vector<Variant> values;
  values.reserve(values_.size() * barCodes.size());
  for (std::size_t i = 0; i < barCodes.size(); ++i) {
    sql += (i == 0 ? "" : ",") + marks_;
    values_[kBarCodeValue] = Variant(barCodes[i]);
    values.insert(values.end(), values_.begin(), values_.end());
  }
  Execute(conn, sql, values);
}

void RegistryRow::Execute(Connection& conn, const std::string& sql, const std::vector<Variant>& values) {
  try {
    conn.Execute(sql, values);
  } catch (const Error& e) {
    // Another client registered the same text between the check and the insert.
    if (e.fault() == Error::Fault::DuplicateKey) RaiseError("该条形码已经存在，条形码不能重复");
    throw;
  }
}

std::shared_ptr<clsInventoryBarCodeSet> RegistryRow::Record(const std::string& barCode,
                                                            const std::shared_ptr<clsInventoryInfo>& invInfo) const {
  auto record = std::make_shared<clsInventoryBarCodeSet>();
  record->setBarCode(barCode);
  record->setRuleId(ruleId_);
  record->setCreateDate(createDate_);
  record->setAssignId(assignId_);
  record->setInvInfo(invInfo);
  return record;
}

}  // namespace quillstone::barcodes
