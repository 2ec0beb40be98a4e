#include "quillstone/model/clsInventoryInfo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "support/CaughtError.h"
#include "quillstone/model/clsBarCodeRuleItem.h"

namespace quillstone {
namespace {

using test::CaughtError;
using namespace std::chrono;

// Every property of the record, text ones as text variants, in a fixed order.
std::vector<Variant> Properties(const clsInventoryInfo& info) {
  std::vector<Variant> all = {info.inventoryId(),        info.inventoryName(), info.inventoryClassId(),
                              info.inventoryClassName(), info.inventorySpec(), info.warehouseId()};
  for (int k = 1; k <= clsInventoryInfo::kFreeCount; ++k) all.push_back(info.Free(k));
  for (const Variant& v : {info.invPositionId(), info.madeDate(), info.disableDate(), info.massDay(), info.batchNo(),
                           info.unitCost(), info.vendorId(), info.unit()})
    all.push_back(v);
  return all;
}

std::shared_ptr<clsInventoryInfo> FullInfo() {
  auto info = std::make_shared<clsInventoryInfo>();
  info->setInventoryId("I001");
  info->setInventoryName("螺钉");
  info->setInventoryClassId("01");
  info->setInventoryClassName("五金");
  info->setInventorySpec("M6");
  info->setWarehouseId("W1");
  for (int k = 1; k <= 10; ++k) info->setFree(k, "f" + std::to_string(k));
  info->setInvPositionId("P1");
  info->setMadeDate(year_month_day{2024y, March, 5d});
  info->setDisableDate(Variant::Null);
  info->setMassDay(int32_t{30});
  info->setBatchNo("B7");
  info->setUnitCost(1.25);
  info->setVendorId("V9");
  info->setUnit(int16_t{3});
  return info;
}

struct Mapping {
  ItemSourceType type;
  const char* column;
  std::function<Variant(const clsInventoryInfo&)> read;
};

const std::vector<Mapping>& Mappings() {
  static const std::vector<Mapping> table = [] {
    std::vector<Mapping> t = {
        {ISTInventory, "cInvCode", [](const clsInventoryInfo& i) { return Variant(i.inventoryId()); }},
        {ISTInventoryClass, "cInvCCode", [](const clsInventoryInfo& i) { return Variant(i.inventoryClassId()); }},
        {ISTVendor, "cVenCode", [](const clsInventoryInfo& i) { return i.vendorId(); }},
        {ISTWarehouse, "cWhCode", [](const clsInventoryInfo& i) { return i.warehouseId(); }},
        {ISTPosition, "cPostion", [](const clsInventoryInfo& i) { return i.invPositionId(); }},
        {ISTBatch, "cBatch", [](const clsInventoryInfo& i) { return i.batchNo(); }},
        {ISTInventoryUnit, "cAssUnit", [](const clsInventoryInfo& i) { return i.unit(); }},
        {ISTUnitCost, "fUnitCost", [](const clsInventoryInfo& i) { return i.unitCost(); }},
        {ISTMadeDate, "dMDate", [](const clsInventoryInfo& i) { return i.madeDate(); }},
        {ISTDisableDate, "dVDate", [](const clsInventoryInfo& i) { return i.disableDate(); }},
        {ISTMassDay, "iMassDate", [](const clsInventoryInfo& i) { return i.massDay(); }},
        {ISTFree1, "cFree1", [](const clsInventoryInfo& i) { return i.free1(); }},
        {ISTFree10, "cFree10", [](const clsInventoryInfo& i) { return i.free10(); }},
    };
    for (int k = 2; k <= 9; ++k)
      t.push_back({static_cast<ItemSourceType>(ISTFree1 + k - 1), nullptr,
                   [k](const clsInventoryInfo& i) { return i.Free(k); }});
    return t;
  }();
  return table;
}

TEST(ModelInventoryInfo, InventoryPropertyReachesTheMappedProperty) {
  for (const Mapping& m : Mappings()) {
    SCOPED_TRACE(static_cast<int>(m.type));
    clsInventoryInfo info;
    info.setInventoryProperty(m.type, "v");
    EXPECT_EQ(m.read(info), Variant("v"));
    EXPECT_EQ(info.InventoryProperty(m.type), Variant("v"));
    // Exactly one property changed.
    int changed = 0;
    for (const Variant& v : Properties(info)) changed += v == Variant("v");
    EXPECT_EQ(changed, 1);
    if (m.column) {
      EXPECT_EQ(clsInventoryInfo::InventoryPropertyName(m.type), m.column);
    }
  }
  EXPECT_EQ(clsInventoryInfo::InventoryPropertyName(ISTFree5), "cFree5");
}

TEST(ModelInventoryInfo, KindsWithoutPropertyReadNullAndIgnoreWrites) {
  for (int type : {int{ISTFixed}, int{ISTSequence}, int{ISTCheck}, int{ISTOther}, 25, -1, 99}) {
    SCOPED_TRACE(type);
    auto kind = static_cast<ItemSourceType>(type);
    auto info = FullInfo();
    auto before = Properties(*info);
    EXPECT_TRUE(info->InventoryProperty(kind).isNull());
    info->setInventoryProperty(kind, "x");
    EXPECT_EQ(Properties(*info), before);
    EXPECT_EQ(clsInventoryInfo::InventoryPropertyName(kind), "");
  }
}

TEST(ModelInventoryInfo, CodesReadAsTextOthersAsStored) {
  clsInventoryInfo info;
  EXPECT_EQ(info.InventoryProperty(ISTInventory), Variant(""));
  EXPECT_TRUE(info.InventoryProperty(ISTBatch).isEmpty());

  info.setInventoryProperty(ISTMadeDate, "2024-13-45");
  EXPECT_EQ(info.madeDate(), Variant("2024-13-45"));
  info.setInventoryProperty(ISTMassDay, Variant::Null);
  EXPECT_TRUE(info.massDay().isNull());

  info.setInventoryProperty(ISTInventory, int32_t{12});
  EXPECT_EQ(info.inventoryId(), "12");
  Error e = CaughtError([&] { info.setInventoryProperty(ISTInventoryClass, Variant::Null); });
  EXPECT_EQ(e.number(), Error::kInvalidUseOfNull);
  info.setInventoryClassId("C1");
  CaughtError([&] { info.setInventoryProperty(ISTInventoryClass, Variant::Null); });
  EXPECT_EQ(info.inventoryClassId(), "C1");
}

TEST(ModelInventoryInfo, FreeItemIndexOutsideOneToTenFails) {
  clsInventoryInfo info;
  EXPECT_NE(CaughtError([&] { info.Free(0); }).number(), 0);
  EXPECT_NE(CaughtError([&] { info.setFree(11, "x"); }).number(), 0);
}

TEST(ModelInventoryInfo, CloneCopiesEveryPropertyIntoANewRecord) {
  auto info = FullInfo();
  auto copy = std::dynamic_pointer_cast<clsInventoryInfo>(info->Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, info);
  EXPECT_EQ(Properties(*copy), Properties(*info));
  EXPECT_TRUE(copy->madeDate().isDate());
  EXPECT_TRUE(copy->disableDate().isNull());

  copy->setInventorySpec("M8");
  copy->setFree7("changed");
  copy->setInventoryId("I002");
  EXPECT_EQ(info->inventorySpec(), Variant("M6"));
  EXPECT_EQ(info->free7(), Variant("f7"));
  EXPECT_EQ(info->inventoryId(), "I001");
}

TEST(ModelInventoryInfo, CopyToOverwritesTheTarget) {
  auto target = FullInfo();
  clsInventoryInfo().CopyTo(target);
  EXPECT_EQ(Properties(*target), Properties(clsInventoryInfo()));
}

TEST(ModelInventoryInfo, CopyToRefusesEmptyAndForeignTargets) {
  auto info = FullInfo();
  std::shared_ptr<ICloneable> empty;
  Error e = CaughtError([&] { info->CopyTo(empty); });
  EXPECT_EQ(e.number(), Error::kLibraryNumber);
  EXPECT_EQ(e.source(), "Assert");
  EXPECT_EQ(e.description(), "CopyTo的参数类型必须是clsInventoryInfo，且不能为空");

  std::shared_ptr<ICloneable> foreign = std::make_shared<clsBarCodeRuleItem>();
  EXPECT_EQ(CaughtError([&] { info->CopyTo(foreign); }).number(), Error::kTypeMismatch);
}

}  // namespace
}  // namespace quillstone
