#include <gtest/gtest.h>

#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/host/HostUserVO.h"
#include "src/quillstone/sources/clsFreeItemSource.h"
#include "sources/SegmentFrame.h"
#include "support/CaughtError.h"
#include "support/SystemTest.h"

namespace quillstone {
namespace {

using namespace test;

class FreeItemSourceTest : public SystemTest {
 protected:
  std::shared_ptr<clsFreeItemSource> Free(ItemSourceType type) const {
    return std::dynamic_pointer_cast<clsFreeItemSource>(Source(type));
  }
  // Made and initialised by hand over the test's context, after the test changed the definitions.
  std::shared_ptr<clsFreeItemSource> Fresh(ItemSourceType type) const {
    auto source = std::make_shared<clsFreeItemSource>();
    source->setFreeItemType(type);
    source->InitSource(context());
    return source;
  }
};

TEST_P(FreeItemSourceTest, RoundTripsTheDemoValuesUnderTheFreeItemsName) {
  struct Case {
    ItemSourceType type;
    int16_t length;
    const char* name;
    const char* value;
    const char* code;
  };
  for (Case c : {Case{ISTFree1, 2, "颜色", "黑色", "01"}, Case{ISTFree2, 1, "尺码", "XL", "4"},
                 Case{ISTFree3, 2, "产地", "北京", "BJ"}}) {
    auto source = Free(c.type);
    source->setSourceName("自由项");
    EXPECT_EQ(source->sourceName(), c.name);
    auto f = MakeSegmentFrame(c.type, c.length, "");
    f.info->setInventoryProperty(c.type, Variant(c.value));
    auto decoded = RoundTrip(*source, f);
    EXPECT_EQ(f.segment->value(), c.code);
    EXPECT_EQ(decoded->InventoryProperty(c.type), Variant(c.value));
  }
  EXPECT_EQ(Free(ISTFree4)->sourceName(), "自由项4") << "a definition without a name";
}

TEST_P(FreeItemSourceTest, VerifyAndDecodeNameWhatFails) {
  auto colour = Free(ISTFree1);
  auto f = MakeSegmentFrame(ISTFree1, 2, "");
  f.info->setFree1(Variant("紫色"));
  colour->Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), "  ") << "a value that is not permitted encodes as blanks";
  ExpectRaised(CaughtError([&] { colour->Verify(f.info, f.segment, f.item); }), "Assert", "基础档案中找不到颜色'紫色'");

  f.info->setFree1(Variant("黑色"));
  f.segment->setValue("010");
  ExpectRaised(CaughtError([&] { colour->Verify(f.info, f.segment, f.item); }), "Assert",
               "颜色的条码长度与条码规则中规定的长度不一致，要求长度 2 ，实际长度 3");
  f.segment->setValue("02");
  ExpectRaised(CaughtError([&] { colour->Verify(f.info, f.segment, f.item); }), "Assert",
               "颜色的值与条码不一致，对应条码应为 '01'，但实际条码为'02'");
  f.segment->setValue("99");
  ExpectRaised(CaughtError([&] { colour->Decode(f.info, f.item, f.segment); }), "Assert",
               "找不到指定条码'99'对应的颜色");
  EXPECT_EQ(f.info->free1(), Variant("黑色"));
}

TEST_P(FreeItemSourceTest, ValuesAreLookedUpAsThemselves) {
  conn->Execute("insert into UserDefine (cID, cValue, cBarCode) values (?, ?, ?)",
                {Variant("3"), Variant("O'Hare"), Variant("OH")});
  auto origin = Free(ISTFree3);
  auto f = MakeSegmentFrame(ISTFree3, 2, "");
  f.info->setFree3(Variant("O'Hare"));
  EXPECT_EQ(RoundTrip(*origin, f)->free3(), Variant("O'Hare"));

  f.info->setFree3(Variant("x' or cValue <> '"));
  origin->Encode(f.info, f.item, f.segment);
  EXPECT_EQ(f.segment->value(), "  ");
}

TEST_P(FreeItemSourceTest, StoredCodesAreComparedWithoutTheirBlanks) {
  conn->Execute("update UserDefine set cBarCode = ? where cID = ? and cValue = ?",
                {Variant("02  "), Variant("1"), Variant("白色")});
  auto f = MakeSegmentFrame(ISTFree1, 2, "");
  f.info->setFree1(Variant("白色"));
  EXPECT_EQ(RoundTrip(*Free(ISTFree1), f)->free1(), Variant("白色"));
  EXPECT_EQ(f.segment->value(), "02");
}

TEST_P(FreeItemSourceTest, AMissingOrUnreadableDefinitionFailsTheStart) {
  auto plain = std::make_shared<clsFreeItemSource>();
  plain->InitSource(context());
  EXPECT_EQ(plain->itemType(), ISTInventory);
  EXPECT_EQ(plain->FreeItemId(), "0") << "no free item, nothing loaded";

  conn->Execute("update UserDef set cID = ? where cItem = ?", {Variant("x7"), Variant("自由项7")});
  EXPECT_EQ(CaughtError([&] { Fresh(ISTFree7); }).number(), Error::kTypeMismatch);
  conn->Execute("update UserDef set cID = ? where cItem = ?", {Variant("7"), Variant("自由项7")});

  conn->Execute("delete from UserDef where cItem = ?", {Variant("自由项6")});
  ExpectRaised(CaughtError([&] { Fresh(ISTFree6); }), "Assert", "不能获得自由项信息");
  sys.ExitSystem();
  EXPECT_EQ(CaughtError([&] { sys.InitSystem(login, conn); }).description(), "不能获得自由项信息");
}

TEST(FreeItemSource, VerifyAssignDemandsTheItemsOwnFlag) {
  auto inv = std::make_shared<HostUserVO>();
  inv->freeManaged[1] = Variant(int32_t{1});
  clsFreeItemSource source;
  EXPECT_TRUE(source.VerifyAssign(inv, nullptr)) << "no free item, no check";
  source.setFreeItemType(ISTFree2);
  EXPECT_TRUE(source.VerifyAssign(inv, nullptr));
  source.setFreeItemType(ISTFree10);
  ExpectRaised(CaughtError([&] { source.VerifyAssign(inv, nullptr); }), "Assert",
               "规则要求存货必须是自由项10管理的，但该存货并非自由项10管理.");
}

QS_INSTANTIATE_BACKENDS(FreeItemSourceTest);

}  // namespace
}  // namespace quillstone
