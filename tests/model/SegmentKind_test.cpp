// The one table of segment kinds: complete and in value order, found by rule-file name, and the
// source of the catalogue rows the database is created with.
#include "quillstone/model/SegmentKind.h"

#include <gtest/gtest.h>

#include "quillstone/server/schema/Schema.h"
#include "support/BackendTest.h"

using namespace quillstone;

namespace {

TEST(SegmentKindTest, EveryValueHasItsRowAndNamesFindThem) {
  ASSERT_EQ(SegmentKind::All().size(), static_cast<std::size_t>(ISTOther) + 1);
  for (std::size_t k = 0; k < SegmentKind::All().size(); ++k) {
    const SegmentKind& kind = SegmentKind::All()[k];
    EXPECT_EQ(static_cast<std::size_t>(kind.type), k);
    EXPECT_EQ(SegmentKind::Named(kind.jsonName), &kind);
    // A kind that fills a property names it in messages.
    EXPECT_EQ(std::string(kind.registryColumn).empty(), std::string(kind.role).empty()) << kind.jsonName;
  }
  EXPECT_EQ(SegmentKind::Named("batch")->type, ISTBatch);
  EXPECT_EQ(SegmentKind::Named("istFREE10")->type, ISTFree10);
  EXPECT_EQ(SegmentKind::Named("ISTNothing"), nullptr);
  EXPECT_EQ(SegmentKind::Of(-1), nullptr);
  EXPECT_EQ(SegmentKind::Of(ISTOther + 1), nullptr);
}

class SegmentKindCatalogueTest : public BackendTest {};

TEST_P(SegmentKindCatalogueTest, TheDatabaseCatalogueIsTheTable) {
  Schema::Create(*conn);
  auto rs = conn->Query("select sourceType, sourceName, length from ItemSourceType order by sourceType");
  std::size_t rows = 0;
  for (; !rs->IsEOF(); rs->MoveNext(), ++rows) {
    const SegmentKind* kind = SegmentKind::Of(static_cast<int32_t>(rs->Field("sourceType").toInt64()));
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(rs->Field("sourceName").toString(), kind->catalogueName);
    EXPECT_EQ(rs->Field("length").toInt64(), kind->defaultLength);
  }
  EXPECT_EQ(rows, SegmentKind::All().size());
}

QS_INSTANTIATE_BACKENDS(SegmentKindCatalogueTest);

}  // namespace
