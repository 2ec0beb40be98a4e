// The six master-data sources against the demo data, on both backends.
#include <gtest/gtest.h>

#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/host/HostUserVO.h"
#include "sources/SegmentFrame.h"
#include "support/CaughtError.h"
#include "support/SystemTest.h"

namespace quillstone {
namespace {

using namespace test;

constexpr ItemSourceType kMasterTypes[] = {ISTInventory, ISTInventoryClass, ISTVendor,
                                           ISTWarehouse, ISTPosition,       ISTInventoryUnit};

class MasterDataItemSources : public SystemTest {
 protected:
  void AddVendor(const std::string& code, const Variant& barCode) {
    conn->Execute("insert into Vendor (cVenCode, cVenName, cBarCode) values (?, ?, ?)",
                  {Variant(code), Variant("测试供应商"), barCode});
  }
  SegmentFrame VendorFrame(const Variant& vendorId, int16_t length = 3) {
    auto f = MakeSegmentFrame(ISTVendor, length, "");
    f.info->setVendorId(vendorId);
    return f;
  }
};

TEST_P(MasterDataItemSources, RuleItemLengthMustLieWithinTheRule) {
  for (ItemSourceType type : kMasterTypes) {
    auto source = Source(type);
    EXPECT_EQ(source->itemType(), type);
    ExpectRaised(CaughtError([&] { source->VerifyRuleItem(MakeSegmentFrame(type, 0, "").item); }), "Assert",
                 "条码规则项长度不能小于1");
    ExpectRaised(CaughtError([&] { source->VerifyRuleItem(MakeSegmentFrame(type, 11, "", 10).item); }), "Assert",
                 "条码规则项长度不能大于条码总长度");
    EXPECT_TRUE(source->VerifyRuleItem(MakeSegmentFrame(type, 10, "", 10).item));
  }
}

TEST_P(MasterDataItemSources, DemoRecordsRoundTrip) {
  struct Case {
    ItemSourceType type;
    const char* code;
    const char* barCode;
  };
  for (const Case& c : {Case{ISTInventoryClass, "0101001", "13"}, Case{ISTVendor, "V002", "902"},
                        Case{ISTWarehouse, "03", "53"}, Case{ISTInventoryUnit, "0302", "32"}}) {
    auto f = MakeSegmentFrame(c.type, static_cast<int16_t>(std::string(c.barCode).size()), "");
    f.info->setInventoryProperty(c.type, Variant(c.code));
    auto decoded = RoundTrip(*Source(c.type), f);
    EXPECT_EQ(f.segment->value(), c.barCode);
    EXPECT_EQ(decoded->InventoryProperty(c.type), Variant(c.code)) << c.code;
  }
}

TEST_P(MasterDataItemSources, DecodingAnItemGivesItsNamesAndClass) {
  auto f = MakeSegmentFrame(ISTInventory, 6, "");
  f.info->setInventoryId("P001");
  auto decoded = RoundTrip(*Source(ISTInventory), f);
  EXPECT_EQ(f.segment->value(), "100001");
  EXPECT_EQ(decoded->inventoryId(), "P001");
  EXPECT_EQ(decoded->inventoryName(), "智能手机X1");
  EXPECT_EQ(decoded->inventoryClassId(), "0101001");
  EXPECT_EQ(decoded->inventoryClassName(), "智能手机");

  // An item without a class decodes with empty class fields; a blank code counts as no code.
  f.segment->setValue("500001");
  decoded->setInventoryId("  ");
  Source(ISTInventory)->Decode(decoded, f.item, f.segment);
  EXPECT_EQ(decoded->inventoryId(), "N001");
  EXPECT_EQ(decoded->inventoryName(), "无分类样品");
  EXPECT_EQ(decoded->inventoryClassId(), "");
  EXPECT_EQ(decoded->inventoryClassName(), "");

  auto cls = MakeSegmentFrame(ISTInventoryClass, 2, "");
  cls.info->setInventoryClassId("0301");
  auto decodedClass = RoundTrip(*Source(ISTInventoryClass), cls);
  EXPECT_EQ(decodedClass->inventoryClassName(), "乳制品");
}

TEST_P(MasterDataItemSources, DecodingAnotherItemThanTheInfoNamesIsRefused) {
  auto f = MakeSegmentFrame(ISTInventory, 6, "");
  f.segment->setValue("100001");
  f.info->setInventoryId("P002");
  ExpectRaised(CaughtError([&] { Source(ISTInventory)->Decode(f.info, f.item, f.segment); }), "Assert",
               "条码对应的存货并非存货'P002',要求存货'P001'.");
  EXPECT_EQ(f.info->inventoryId(), "P002");
  EXPECT_EQ(f.info->inventoryName(), "");
}

TEST_P(MasterDataItemSources, DecodingAPositionGivesItsWarehouse) {
  auto f = MakeSegmentFrame(ISTPosition, 3, "");
  f.info->setInvPositionId(Variant("0201"));
  auto decoded = RoundTrip(*Source(ISTPosition), f);
  EXPECT_EQ(f.segment->value(), "621");
  EXPECT_EQ(decoded->invPositionId(), Variant("0201"));
  EXPECT_EQ(decoded->warehouseId(), Variant("02"));

  // A position outside any warehouse clears the warehouse.
  f.segment->setValue("699");
  decoded->setWarehouseId(Variant("01"));
  Source(ISTPosition)->Decode(decoded, f.item, f.segment);
  EXPECT_EQ(decoded->invPositionId(), Variant("9901"));
  EXPECT_EQ(decoded->warehouseId(), Variant(""));
}

TEST_P(MasterDataItemSources, DoubleByteBarCodesCountInAnsiBytes) {
  AddVendor("V100", Variant("华强"));
  auto f = VendorFrame(Variant("V100"), 4);
  auto decoded = RoundTrip(*Source(ISTVendor), f);
  EXPECT_EQ(f.segment->value(), "华强");
  EXPECT_EQ(decoded->vendorId(), Variant("V100"));

  auto twoBytes = VendorFrame(Variant("V100"), 2);
  twoBytes.segment->setValue("华强");
  ExpectRaised(CaughtError([&] { Source(ISTVendor)->Verify(twoBytes.info, twoBytes.segment, twoBytes.item); }),
               "Assert", "供应商的条码长度与条码规则中规定的长度不一致，要求长度 2 ，实际长度 4");
}

TEST_P(MasterDataItemSources, VerifyNamesTheFailingCheck) {
  auto vendor = Source(ISTVendor);
  auto f = VendorFrame(Variant("V001"));
  f.segment->setValue("90");
  ExpectRaised(CaughtError([&] { vendor->Verify(f.info, f.segment, f.item); }), "Assert",
               "供应商的条码长度与条码规则中规定的长度不一致，要求长度 3 ，实际长度 2");
  f.segment->setValue("902");
  ExpectRaised(CaughtError([&] { vendor->Verify(f.info, f.segment, f.item); }), "Assert",
               "供应商与条码段值不一致，对应条码应为 '901'，但实际条码为'902'");
  f.info->setVendorId(Variant("V999"));
  ExpectRaised(CaughtError([&] { vendor->Verify(f.info, f.segment, f.item); }), "Assert",
               "基础档案中找不到供应商'V999'");

  struct Case {
    ItemSourceType type;
    const char* noun;
  };
  for (const Case& c : {Case{ISTInventory, "存货"}, Case{ISTInventoryClass, "存货分类"}, Case{ISTWarehouse, "仓库"},
                        Case{ISTPosition, "货位"}, Case{ISTInventoryUnit, "计量单位"}}) {
    auto g = MakeSegmentFrame(c.type, 2, "");
    g.segment->setValue("XY");
    g.info->setInventoryProperty(c.type, Variant("NONE"));
    ExpectRaised(CaughtError([&] { Source(c.type)->Verify(g.info, g.segment, g.item); }), "Assert",
                 std::string("基础档案中找不到") + c.noun + "'NONE'");
  }
  auto unit = MakeSegmentFrame(ISTInventoryUnit, 2, "");
  unit.info->setUnit(Variant("0101"));
  unit.segment->setValue("12");
  ExpectRaised(CaughtError([&] { Source(ISTInventoryUnit)->Verify(unit.info, unit.segment, unit.item); }), "Assert",
               "计量单位与条码段值不一致，对应条码应为 '11'，但实际条码为'12'");
}

TEST_P(MasterDataItemSources, InfoWithoutACodeEncodesBlanksButTheWarehouseNothing) {
  auto vendor = VendorFrame(Variant());
  Source(ISTVendor)->Encode(vendor.info, vendor.item, vendor.segment);
  EXPECT_EQ(vendor.segment->value(), "   ");
  ExpectRaised(CaughtError([&] { Source(ISTVendor)->Verify(vendor.info, vendor.segment, vendor.item); }), "Assert",
               "基础档案中找不到供应商''");

  auto warehouse = MakeSegmentFrame(ISTWarehouse, 2, "");
  Source(ISTWarehouse)->Encode(warehouse.info, warehouse.item, warehouse.segment);
  EXPECT_EQ(warehouse.segment->value(), "");
  ExpectRaised(CaughtError([&] { Source(ISTWarehouse)->Verify(warehouse.info, warehouse.segment, warehouse.item); }),
               "Assert", "仓库的条码长度与条码规则中规定的长度不一致，要求长度 2 ，实际长度 0");

  // A Null code cannot be made text; Verify treats it as the empty code.
  auto null = VendorFrame(Variant::Null);
  Error e = CaughtError([&] { Source(ISTVendor)->Encode(null.info, null.item, null.segment); });
  EXPECT_EQ(e.number(), Error::kInvalidUseOfNull);
  null.segment->setValue("901");
  ExpectRaised(CaughtError([&] { Source(ISTVendor)->Verify(null.info, null.segment, null.item); }), "Assert",
               "基础档案中找不到供应商''");
}

TEST_P(MasterDataItemSources, RecordWithoutBarCodeEncodesAnEmptySegment) {
  AddVendor("V101", Variant::Null);
  auto f = VendorFrame(Variant("V101"));
  Source(ISTVendor)->Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), "");
  f.segment->setValue("999");
  ExpectRaised(CaughtError([&] { Source(ISTVendor)->Verify(f.info, f.segment, f.item); }), "Assert",
               "供应商与条码段值不一致，对应条码应为 ''，但实际条码为'999'");
}

TEST_P(MasterDataItemSources, StoredBarCodeIsTrimmedTheSegmentIsNot) {
  AddVendor("V102", Variant("904 "));
  auto f = VendorFrame(Variant("V102"));
  f.segment->setValue("904");
  EXPECT_TRUE(Source(ISTVendor)->Verify(f.info, f.segment, f.item));

  auto padded = VendorFrame(Variant("V102"), 4);
  Source(ISTVendor)->Encode(padded.info, padded.item, padded.segment);
  EXPECT_EQ(padded.segment->value(), "904 ");
  ExpectRaised(CaughtError([&] { Source(ISTVendor)->Verify(padded.info, padded.segment, padded.item); }), "Assert",
               "供应商与条码段值不一致，对应条码应为 '904'，但实际条码为'904 '");
}

TEST_P(MasterDataItemSources, DecodeRefusesAnUnknownSegment) {
  struct Case {
    ItemSourceType type;
    const char* suffix;
  };
  for (const Case& c : {Case{ISTInventory, "'对应的存货"}, Case{ISTInventoryClass, "'对应的存货分类"},
                        Case{ISTVendor, "'对应的供应商"}, Case{ISTWarehouse, "'对应的仓库"},
                        Case{ISTPosition, "'对应的库位"}, Case{ISTInventoryUnit, "'对应的计量单位"}}) {
    auto f = MakeSegmentFrame(c.type, 3, "");
    f.segment->setValue("000");
    ExpectRaised(CaughtError([&] { Source(c.type)->Decode(f.info, f.item, f.segment); }), "Assert",
                 std::string("找不到指定条码'000") + c.suffix);
  }
}

TEST_P(MasterDataItemSources, QuotesInCodesAreLookedUpAsThemselves) {
  AddVendor("V'01", Variant("9'5"));
  auto f = VendorFrame(Variant("V'01"));
  auto decoded = RoundTrip(*Source(ISTVendor), f);
  EXPECT_EQ(f.segment->value(), "9'5");
  EXPECT_EQ(decoded->vendorId(), Variant("V'01"));

  auto sneaky = VendorFrame(Variant("x' or '1'='1"));
  Source(ISTVendor)->Encode(sneaky.info, sneaky.item, sneaky.segment);
  EXPECT_EQ(sneaky.segment->value(), "   ");
  ExpectRaised(CaughtError([&] { Source(ISTVendor)->Verify(sneaky.info, sneaky.segment, sneaky.item); }), "Assert",
               "基础档案中找不到供应商'x' or '1'='1'");
  sneaky.segment->setValue("' or ''='");
  ExpectRaised(CaughtError([&] { Source(ISTVendor)->Decode(sneaky.info, sneaky.item, sneaky.segment); }), "Assert",
               "找不到指定条码'' or ''=''对应的供应商");
}

TEST_P(MasterDataItemSources, UnitDemandsAUnitGroupWithConversionRates) {
  auto unit = Source(ISTInventoryUnit);
  auto f = MakeSegmentFrame(ISTInventoryUnit, 2, "");
  auto inv = std::make_shared<HostUserVO>();
  inv->unitGroupType = 0;
  ExpectRaised(CaughtError([&] { unit->VerifyAssign(inv, f.item); }), "Assert",
               "规则要求存货必须是多计量单位管理的，但该存货所属计量单位组的类型为无换算率，是单计量单位管理的.");
  for (int32_t type : {1, 2}) {
    inv->unitGroupType = type;
    EXPECT_TRUE(unit->VerifyAssign(inv, f.item));
  }
  inv->unitGroupType = 0;
  for (ItemSourceType type : kMasterTypes) {
    if (type != ISTInventoryUnit) {
      EXPECT_TRUE(Source(type)->VerifyAssign(inv, f.item));
    }
  }
}

TEST_P(MasterDataItemSources, OnlyVerifyAndDecodeReRaiseDatabaseFailuresAsAssertions) {
  conn->Execute("drop table Vendor");
  auto f = VendorFrame(Variant("V001"));
  Error encode = CaughtError([&] { Source(ISTVendor)->Encode(f.info, f.item, f.segment); });
  EXPECT_EQ(encode.number(), Error::kDatabase);
  f.segment->setValue("901");
  Error verify = CaughtError([&] { Source(ISTVendor)->Verify(f.info, f.segment, f.item); });
  EXPECT_EQ(verify.number(), Error::kLibraryNumber);
  EXPECT_EQ(verify.source(), "Assert");
  EXPECT_FALSE(verify.description().empty());
  Error decode = CaughtError([&] { Source(ISTVendor)->Decode(f.info, f.item, f.segment); });
  EXPECT_EQ(decode.source(), "Assert");
}

QS_INSTANTIATE_BACKENDS(MasterDataItemSources);

}  // namespace
}  // namespace quillstone
