// Bulk registration over HTTP: "count" barcodes in one request, all or none, once per
// idempotency key, and only for items the user may see.
#include <gtest/gtest.h>
#include <httplib.h>

#include <set>
#include <string>

#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

class ServeBulkTest : public ServeTest {
 protected:
  static std::string Bulk(const std::string& item, const nlohmann::json& count) {
    return nlohmann::json{{"inventoryId", item}, {"batchNo", "LOT001"}, {"count", count}}.dump();
  }
  // The barcodes of a 201 answer to a bulk registration.
  static std::set<std::string> Registered(const httplib::Result& r) {
    std::set<std::string> codes;
    EXPECT_TRUE(r && r->status == 201) << (r ? r->body : "no answer");
    if (!r || r->status != 201) return codes;
    const auto answer = nlohmann::json::parse(r->body);
    for (const auto& item : answer["items"]) {
      EXPECT_EQ(item["invInfo"]["inventoryId"], "P001");
      codes.insert(item["barCode"]);
    }
    return codes;
  }
};

TEST_P(ServeBulkTest, RegistersACountOnceForARetriedKey) {
  const std::string admin = Token("admin");
  EXPECT_EQ(Registered(Post("/api/v1/barcodes", admin, Bulk("P001", 300))).size(), 300u);

  auto first = Post("/api/v1/barcodes", admin, Bulk("P001", 20), {{"Idempotency-Key", "bulk-1"}});
  auto retry = Post("/api/v1/barcodes", admin, Bulk("P001", 20), {{"Idempotency-Key", "bulk-1"}});
  const auto codes = Registered(first);
  EXPECT_EQ(codes.size(), 20u);
  EXPECT_EQ(Registered(retry), codes);
  ExpectError(Post("/api/v1/barcodes", admin, Bulk("P001", 21), {{"Idempotency-Key", "bulk-1"}}), 422,
              "Idempotency-Key'bulk-1'已用于内容不同的另一个请求");
  EXPECT_EQ(cli_->Json({"list"}).size(), 320u);
}

TEST_P(ServeBulkTest, RefusesABadCountAndAnItemOutsideTheUsersRights) {
  const std::string admin = Token("admin");
  for (const nlohmann::json& count :
       {nlohmann::json(0), nlohmann::json(10001), nlohmann::json("5"), nlohmann::json(2.5)})
    ExpectError(Post("/api/v1/barcodes", admin, Bulk("P001", count)), 400, "'count'");
  ExpectError(Post("/api/v1/barcodes", Token("limited"), Bulk("S001", 5)), 404, "没有存货'S001'的访问权限");
  ExpectError(Post("/api/v1/barcodes", Token("clerk"), Bulk("P001", 5)), 403, "您没有生成条码的权限.");
  EXPECT_TRUE(cli_->Json({"list"}).empty());
}

QS_INSTANTIATE_BACKENDS(ServeBulkTest);

}  // namespace
}  // namespace quillstone::test
