// `quillstone serve` over real sockets on both databases: tokens, the users' function and data
// rights, failures as statuses with the library's messages, idempotent and parallel registration,
// and a graceful stop.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "quillstone/service/TokenStore.h"
#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

TEST_P(ServeTest, ServesOnlyValidTokens) {
  auto health = http_->Get("/health");
  ASSERT_TRUE(health);
  EXPECT_EQ(health->status, 200);
  auto openapi = http_->Get("/openapi.json");
  ASSERT_TRUE(openapi);
  const auto doc = nlohmann::json::parse(openapi->body);
  EXPECT_EQ(doc["openapi"], "3.1.0");
  for (const char* path : {"/api/v1/rules", "/api/v1/rules/{id}", "/api/v1/barcodes/{code}", "/api/v1/barcodes",
                           "/api/v1/scans", "/api/v1/verifications"})
    EXPECT_TRUE(doc["paths"].contains(path)) << path;

  ExpectError(http_->Get("/api/v1/rules"), 401, "令牌");
  ExpectError(http_->Get("/api/v1/rules", Bearer("0123")), 401, "令牌");
  const std::string token = Token("admin");
  auto rules = http_->Get("/api/v1/rules", Bearer(token));
  ASSERT_TRUE(rules);
  EXPECT_EQ(rules->status, 200);
  EXPECT_EQ(nlohmann::json::parse(rules->body)["rules"][0]["ruleId"], "BATCH");

  // Revoked while the service runs; expired when made ten days ago for one day.
  const auto list = cli_->Json({"token", "list"});
  ASSERT_EQ(list.size(), 1u);
  EXPECT_FALSE(list[0].contains("digest"));
  ASSERT_EQ(cli_->Run({"token", "revoke", list[0]["id"].get<std::string>()}).exitCode, 0);
  ExpectError(http_->Get("/api/v1/rules", Bearer(token)), 401, "令牌");
  service::TokenStore store(connectionString(),
                            [] { return std::chrono::system_clock::now() - std::chrono::hours(24 * 10); });
  ExpectError(http_->Get("/api/v1/rules", Bearer(store.Create("admin", 1).token)), 401, "令牌");
  cli_->ExpectRefused({"token", "create", "nobody"}, "用户'nobody'不存在");

  ExpectError(http_->Get("/api/v1/nothing", Bearer(token)), 404, "没有这个接口");
  auto wrongMethod = http_->Delete("/api/v1/rules");
  ASSERT_TRUE(wrongMethod);
  EXPECT_EQ(wrongMethod->status, 405);
  // The access log names the user and never the token.
  const std::string log = server_->Log();
  EXPECT_NE(log.find(R"("user":"admin")"), std::string::npos) << log;
  EXPECT_EQ(log.find(token), std::string::npos);
}

TEST_P(ServeTest, KeepsEachUserToHisRights) {
  const std::string admin = Token("admin");
  const std::string phone = Register(admin, "P001", "LOT001")["barCode"];
  const std::string shirt = Register(admin, "S001", "LOT001")["barCode"];
  const std::string limited = Token("limited");

  auto own = http_->Get(("/api/v1/barcodes/" + phone).c_str(), Bearer(limited));
  ASSERT_TRUE(own);
  EXPECT_EQ(own->status, 200) << own->body;
  EXPECT_EQ(nlohmann::json::parse(own->body)["invInfo"]["inventoryId"], "P001");
  const std::string hidden = "条形码'" + shirt + "'不存在，或者没有对它的访问权限.";
  ExpectError(http_->Get(("/api/v1/barcodes/" + shirt).c_str(), Bearer(limited)), 404, hidden);
  ExpectError(Post("/api/v1/scans", limited, nlohmann::json{{"text", shirt}}.dump()), 404, hidden);
  ExpectError(Post("/api/v1/scans", limited, nlohmann::json{{"text", shirt}, {"ruleId", "BATCH"}}.dump()), 404,
              "不在您的数据权限之内");
  ExpectError(Post("/api/v1/verifications", limited, nlohmann::json{{"text", shirt}}.dump()), 404, "没有权限");
  ExpectError(http_->Get(("/api/v1/barcodes/" + phone).c_str(), Bearer(Token("blind"))), 404, "访问权限");

  auto scan = Post("/api/v1/scans", limited, nlohmann::json{{"text", phone}}.dump());
  ASSERT_TRUE(scan);
  EXPECT_EQ(scan->status, 200) << scan->body;
  EXPECT_EQ(nlohmann::json::parse(scan->body)["kind"], "registered");

  // "clerk" sees every item but holds no right to make barcodes.
  ExpectError(Post("/api/v1/barcodes", Token("clerk"), R"({"inventoryId": "P001", "batchNo": "LOT002"})"), 403,
              "您没有生成条码的权限.");
}

TEST_P(ServeTest, AnswersFailedChecksAndBadRequests) {
  const std::string admin = Token("admin");
  const std::string phone = Register(admin, "P001", "LOT001")["barCode"];
  auto verified = Post("/api/v1/verifications", admin,
                       nlohmann::json{{"text", phone}, {"document", {{"batchNo", "LOT001"}}}}.dump());
  ASSERT_TRUE(verified);
  EXPECT_EQ(verified->status, 200) << verified->body;
  EXPECT_EQ(nlohmann::json::parse(verified->body)["verified"], true);
  ExpectError(Post("/api/v1/verifications", admin,
                   nlohmann::json{{"text", phone}, {"document", {{"batchNo", "LOT009"}}}}.dump()),
              422, "条码信息与当前批号不一致，条码信息中的批号为'LOT001',当前批号为'LOT009'");

  ExpectError(Post("/api/v1/scans", admin, "{\"text\": "), 400, "JSON");
  ExpectError(Post("/api/v1/scans", admin, R"({"text": 5})"), 400, "'text'");
  ExpectError(Post("/api/v1/verifications", admin, R"({"text": "x", "document": {"batchNo": 7}})"), 400,
              "'document.batchNo'");
  ExpectError(Post("/api/v1/barcodes", admin, R"({"inventoryId": "P001", "colour": "red"})"), 400, "'colour'");
  ExpectError(Post("/api/v1/scans", admin, nlohmann::json{{"text", std::string(5000, 'x')}}.dump()), 413, "4096");
  ExpectError(http_->Get("/api/v1/rules/NONE", Bearer(admin)), 404, "条码规则'NONE'不存在");
  ExpectError(Post("/api/v1/barcodes", admin, R"({"inventoryId": "P002"})"), 422, "没有分配条码规则");
}

TEST_P(ServeTest, RegistersOnceForARetriedKey) {
  const std::string admin = Token("admin");
  const std::string body = R"({"inventoryId": "P001", "batchNo": "LOT001"})";
  auto first = Post("/api/v1/barcodes", admin, body, {{"Idempotency-Key", "order-17"}});
  auto retry = Post("/api/v1/barcodes", admin, body, {{"Idempotency-Key", "order-17"}});
  ASSERT_TRUE(first && retry);
  EXPECT_EQ(first->status, 201) << first->body;
  EXPECT_EQ(retry->status, 201) << retry->body;
  EXPECT_EQ(nlohmann::json::parse(first->body), nlohmann::json::parse(retry->body));
  EXPECT_EQ(cli_->Json({"list"}).size(), 1u);
  // Another key is another registration.
  auto other = Post("/api/v1/barcodes", admin, body, {{"Idempotency-Key", "order-18"}});
  ASSERT_TRUE(other);
  EXPECT_NE(nlohmann::json::parse(other->body)["barCode"], nlohmann::json::parse(first->body)["barCode"]);
}

TEST_P(ServeTest, ParallelClientsRegisterDistinctBarcodes) {
  const std::string admin = Token("admin");
  const int port = server_->port();
  std::vector<std::vector<std::string>> codes(8);
  std::vector<std::thread> clients;
  for (std::size_t c = 0; c < codes.size(); ++c)
    clients.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", port);
      client.set_read_timeout(30, 0);
      for (int k = 0; k < 5; ++k) {
        auto r = client.Post("/api/v1/barcodes", Bearer(admin), R"({"inventoryId": "P001", "batchNo": "LOT001"})",
                             "application/json");
        if (r && r->status == 201) codes[c].push_back(nlohmann::json::parse(r->body)["barCode"]);
      }
    });
  for (auto& t : clients) t.join();
  std::set<std::string> distinct;
  for (const auto& list : codes) distinct.insert(list.begin(), list.end());
  EXPECT_EQ(distinct.size(), 40u);
}

TEST_P(ServeTest, FinishesARequestInFlightWhenStopped) {
  const std::string admin = Token("admin");
  const std::string body = R"({"inventoryId": "P001", "batchNo": "LOT001"})";
  const std::string head = "POST /api/v1/barcodes HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + admin +
                           "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
                           "\r\nConnection: close\r\n\r\n";
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(server_->port()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  // Half the body is sent, the service is told to stop, then the rest arrives.
  ASSERT_GT(::write(fd, (head + body.substr(0, 10)).data(), head.size() + 10), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  std::thread stopper([&] { EXPECT_EQ(server_->Stop(), 0) << server_->Log(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_GT(::write(fd, body.data() + 10, body.size() - 10), 0);
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) answer.append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  stopper.join();
  EXPECT_EQ(answer.rfind("HTTP/1.1 201", 0), 0u) << answer;
  EXPECT_EQ(cli_->Json({"list"}).size(), 1u);
  server_.reset();
}

QS_INSTANTIATE_BACKENDS(ServeTest);

}  // namespace
}  // namespace quillstone::test
