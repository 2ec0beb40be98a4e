#include "quillstone/sources/clsItemSourceManager.h"

#include <gtest/gtest.h>

#include "quillstone/platform/Connection.h"
#include "src/quillstone/sources/clsFreeItemSource.h"
#include "quillstone/sources/clsItemSource.h"
#include "support/CaughtError.h"
#include "support/SystemTest.h"

using namespace quillstone;
using quillstone::test::CaughtError;

namespace {

class ItemSourceManagerTest : public SystemTest {};

TEST_P(ItemSourceManagerTest, HandsOutOneSharedSourcePerType) {
  auto manager = sys.GetItemSourceManager();
  auto free3 = std::dynamic_pointer_cast<clsFreeItemSource>(manager->GetItemSource(ISTFree3));
  ASSERT_NE(free3, nullptr);
  EXPECT_EQ(free3->freeItemType(), ISTFree3);
  EXPECT_EQ(free3->itemType(), ISTFree3);
  EXPECT_EQ(manager->GetItemSource(ISTFree3), free3);
  for (int32_t t = ISTInventory; t <= ISTOther; ++t) EXPECT_EQ(manager->GetItemSource(t)->itemType(), t) << t;
}

TEST_P(ItemSourceManagerTest, BoundsAreChecked) {
  auto manager = sys.GetItemSourceManager();
  for (int32_t bad : {25, -1}) {
    Error e = CaughtError([&] { manager->GetItemSource(bad); });
    EXPECT_EQ(e.description(), "越界错误");
    EXPECT_EQ(e.source(), "Assert");
  }
}

TEST_P(ItemSourceManagerTest, ListIsACopyOfTheSameSources) {
  auto manager = sys.GetItemSourceManager();
  auto list = manager->ListItemSources();
  ASSERT_EQ(list->Count(), 25);
  EXPECT_EQ(list->Item(ISTBatch + 1), manager->GetItemSource(ISTBatch));
  list->Remove(1);
  EXPECT_EQ(manager->ListItemSources()->Count(), 25);
}

TEST_P(ItemSourceManagerTest, NamesAreTrimmedAndLengthsTaken) {
  conn->Execute("update ItemSourceType set sourceName = ?, length = ? where sourceType = ?",
                {Variant("  批号  "), Variant(int64_t{7}), Variant(int64_t{ISTBatch})});
  RestartAs("admin");
  auto batch = Source(ISTBatch);
  EXPECT_EQ(batch->sourceName(), "批号");
  EXPECT_EQ(batch->length(), 7);
}

TEST_P(ItemSourceManagerTest, AGappedOrMisorderedTableIsRefusedAtStart) {
  conn->Execute("delete from ItemSourceType where sourceType = ?", {Variant(int64_t{ISTWarehouse})});
  sys.ExitSystem();
  Error gap = CaughtError([&] { sys.InitSystem(login, conn); });
  EXPECT_EQ(gap.source(), "Error");
  EXPECT_NE(gap.description().find("ItemSourceType"), std::string::npos) << gap.description();
  EXPECT_EQ(sys.context(), nullptr);

  conn->Execute("insert into ItemSourceType (sourceType, sourceName, length) values (?, ?, ?)",
                {Variant(int64_t{ISTWarehouse}), Variant("仓库"), Variant(int64_t{0})});
  conn->Execute("delete from ItemSourceType where sourceType = ?", {Variant(int64_t{ISTOther})});
  Error shorter = CaughtError([&] { sys.InitSystem(login, conn); });
  EXPECT_NE(shorter.description().find("ItemSourceType"), std::string::npos) << shorter.description();

  conn->Execute("insert into ItemSourceType (sourceType, sourceName, length) values (?, ?, ?)",
                {Variant(int64_t{ISTOther}), Variant("其它"), Variant(int64_t{0})});
  sys.InitSystem(login, conn);
  EXPECT_EQ(sys.GetItemSourceManager()->ListItemSources()->Count(), 25);
}

QS_INSTANTIATE_BACKENDS(ItemSourceManagerTest);

}  // namespace
