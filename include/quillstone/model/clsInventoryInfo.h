// One inventory item with the properties that barcode segments encode: encoding reads a segment's
// value from it, decoding writes one back, and the registry keeps one per barcode.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "quillstone/model/ICloneable.h"
#include "quillstone/model/modTypeDefine.h"
#include "quillstone/platform/Variant.h"

namespace quillstone {

class clsInventoryInfo : public ICloneable {
 public:
  static constexpr int kFreeCount = 10;

  const std::string& inventoryId() const { return inventoryId_; }
  void setInventoryId(std::string v) { inventoryId_ = std::move(v); }
  const std::string& inventoryName() const { return inventoryName_; }
  void setInventoryName(std::string v) { inventoryName_ = std::move(v); }
  const std::string& inventoryClassId() const { return inventoryClassId_; }
  void setInventoryClassId(std::string v) { inventoryClassId_ = std::move(v); }
  const std::string& inventoryClassName() const { return inventoryClassName_; }
  void setInventoryClassName(std::string v) { inventoryClassName_ = std::move(v); }

  const Variant& inventorySpec() const { return inventorySpec_; }
  void setInventorySpec(Variant v) { inventorySpec_ = std::move(v); }
  const Variant& warehouseId() const { return warehouseId_; }
  void setWarehouseId(Variant v) { warehouseId_ = std::move(v); }

  // Free items 1 to 10; any other k is the out-of-range failure.
  const Variant& Free(int k) const;
  void setFree(int k, Variant v);
  const Variant& free1() const { return Free(1); }
  void setFree1(Variant v) { setFree(1, std::move(v)); }
  const Variant& free2() const { return Free(2); }
  void setFree2(Variant v) { setFree(2, std::move(v)); }
  const Variant& free3() const { return Free(3); }
  void setFree3(Variant v) { setFree(3, std::move(v)); }
  const Variant& free4() const { return Free(4); }
  void setFree4(Variant v) { setFree(4, std::move(v)); }
  const Variant& free5() const { return Free(5); }
  void setFree5(Variant v) { setFree(5, std::move(v)); }
  const Variant& free6() const { return Free(6); }
  void setFree6(Variant v) { setFree(6, std::move(v)); }
  const Variant& free7() const { return Free(7); }
  void setFree7(Variant v) { setFree(7, std::move(v)); }
  const Variant& free8() const { return Free(8); }
  void setFree8(Variant v) { setFree(8, std::move(v)); }
  const Variant& free9() const { return Free(9); }
  void setFree9(Variant v) { setFree(9, std::move(v)); }
  const Variant& free10() const { return Free(10); }
  void setFree10(Variant v) { setFree(10, std::move(v)); }

  const Variant& invPositionId() const { return invPositionId_; }
  void setInvPositionId(Variant v) { invPositionId_ = std::move(v); }
  const Variant& madeDate() const { return madeDate_; }
  void setMadeDate(Variant v) { madeDate_ = std::move(v); }
  const Variant& disableDate() const { return disableDate_; }
  void setDisableDate(Variant v) { disableDate_ = std::move(v); }
  const Variant& massDay() const { return massDay_; }
  void setMassDay(Variant v) { massDay_ = std::move(v); }
  const Variant& batchNo() const { return batchNo_; }
  void setBatchNo(Variant v) { batchNo_ = std::move(v); }
  const Variant& unitCost() const { return unitCost_; }
  void setUnitCost(Variant v) { unitCost_ = std::move(v); }
  const Variant& vendorId() const { return vendorId_; }
  void setVendorId(Variant v) { vendorId_ = std::move(v); }
  const Variant& unit() const { return unit_; }
  void setUnit(Variant v) { unit_ = std::move(v); }

  // The property a segment of the given kind encodes. The two codes come back as text variants;
  // kinds without a property (fixed, sequence, check, other) read as Null and ignore writes.
  Variant InventoryProperty(ItemSourceType itemType) const;
  // The codes are converted to text (a Null raises and keeps the old text); other properties
  // take the variant unchanged.
  void setInventoryProperty(ItemSourceType itemType, const Variant& value);
  // The registry column of that property, or the empty text.
  static std::string InventoryPropertyName(ItemSourceType itemType);

  std::shared_ptr<ICloneable> Clone() override;
  void CopyTo(std::shared_ptr<ICloneable>& obj) override;
  std::shared_ptr<clsInventoryInfo> CloneInventoryInfo() const;
  void CopyTo(const std::shared_ptr<clsInventoryInfo>& obj) const;

 private:
  const Variant* VariantProperty(ItemSourceType itemType) const;

  std::string inventoryId_;
  std::string inventoryName_;
  std::string inventoryClassId_;
  std::string inventoryClassName_;
  Variant inventorySpec_;
  Variant warehouseId_;
  std::array<Variant, kFreeCount> free_;
  Variant invPositionId_;
  Variant madeDate_;
  Variant disableDate_;
  Variant massDay_;
  Variant batchNo_;
  Variant unitCost_;
  Variant vendorId_;
  Variant unit_;
};

}  // namespace quillstone
