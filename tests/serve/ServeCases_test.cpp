// The service's answers that depend on state outside the request: rights changed in the host's
// tables while it runs, pictures of printed labels, and conflicts with what is registered.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "quillstone/platform/Variant.h"
#include "serve/ServeTest.h"

namespace quillstone::test {
namespace {

const char* const kRegisterRight = "ST050302";
const char* const kRegisterBody = R"({"inventoryId": "P001", "batchNo": "LOT001"})";

class ServeCasesTest : public ServeTest {
 protected:
  // Registers through the service until it answers `status`; how long that took (past the
  // deadline when it never did).
  std::chrono::milliseconds UntilRegisterAnswers(const std::string& token, int status) {
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::seconds(8);
    while (std::chrono::steady_clock::now() < deadline) {
      auto r = Post("/api/v1/barcodes", token, kRegisterBody);
      if (r && r->status == status) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  }
  // The PNG label the program prints for `barCode`.
  std::string LabelPicture(const std::string& barCode) {
    const std::string path = (dir_.path() / (barCode + ".png")).string();
    EXPECT_EQ(cli_->Run({"label", barCode, "--out", path}).exitCode, 0);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
};

TEST_P(ServeCasesTest, AppliesAChangeOfRightsWithoutRestart) {
  const std::string limited = Token("limited");
  Register(limited, "P001", "LOT001");
  conn->Execute("delete from HostUserRight where cUserId = ? and cFuncId = ?",
                {Variant("limited"), Variant(kRegisterRight)});
  EXPECT_LE(UntilRegisterAnswers(limited, 403).count(), 5500);
  ExpectError(Post("/api/v1/barcodes", limited, kRegisterBody), 403, "您没有生成条码的权限.");
  conn->Execute("insert into HostUserRight (cUserId, cFuncId) values (?, ?)",
                {Variant("limited"), Variant(kRegisterRight)});
  EXPECT_LE(UntilRegisterAnswers(limited, 201).count(), 5500);
}

TEST_P(ServeCasesTest, IdentifiesAPictureOfALabel) {
  const std::string admin = Token("admin");
  const std::string phone = Register(admin, "P001", "LOT001")["barCode"];
  const std::string shirt = Register(admin, "S001", "LOT001")["barCode"];
  const std::string phoneLabel = LabelPicture(phone), shirtLabel = LabelPicture(shirt);
  ASSERT_EQ(phoneLabel.rfind("\x89PNG", 0), 0u);
  Restart({"--max-body", std::to_string(4 * 1024 * 1024)});
  const std::string limited = Token("limited");

  auto scan = http_->Post("/api/v1/scans", Bearer(limited), phoneLabel, "image/png");
  ASSERT_TRUE(scan);
  ASSERT_EQ(scan->status, 200) << scan->body;
  const auto symbols = nlohmann::json::parse(scan->body)["symbols"];
  ASSERT_EQ(symbols.size(), 1u) << scan->body;
  EXPECT_EQ(symbols[0]["kind"], "registered");
  EXPECT_EQ(symbols[0]["barCode"], phone);
  EXPECT_EQ(symbols[0]["invInfo"]["inventoryId"], "P001");

  // The shirt is outside the limited user's data rights: read, but not shown.
  auto hidden = http_->Post("/api/v1/scans", Bearer(limited), shirtLabel, "image/png");
  ASSERT_TRUE(hidden);
  ASSERT_EQ(hidden->status, 200) << hidden->body;
  const auto other = nlohmann::json::parse(hidden->body)["symbols"];
  ASSERT_EQ(other.size(), 1u) << hidden->body;
  EXPECT_TRUE(other[0]["invInfo"].is_null());
  EXPECT_NE(other[0]["error"].get<std::string>().find("访问权限"), std::string::npos) << hidden->body;
}

TEST_P(ServeCasesTest, RefusesADuplicateBarcodeAsAConflict) {
  // Without a sequence, one item always makes the same barcode.
  ASSERT_EQ(cli_->Run({"rule", "create", "-"}, R"({"ruleId": "PLAIN", "ruleName": "只有存货", "length": 6,
    "barCodeType": "Code 128", "items": [{"itemType": "ISTInventory", "length": 6}]})")
                .exitCode,
            0);
  ASSERT_EQ(cli_->Run({"assign", "item", "P002", "PLAIN"}).exitCode, 0);
  const std::string admin = Token("admin");
  auto first = Post("/api/v1/barcodes", admin, R"({"inventoryId": "P002"})");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->status, 201) << first->body;
  ExpectError(Post("/api/v1/barcodes", admin, R"({"inventoryId": "P002"})"), 409,
              "该条形码已经存在，条形码不能重复");
  EXPECT_EQ(cli_->Json({"list"}).size(), 1u);
}

QS_INSTANTIATE_BACKENDS(ServeCasesTest);

}  // namespace
}  // namespace quillstone::test
