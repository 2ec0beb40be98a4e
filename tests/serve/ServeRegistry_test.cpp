// The registry over HTTP: abandoning, reusing, removing and asking whether documents use a
// barcode, and the list a page at a time, each within the caller's function and data rights.
#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "quillstone/platform/Variant.h"
#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

class ServeRegistryTest : public ServeTest {
 protected:
  httplib::Result Change(const std::string& token, const std::string& code, const std::string& change) {
    return Post("/api/v1/barcodes/" + code + "/" + change, token, "");
  }
  httplib::Result Remove(const std::string& token, const std::string& code) {
    return http_->Delete(("/api/v1/barcodes/" + code).c_str(), Bearer(token));
  }
  // The JSON of a 200 answer to GET `path`.
  nlohmann::json Read(const std::string& token, const std::string& path) {
    auto r = http_->Get(path.c_str(), Bearer(token));
    EXPECT_TRUE(r && r->status == 200) << path << ": " << (r ? r->body : "no answer");
    return r && r->status == 200 ? nlohmann::json::parse(r->body) : nlohmann::json::object();
  }
  // Every barcode of the list with `query`, following the cursor `limit` at a time.
  std::vector<std::string> ListAll(const std::string& token, const std::string& query, int limit) {
    std::vector<std::string> codes;
    std::string after;
    for (int page = 0; page < 20; ++page) {
      std::string path = "/api/v1/barcodes?limit=" + std::to_string(limit) + query;
      if (!after.empty()) path += "&after=" + after;
      const auto answer = Read(token, path);
      EXPECT_LE(answer["items"].size(), static_cast<std::size_t>(limit));
      for (const auto& item : answer["items"]) codes.push_back(item["barCode"]);
      if (!answer.contains("next") || answer["next"].is_null()) break;
      after = answer["next"];
    }
    return codes;
  }
};

TEST_P(ServeRegistryTest, AbandonsReusesAndRemovesAsTheLibraryAllows) {
  const std::string admin = Token("admin");
  const std::string phone = Register(admin, "P001", "LOT001")["barCode"];
  EXPECT_EQ(Read(admin, "/api/v1/barcodes/" + phone + "/in-use")["inUse"], false);

  auto abandoned = Change(admin, phone, "abandon");
  ASSERT_TRUE(abandoned);
  ASSERT_EQ(abandoned->status, 200) << abandoned->body;
  EXPECT_EQ(nlohmann::json::parse(abandoned->body)["bAbandon"], true);
  ExpectError(Change(admin, phone, "abandon"), 409, "该条形码没有处于正常的使用状态，不能废弃");
  auto reused = Change(admin, phone, "reuse");
  ASSERT_TRUE(reused);
  ASSERT_EQ(reused->status, 200) << reused->body;
  EXPECT_EQ(nlohmann::json::parse(reused->body)["bAbandon"], false);
  ExpectError(Change(admin, phone, "reuse"), 409, "该条形码没有处于废弃状态，不能重用");

  conn->Execute("insert into BarCodeUsage (cBarCode, cDocType, cDocCode, iRowNo) values (?, 'PO', 'D1', 1)",
                {Variant(phone)});
  EXPECT_EQ(Read(admin, "/api/v1/barcodes/" + phone + "/in-use")["inUse"], true);
  ExpectError(Remove(admin, phone), 409, "条码'" + phone + "'已经被使用，不能删除.");
  conn->Execute("delete from BarCodeUsage");
  auto removed = Remove(admin, phone);
  ASSERT_TRUE(removed);
  EXPECT_EQ(removed->status, 200) << removed->body;
  const std::string gone = "条形码'" + phone + "'不存在，或者没有对它的访问权限.";
  ExpectError(http_->Get(("/api/v1/barcodes/" + phone).c_str(), Bearer(admin)), 404, gone);
  ExpectError(Remove(admin, phone), 404, gone);
  ExpectError(Change(admin, phone, "abandon"), 404, "指定的条形码不存在或者没有权限");
  ExpectError(http_->Get(("/api/v1/barcodes/" + phone + "/in-use").c_str(), Bearer(admin)), 404, gone);
}

TEST_P(ServeRegistryTest, ChangesNeedTheRightAndStayWithinTheUsersItems) {
  const std::string admin = Token("admin");
  const std::string phone = Register(admin, "P001", "LOT001")["barCode"];
  const std::string shirt = Register(admin, "S001", "LOT001")["barCode"];

  const std::string clerk = Token("clerk");
  ExpectError(Change(clerk, phone, "abandon"), 403, "您没有废弃条码的权限.");
  ExpectError(Change(clerk, phone, "reuse"), 403, "您没有重用条码的权限.");
  ExpectError(Remove(clerk, phone), 403, "您没有删除条码的权限.");

  const std::string limited = Token("limited");
  const std::string hidden = "条形码'" + shirt + "'不存在，或者没有对它的访问权限.";
  ExpectError(Change(limited, shirt, "abandon"), 404, "不存在或者没有权限");
  ExpectError(Change(limited, shirt, "reuse"), 404, "不存在或者没有权限");
  ExpectError(Remove(limited, shirt), 404, hidden);
  ExpectError(http_->Get(("/api/v1/barcodes/" + shirt + "/in-use").c_str(), Bearer(limited)), 404, hidden);
  EXPECT_EQ(Read(admin, "/api/v1/barcodes/" + shirt)["bAbandon"], false);

  auto own = Change(limited, phone, "abandon");
  ASSERT_TRUE(own);
  EXPECT_EQ(own->status, 200) << own->body;
  EXPECT_EQ(cli_->Json({"list"}).size(), 2u);
}

TEST_P(ServeRegistryTest, ListsTheRegistryAPageAtATime) {
  const std::string admin = Token("admin");
  std::vector<std::string> phones, shirts;
  for (int i = 0; i < 3; ++i) phones.push_back(Register(admin, "P001", "LOT001")["barCode"]);
  for (int i = 0; i < 2; ++i) shirts.push_back(Register(admin, "S001", "LOT001")["barCode"]);

  auto all = ListAll(admin, "", 2);
  std::vector<std::string> expected = phones;
  expected.insert(expected.end(), shirts.begin(), shirts.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(all, expected);
  EXPECT_EQ(ListAll(admin, "", 5), expected);
  EXPECT_EQ(ListAll(admin, "&inventoryId=S001", 1), shirts);
  EXPECT_EQ(ListAll(admin, "&inventoryId=P001&ruleId=BATCH", 10), phones);
  EXPECT_TRUE(ListAll(admin, "&ruleId=NONE", 10).empty());
  // A value is a value: quotes in it match no barcode and widen nothing.
  EXPECT_TRUE(ListAll(admin, "&inventoryId=P001%27%20or%20%271%27%3D%271", 10).empty());
  const auto first = Read(admin, "/api/v1/barcodes");
  EXPECT_EQ(first["items"].size(), 5u);
  EXPECT_TRUE(first["next"].is_null());

  // The limited user never sees the shirts, not even when asking for them.
  const std::string limited = Token("limited");
  EXPECT_EQ(ListAll(limited, "", 2), phones);
  EXPECT_TRUE(ListAll(limited, "&inventoryId=S001", 2).empty());

  ExpectError(http_->Get("/api/v1/barcodes?limit=0", Bearer(admin)), 400, "limit");
  ExpectError(http_->Get("/api/v1/barcodes?limit=1001", Bearer(admin)), 400, "limit");
  ExpectError(http_->Get("/api/v1/barcodes?limit=2x", Bearer(admin)), 400, "limit");
  ExpectError(http_->Get("/api/v1/barcodes?filter=1%3D1", Bearer(admin)), 400, "filter");

  const auto doc = Read(admin, "/openapi.json");
  for (const char* path :
       {"/api/v1/barcodes/{code}/abandon", "/api/v1/barcodes/{code}/reuse", "/api/v1/barcodes/{code}/in-use"})
    EXPECT_TRUE(doc["paths"].contains(path)) << path;
  EXPECT_TRUE(doc["paths"]["/api/v1/barcodes/{code}"].contains("delete"));
  EXPECT_TRUE(doc["paths"]["/api/v1/barcodes"].contains("get"));
}

QS_INSTANTIATE_BACKENDS(ServeRegistryTest);

}  // namespace
}  // namespace quillstone::test
