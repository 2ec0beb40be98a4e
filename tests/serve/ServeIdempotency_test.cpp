// Idempotency keys beyond the plain retry: a key left claimed by a request that died, and a key
// sent again with another body.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <string>

#include "quillstone/platform/Variant.h"
#include "quillstone/service/TokenStore.h"
#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

class ServeIdempotencyTest : public ServeTest {
 protected:
  // What a request that claimed `key` at `claimed` and never answered leaves behind.
  void LeavePendingKey(const std::string& key, std::chrono::system_clock::time_point claimed) {
    conn->Execute("insert into QsIdempotencyKey (cUserId, cKey, nStatus, cCreated) values (?, ?, 0, ?)",
                  {Variant("admin"), Variant(key), Variant(service::TokenStore::TimeText(claimed))});
  }
  httplib::Result RegisterWithKey(const std::string& token, const std::string& key, const std::string& body) {
    return Post("/api/v1/barcodes", token, body, {{"Idempotency-Key", key}});
  }
};

TEST_P(ServeIdempotencyTest, FreesAKeyOfARequestThatDied) {
  const std::string admin = Token("admin");
  const std::string body = R"({"inventoryId": "P001", "batchNo": "LOT001"})";
  LeavePendingKey("order-running", std::chrono::system_clock::now());
  ExpectError(RegisterWithKey(admin, "order-running", body), 409, "正在处理");
  LeavePendingKey("order-died", std::chrono::system_clock::now() - std::chrono::hours(1));
  auto retried = RegisterWithKey(admin, "order-died", body);
  ASSERT_TRUE(retried);
  EXPECT_EQ(retried->status, 201) << retried->body;
  auto again = RegisterWithKey(admin, "order-died", body);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->body, retried->body);
  EXPECT_EQ(cli_->Json({"list"}).size(), 1u);
}

TEST_P(ServeIdempotencyTest, RefusesAKeyReusedForAnotherBody) {
  const std::string admin = Token("admin");
  auto first = RegisterWithKey(admin, "order-17", R"({"inventoryId": "P001", "batchNo": "LOT001"})");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->status, 201) << first->body;
  ExpectError(RegisterWithKey(admin, "order-17", R"({"inventoryId": "P001", "batchNo": "LOT002"})"), 422,
              "Idempotency-Key'order-17'已用于内容不同的另一个请求");
  // The same content written differently is the same request.
  auto reordered = RegisterWithKey(admin, "order-17", R"({ "batchNo":"LOT001",  "inventoryId":"P001" })");
  ASSERT_TRUE(reordered);
  EXPECT_EQ(reordered->status, 201) << reordered->body;
  EXPECT_EQ(reordered->body, first->body);
  // Keys are the user's own: another user's same key is another request.
  auto limited = RegisterWithKey(Token("limited"), "order-17", R"({"inventoryId": "P001", "batchNo": "LOT002"})");
  ASSERT_TRUE(limited);
  EXPECT_EQ(limited->status, 201) << limited->body;
  EXPECT_EQ(cli_->Json({"list"}).size(), 2u);
}

QS_INSTANTIATE_BACKENDS(ServeIdempotencyTest);

}  // namespace
}  // namespace quillstone::test
