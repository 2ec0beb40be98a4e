// Listing the registry one row at a time: the same rows as the list, and reading stops when the
// visitor says so, leaving the connection free.
#include <algorithm>

#include "barcodes/BarCodeTestSupport.h"

using namespace quillstone;

namespace {

class RegistryStreamingTest : public BarCodeTest {};

TEST_P(RegistryStreamingTest, VisitsTheListsRowsAndStopsWhenAsked) {
  for (const char* code : {"S1", "S2", "S3", "S4", "S5"}) InsertRow(code, "P001", {{"cBatch", Variant("L1")}});
  std::vector<std::string> visited;
  bm->ForEachInventoryBarCodeSet("cBarCode >= ?", {Variant("S2")}, [&](const auto& set) {
    visited.push_back(set->barCode());
    return visited.size() < 2;
  });
  // In the order the database gives them (no order is asked for).
  ASSERT_EQ(visited.size(), 2u);
  for (const auto& code : visited) EXPECT_TRUE(code >= "S2" && code <= "S5") << code;
  // The statement was let go: the connection runs the next one at once, in and out of a
  // transaction.
  EXPECT_EQ(bm->ListInventoryBarCodeSets("cBarCode >= ?", {Variant("S2")})->Count(), 4);
  conn->Execute("delete from InventoryBarCodeSet where cBarCode = 'S5'");

  std::vector<std::string> all;
  bm->ForEachInventoryBarCodeSet("", {}, [&](const auto& set) {
    all.push_back(set->barCode() + "/" + set->invInfo()->batchNo().toString());
    return true;
  });
  std::sort(all.begin(), all.end());
  EXPECT_EQ(all, (std::vector<std::string>{"S1/L1", "S2/L1", "S3/L1", "S4/L1"}));
}

QS_INSTANTIATE_BACKENDS(RegistryStreamingTest);

}  // namespace
