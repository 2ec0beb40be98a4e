// Lookups and lists under a user's data rights give the same answers whichever way the rights
// reach the query: as rows of the temporary table, or verbatim inside a transaction that may write.
#include "barcodes/BarCodeTestSupport.h"
#include "src/quillstone/platform/ReadScope.h"
#include "quillstone/platform/Transaction.h"

using namespace quillstone;

namespace {

class DataRightsLookupTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    if (HasFatalFailure()) return;
    for (const char* item : {"P001", "P002", "S001"}) InsertRow(std::string("B-") + item, item);
  }
  // Which of the three barcodes the session sees, by lookup and by list.
  std::string Seen() {
    std::string seen;
    for (const char* item : {"P001", "P002", "S001"})
      if (bm->LoadInventoryBarCodeSet(std::string("B-") + item) != nullptr) seen += std::string(item) + " ";
    seen += "| " + std::to_string(bm->ListInventoryBarCodeSets()->Count());
    return seen;
  }
};

TEST_P(DataRightsLookupTest, TheSameAnswerInEveryKindOfTransaction) {
  const std::pair<const char*, const char*> users[] = {
      {"admin", "P001 P002 S001 | 3"}, {"limited", "P001 P002 | 2"}, {"blind", "| 0"}};
  for (const auto& [user, expected] : users) {
    RestartAs(user);
    {
      Transaction transaction(*conn);  // before the rows exist: the list goes in verbatim
      EXPECT_EQ(Seen(), expected) << user;
    }
    EXPECT_EQ(Seen(), expected) << user;  // now from the temporary table
    {
      ReadScope reads(*conn);
      EXPECT_EQ(Seen(), expected) << user;
    }
    Transaction transaction(*conn);  // the rows are there now, and used
    EXPECT_EQ(Seen(), expected) << user;
  }
}

TEST_P(DataRightsLookupTest, TwoSessionsOnOneConnectionKeepTheirOwnRights) {
  RestartAs("limited");
  EXPECT_EQ(Seen(), "P001 P002 | 2");
  RestartAs("admin");
  EXPECT_EQ(Seen(), "P001 P002 S001 | 3");
  RestartAs("limited");
  EXPECT_EQ(Seen(), "P001 P002 | 2");
}

TEST_P(DataRightsLookupTest, ItemsAreSeenAndDescribedAsTheRightsAllow) {
  const std::pair<const char*, const char*> users[] = {{"admin", "P001 P002 S001 X999 "}, {"limited", "P001 P002 "}, {"blind", ""}};
  for (const auto& [user, expected] : users) {
    RestartAs(user);
    std::string seen;
    for (const char* item : {"P001", "P002", "S001", "X999"})
      if (bm->CanSeeInventory(item)) seen += std::string(item) + " ";
    EXPECT_EQ(seen, expected) << user;
  }
  clsInventoryInfo info;
  info.setInventoryId("P001");
  bm->DescribeInventory(info);
  EXPECT_FALSE(info.inventoryName().empty());
  EXPECT_FALSE(info.inventoryClassId().empty());
  EXPECT_FALSE(info.inventoryClassName().empty());
}

QS_INSTANTIATE_BACKENDS(DataRightsLookupTest);

}  // namespace
