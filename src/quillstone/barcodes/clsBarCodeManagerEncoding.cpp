// Encoding, and the check every registration runs before it stores a barcode.
#include "src/quillstone/barcodes/BarCodeSegments.h"
#include "src/quillstone/barcodes/RegistryInputCheck.h"
#include "src/quillstone/platform/ReadScope.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "src/quillstone/platform/FirstRow.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/host/HostFactory.h"
#include "quillstone/server/host/HostInventoryAccess.h"
#include "quillstone/server/host/HostLogin.h"
#include "quillstone/server/host/HostPositionLookup.h"
#include "quillstone/server/host/HostUserVO.h"
#include "quillstone/server/host/HostWarehouseLookup.h"
#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/sources/clsItemSource.h"
#include "quillstone/sources/clsItemSourceManager.h"

namespace quillstone {
namespace {

// Host flags are variants read as Booleans; Null and Empty count as not set.
bool IsSet(const Variant& flag) { return !flag.isNull() && !flag.isEmpty() && flag.toBool(); }

bool IsBlank(const Variant& value) { return Trim(NullToStr(value)).empty(); }

void VerifyNotStopped(const clsContext& context, const HostUserVO& inv) {
  if (IsBlank(inv.stopDate)) return;
  auto login = context.moLogin()->login();
  Assert(login != nullptr, "Login对象没有初始化");
  if (DaysBetween(login->loginDate().toDate(), inv.stopDate.toDate()) <= 0) {
    RaiseError("存货'" + inv.inventoryCode + "'已经停用，不能用于生成条码");
  }
}

// Fills a missing shelf life from the host first: that value stays in the caller's record.
void VerifyShelfLife(const HostUserVO& inv, clsInventoryInfo& invInfo) {
  if (invInfo.massDay().isEmpty() || invInfo.massDay().isNull()) {
    invInfo.setMassDay(Variant(NullToLng(inv.shelfLifeDays)));
  }
  const bool hasMadeDate = !IsBlank(invInfo.madeDate());
  const bool hasDisableDate = !IsBlank(invInfo.disableDate());
  if (hasMadeDate && !IsDate(invInfo.madeDate())) RaiseError("生产日期不是合法的日期值");
  if (hasDisableDate && !IsDate(invInfo.disableDate())) RaiseError("失效日期不是合法的日期值");
  if (hasMadeDate && hasDisableDate) {
    const int32_t massDay = invInfo.massDay().isNull() ? 0 : invInfo.massDay().toInt32();
    if (DaysBetween(invInfo.madeDate().toDate(), invInfo.disableDate().toDate()) != massDay) {
      RaiseError("失效日期必须等于生产日期加保质期天数.");
    }
  }
}

void VerifyUnit(Connection& conn, const HostUserVO& inv, const clsInventoryInfo& invInfo) {
  const std::string unit = Trim(NullToStr(invInfo.unit()));
  const std::string group = Trim(inv.unitGroupCode);
  if (unit.empty() || group.empty()) return;
  if (!HasRow(conn, "select * from ComputationUnit where cGroupCode=? and cComunitCode =?",
              {Variant(group), Variant(unit)})) {
    RaiseError("计量单位'" + NullToStr(invInfo.unit()) + "'不属于存货'" + invInfo.inventoryId() + "'的计量单位组");
  }
}

}  // namespace

std::shared_ptr<clsBarCode> clsBarCodeManager::EncodeBarCode(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                                             const std::shared_ptr<clsBarCodeRule>& rule) {
  std::shared_ptr<clsBarCode> none;
  return EncodeBarCode(invInfo, rule, none);
}

std::shared_ptr<clsBarCode> clsBarCodeManager::EncodeBarCode(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                                             const std::shared_ptr<clsBarCodeRule>& rule,
                                                             std::shared_ptr<clsBarCode>& barCode) {
  std::shared_ptr<clsBarCode> result;
  TrapAndReraise([&] {
    if (invInfo == nullptr) RaiseError("参数invInfo不能为空");
    if (rule == nullptr) RaiseError("rule");
    if (barCode == nullptr) {
      result = rule->CreateBarCode();
    } else {
      if (barCode->ruleId() != rule->ruleId()) RaiseError("无效的参数，条形码的规则与传入的条码规则不匹配");
      if (barCode->items()->Count() != rule->ruleItems()->Count()) {
        RaiseError("无效的参数，条形码项目数与传入条形码规则的项目数不一致");
      }
      result = barCode;
    }
    ReadScope reads(*Context()->mConn());
    auto sources = Context()->objItemSourceManager();
    barcodes::ForEachSegment(*rule, *result, [&](const auto& ruleItem, auto& segment) {
      sources->GetItemSource(ruleItem->itemType())->Encode(invInfo, ruleItem, segment);
    });
  });
  return result;
}

bool clsBarCodeManager::VerifyBarCode(const std::shared_ptr<clsInventoryInfo>& invInfo,
                                      const std::shared_ptr<clsBarCode>& barCode,
                                      const std::shared_ptr<clsBarCodeRule>& rule) {
  bool result = false;
  TrapAndReraise([&] {
    if (invInfo == nullptr) RaiseError("参数invInfo不能为空");
    if (barCode == nullptr) RaiseError("参数barCode不能为空");
    if (rule == nullptr) RaiseError("不能获得条码规则信息，规则编码=" + barCode->ruleId());
    auto context = Context();
    auto inv = LoadInventory(invInfo->inventoryId());
    if (inv == nullptr) RaiseError("不能获得此存货信息或者对存货没有权限，存货编码=" + invInfo->inventoryId());

    VerifyNotStopped(*context, *inv);
    if (!IsSet(inv->barcodeManaged)) RaiseError("该存货不是条码管理存货");
    if (IsSet(inv->shelfLifeManaged)) VerifyShelfLife(*inv, *invInfo);
    VerifyUnit(*context->mConn(), *inv, *invInfo);
    VerifyPosition(*invInfo);
    VerifyWarehouse(*invInfo);

    RegistryInputCheck::CheckSymbology(*rule, *barCode);
    result = true;
    auto sources = context->objItemSourceManager();
    barcodes::ForEachSegment(*rule, *barCode, [&](const auto& ruleItem, auto& segment) {
      auto source = sources->GetItemSource(ruleItem->itemType());
      source->VerifyAssign(inv, ruleItem);  // raises its own message; the answer is not read
      result = source->Verify(invInfo, segment, ruleItem);
      if (!result) RaiseError("条码不能通过规则验证，规则项类型：" + source->sourceName());
    });
  });
  return result;
}

void clsBarCodeManager::VerifyPosition(const clsInventoryInfo& invInfo) {
  if (IsBlank(invInfo.invPositionId())) return;
  const std::string position = NullToStr(invInfo.invPositionId());
  const std::string warehouse = NullToStr(invInfo.warehouseId());
  std::shared_ptr<HostPositionLookup::Record> record;
  if (!positionLookup_->Find(position, record, 0)) RaiseError("货位'" + position + "'不存在");
  const std::string positionWarehouse = record == nullptr ? std::string() : record->warehouseCode;
  if (positionWarehouse != warehouse) RaiseError("货位'" + position + "'不是仓库'" + warehouse + "'的货位");
}

void clsBarCodeManager::VerifyWarehouse(const clsInventoryInfo& invInfo) {
  if (IsBlank(invInfo.warehouseId())) return;
  const std::string warehouse = NullToStr(invInfo.warehouseId());
  std::shared_ptr<HostWarehouseLookup::Record> record;
  if (!warehouseLookup_->Find(warehouse, record, 0, -1)) RaiseError("仓库'" + warehouse + "'不存在");
}

std::shared_ptr<HostUserVO> clsBarCodeManager::LoadInventory(const std::string& inventoryId) {
  std::shared_ptr<HostUserVO> result;
  TrapAndReraise([&] {
    auto context = Context();
    auto access = context->objLogin()->hostFactory()->CreateInventoryAccess();
    std::string error;
    if (!access->InitLogin(context->objLogin(), error)) RaiseError(error);
    auto inv = std::make_shared<HostUserVO>();
    if (!access->Find(inventoryId, inv, error, false, "")) RaiseError(error);
    if (inv == nullptr || Trim(inv->inventoryCode).empty()) RaiseError("不能获得存货信息");
    result = inv;
  });
  return result;
}

}  // namespace quillstone
