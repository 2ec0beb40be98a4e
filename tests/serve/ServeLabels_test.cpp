// Labels and the encoding preview over HTTP: the label bytes of each format for registered
// barcodes the user may see, and the barcode a rule would make, with nothing registered.
#include <gtest/gtest.h>
#include <httplib.h>

#include <string>

#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

class ServeLabelsTest : public ServeTest {
 protected:
  // The bytes of a 200 answer of `type` to a label request.
  std::string Labels(const std::string& token, const nlohmann::json& body, const std::string& type) {
    auto r = Post("/api/v1/labels", token, body.dump());
    EXPECT_TRUE(r && r->status == 200) << (r ? r->body : "no answer");
    if (!r || r->status != 200) return "";
    EXPECT_EQ(r->get_header_value("Content-Type").rfind(type, 0), 0u) << r->get_header_value("Content-Type");
    return r->body;
  }
};

TEST_P(ServeLabelsTest, AnswersTheLabelsOfRegisteredBarcodesInEachFormat) {
  const std::string admin = Token("admin");
  const std::string phone = Register(admin, "P001", "LOT001")["barCode"];
  const std::string phone2 = Register(admin, "P001", "LOT001")["barCode"];
  EXPECT_EQ(Labels(admin, {{"barCodes", {phone}}}, "image/png").rfind("\x89PNG", 0), 0u);
  EXPECT_NE(Labels(admin, {{"barCodes", {phone}}, {"format", "svg"}}, "image/svg+xml").find("<svg"), std::string::npos);
  EXPECT_EQ(Labels(admin, {{"barCodes", {phone, phone2}}, {"format", "pdf"}}, "application/pdf").rfind("%PDF", 0), 0u);
  const std::string zpl = Labels(admin, {{"barCodes", {phone, phone2}}, {"format", "zpl"}, {"dpi", 300}}, "text/plain");
  EXPECT_NE(zpl.find(phone2), std::string::npos) << zpl;
  EXPECT_EQ(zpl.rfind("^XA", 0), 0u) << zpl;

  ExpectError(Post("/api/v1/labels", admin, nlohmann::json{{"barCodes", {phone, phone2}}}.dump()), 422, "");
  ExpectError(Post("/api/v1/labels", admin, nlohmann::json{{"barCodes", {phone}}, {"format", "bmp"}}.dump()), 400,
              "bmp");
  ExpectError(Post("/api/v1/labels", admin, nlohmann::json{{"barCodes", {phone}}, {"dpi", 250}}.dump()), 400, "dpi");
  ExpectError(Post("/api/v1/labels", admin, R"({"barCodes": []})"), 400, "'barCodes'");
  ExpectError(Post("/api/v1/labels", admin, nlohmann::json{{"barCodes", {"NOPE"}}}.dump()), 404,
              "条形码'NOPE'不存在，或者没有对它的访问权限.");
}

TEST_P(ServeLabelsTest, PreviewsAnEncodingWithoutRegistering) {
  const std::string admin = Token("admin");
  auto preview = Post("/api/v1/encodings", admin, R"({"inventoryId": "P001", "batchNo": "LOT001"})");
  ASSERT_TRUE(preview);
  ASSERT_EQ(preview->status, 200) << preview->body;
  const auto encoding = nlohmann::json::parse(preview->body);
  EXPECT_EQ(encoding["ruleId"], "BATCH");
  EXPECT_EQ(encoding["segments"].size(), 3u);
  EXPECT_NE(encoding["barCode"].get<std::string>().find("LOT001"), std::string::npos) << preview->body;
  EXPECT_TRUE(cli_->Json({"list"}).empty());
  ExpectError(Post("/api/v1/encodings", admin, R"({"inventoryId": "P002"})"), 422, "没有分配条码规则");
  ExpectError(Post("/api/v1/encodings", admin, R"({"batchNo": "LOT001"})"), 400, "'inventoryId'");
  auto openapi = http_->Get("/openapi.json");
  ASSERT_TRUE(openapi);
  const auto doc = nlohmann::json::parse(openapi->body);
  EXPECT_TRUE(doc["paths"]["/api/v1/encodings"].contains("post"));
  EXPECT_TRUE(doc["paths"]["/api/v1/labels"]["post"]["responses"]["200"]["content"].contains("application/pdf"));
}

TEST_P(ServeLabelsTest, KeepsALimitedUserToHisItems) {
  const std::string admin = Token("admin");
  const std::string phone = Register(admin, "P001", "LOT001")["barCode"];
  const std::string shirt = Register(admin, "S001", "LOT001")["barCode"];
  const std::string limited = Token("limited");
  EXPECT_EQ(Labels(limited, {{"barCodes", {phone}}}, "image/png").rfind("\x89PNG", 0), 0u);
  ExpectError(Post("/api/v1/labels", limited, nlohmann::json{{"barCodes", {phone, shirt}}, {"format", "pdf"}}.dump()),
              404, "条形码'" + shirt + "'不存在，或者没有对它的访问权限.");
  ExpectError(Post("/api/v1/encodings", limited, R"({"inventoryId": "S001", "batchNo": "LOT001"})"), 404,
              "存货'S001'不存在，或者不在您的数据权限之内");
  auto own = Post("/api/v1/encodings", limited, R"({"inventoryId": "P001", "batchNo": "LOT001"})");
  ASSERT_TRUE(own);
  EXPECT_EQ(own->status, 200) << own->body;
}

QS_INSTANTIATE_BACKENDS(ServeLabelsTest);

}  // namespace
}  // namespace quillstone::test
