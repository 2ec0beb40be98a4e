#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

const char* const kBatchRule = R"({"ruleId": "BATCH", "ruleName": "批次条码", "length": 15, "barCodeType": "Code 128",
  "items": [{"itemType": "ISTInventory", "length": 6}, {"itemType": "ISTBatch", "length": 6},
            {"itemType": "ISTSequence", "length": 3, "relevantValue": "001"}]})";

}  // namespace

void ServeTest::SetUp() {
  BackendTest::SetUp();
  cli_ = std::make_unique<CliSession>(connectionString(), dir_.path());
  ASSERT_EQ(cli_->Run({"init", "--demo"}).exitCode, 0);
  ASSERT_EQ(cli_->Run({"rule", "create", "-"}, kBatchRule).exitCode, 0);
  ASSERT_EQ(cli_->Run({"assign", "item", "P001", "BATCH"}).exitCode, 0);
  ASSERT_EQ(cli_->Run({"assign", "item", "S001", "BATCH"}).exitCode, 0);
  Restart({"--max-body", "4096"});
}

void ServeTest::TearDown() {
  StopServer();
  BackendTest::TearDown();
}

void ServeTest::StopServer() {
  if (server_ && server_->port() > 0) {
    EXPECT_EQ(server_->Stop(), 0) << server_->Log();
    EXPECT_EQ(server_->Log().find("Sanitizer"), std::string::npos) << server_->Log();
  }
  server_.reset();
}

void ServeTest::Restart(const std::vector<std::string>& extraArgs, const std::string& host) {
  StopServer();
  server_ = std::make_unique<ServeProcess>(connectionString(), extraArgs, host);
  ASSERT_GT(server_->port(), 0);
  http_ = std::make_unique<httplib::Client>(host, server_->port());
  http_->set_read_timeout(20, 0);
}

std::string ServeTest::Token(const std::string& user) {
  return cli_->Json({"token", "create", user})["token"].get<std::string>();
}

httplib::Result ServeTest::Post(const std::string& path, const std::string& token, const std::string& body,
                                httplib::Headers headers) {
  headers.emplace("Authorization", "Bearer " + token);
  return http_->Post(path.c_str(), headers, body, "application/json");
}

nlohmann::json ServeTest::Register(const std::string& token, const std::string& item, const std::string& batch) {
  auto r = Post("/api/v1/barcodes", token, nlohmann::json{{"inventoryId", item}, {"batchNo", batch}}.dump());
  EXPECT_TRUE(r && r->status == 201) << (r ? r->body : "no answer");
  return r ? nlohmann::json::parse(r->body) : nlohmann::json();
}

void ServeTest::ExpectError(const httplib::Result& r, int status, const std::string& message) {
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, status) << r->body;
  const auto body = nlohmann::json::parse(r->body, nullptr, false);
  ASSERT_TRUE(body.contains("error")) << r->body;
  EXPECT_NE(body["error"]["description"].get<std::string>().find(message), std::string::npos) << r->body;
  EXPECT_EQ(body["error"]["number"], -2147220503) << r->body;
}

}  // namespace quillstone::test
