#include "quillstone/model/clsInventoryInfo.h"

#include "quillstone/model/SegmentKind.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

namespace {

constexpr int kFirstFree = ISTFree1;
constexpr int kLastFree = ISTFree10;

}  // namespace

const Variant& clsInventoryInfo::Free(int k) const {
  if (k < 1 || k > kFreeCount) throw Error(9, "Platform", "下标越界");
  return free_[static_cast<std::size_t>(k - 1)];
}

void clsInventoryInfo::setFree(int k, Variant v) { const_cast<Variant&>(Free(k)) = std::move(v); }

const Variant* clsInventoryInfo::VariantProperty(ItemSourceType itemType) const {
  switch (itemType) {
    case ISTVendor:
      return &vendorId_;
    case ISTWarehouse:
      return &warehouseId_;
    case ISTPosition:
      return &invPositionId_;
    case ISTBatch:
      return &batchNo_;
    case ISTInventoryUnit:
      return &unit_;
    case ISTUnitCost:
      return &unitCost_;
    case ISTMadeDate:
      return &madeDate_;
    case ISTDisableDate:
      return &disableDate_;
    case ISTMassDay:
      return &massDay_;
    default:
      if (itemType >= kFirstFree && itemType <= kLastFree) return &Free(itemType - kFirstFree + 1);
      return nullptr;
  }
}

Variant clsInventoryInfo::InventoryProperty(ItemSourceType itemType) const {
  if (itemType == ISTInventory) return Variant(inventoryId_);
  if (itemType == ISTInventoryClass) return Variant(inventoryClassId_);
  const Variant* property = VariantProperty(itemType);
  return property ? *property : Variant(Variant::Null);
}

void clsInventoryInfo::setInventoryProperty(ItemSourceType itemType, const Variant& value) {
  if (itemType == ISTInventory) {
    setInventoryId(value.toString());
  } else if (itemType == ISTInventoryClass) {
    setInventoryClassId(value.toString());
  } else if (const Variant* property = VariantProperty(itemType)) {
    *const_cast<Variant*>(property) = value;
  }
}

std::string clsInventoryInfo::InventoryPropertyName(ItemSourceType itemType) {
  const SegmentKind* kind = SegmentKind::Of(itemType);
  return kind != nullptr ? kind->registryColumn : "";
}

std::shared_ptr<ICloneable> clsInventoryInfo::Clone() { return CloneInventoryInfo(); }

std::shared_ptr<clsInventoryInfo> clsInventoryInfo::CloneInventoryInfo() const {
  auto copy = std::make_shared<clsInventoryInfo>();
  CopyTo(copy);
  return copy;
}

void clsInventoryInfo::CopyTo(std::shared_ptr<ICloneable>& obj) { CopyTo(CopyTarget<clsInventoryInfo>(obj)); }

void clsInventoryInfo::CopyTo(const std::shared_ptr<clsInventoryInfo>& obj) const {
  Assert(obj != nullptr, "CopyTo的参数类型必须是clsInventoryInfo，且不能为空");
  obj->setBatchNo(batchNo_);
  obj->setDisableDate(disableDate_);
  for (int k = 1; k <= kFreeCount; ++k) obj->setFree(k, Free(k));
  obj->setInventoryClassId(inventoryClassId_);
  obj->setInventoryClassName(inventoryClassName_);
  obj->setInventoryId(inventoryId_);
  obj->setInventoryName(inventoryName_);
  obj->setInventorySpec(inventorySpec_);
  obj->setInvPositionId(invPositionId_);
  obj->setMadeDate(madeDate_);
  obj->setMassDay(massDay_);
  obj->setUnit(unit_);
  obj->setUnitCost(unitCost_);
  obj->setVendorId(vendorId_);
  obj->setWarehouseId(warehouseId_);
}

}  // namespace quillstone
