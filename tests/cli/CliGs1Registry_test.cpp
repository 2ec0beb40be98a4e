// Barcodes of a GS1 rule through the program: registered in the registry's form, then shown,
// decoded, verified and maintained from raw data typed with <GS> and from a Digital Link, while
// GS1 data that is not registered is still received as a supplier's label.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "support/BackendTest.h"

namespace quillstone::test {
namespace {

// The batch may be 10 long: the longest element string, 45 characters, fits one GS1-128 symbol.
const char* const kRule = R"({"ruleId": "YOG", "ruleName": "酸奶", "length": 36, "barCodeType": "GS1-128",
  "items": [{"itemType": "ISTInventory", "length": 14, "ai": "01"},
            {"itemType": "ISTDisableDate", "length": 6, "relevantValue": "yymmdd", "ai": "17"},
            {"itemType": "ISTBatch", "length": 10, "ai": "10"},
            {"itemType": "ISTSequence", "length": 6, "relevantValue": "000001", "ai": "21"}]})";

const std::string kHri = "(01)09506000134352(10)L0412(17)270331(21)000001";
const std::string kRaw = "]C1010950600013435210L0412<GS>1727033121000001";
const std::string kLink = "https://id.gs1.org/01/09506000134352/10/L0412/21/000001?17=270331";

class CliGs1RegistryTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    cli_ = std::make_unique<CliSession>(connectionString(), dir.path());
    ASSERT_EQ(cli_->Run({"init", "--demo"}).exitCode, 0);
    conn->Execute("update Inventory set cBarCode = '9506000134352' where cInvCode = 'F001'");
    ASSERT_EQ(cli_->Run({"rule", "create", "-"}, kRule).exitCode, 0);
    ASSERT_EQ(cli_->Run({"assign", "item", "F001", "YOG"}).exitCode, 0);
  }

  ScratchDir dir;
  std::unique_ptr<CliSession> cli_;
};

TEST_P(CliGs1RegistryTest, RegisteredBarcodesAreFoundFromEveryForm) {
  auto registered = cli_->Json({"register", "F001", "--count", "2", "--batch", "L0412", "--expiry", "2027-03-31"});
  ASSERT_EQ(registered.size(), 2u) << registered.dump();
  EXPECT_EQ(registered[0]["barCode"], kHri);

  for (const std::string& form : {kHri, kRaw, kLink}) {
    SCOPED_TRACE(form);
    EXPECT_EQ(cli_->Json({"show", form})["barCode"], kHri);
    auto decoded = cli_->Json({"decode", form});
    EXPECT_EQ(decoded["ruleId"], "YOG");
    EXPECT_EQ(decoded["invInfo"]["batchNo"], "L0412");
    EXPECT_EQ(cli_->Json({"verify", form, "--batch", "L0412"})["verified"], true);
    // Checked against the registry, not taken as a supplier's label.
    cli_->ExpectRefused({"verify", form, "--batch", "L0413"}, "条码信息与当前批号不一致");
  }
  EXPECT_EQ(cli_->Json({"abandon", kRaw})["abandoned"], true);
  cli_->ExpectRefused({"verify", kLink}, "已被封存，不能使用");
  EXPECT_EQ(cli_->Json({"reuse", kLink})["reused"], true);
  EXPECT_EQ(cli_->Json({"remove", kRaw})["removed"], true);
  EXPECT_EQ(cli_->Json({"list", "--rule", "YOG"}).size(), 1u);
}

TEST_P(CliGs1RegistryTest, UnregisteredGs1DataIsStillASuppliersLabel) {
  auto received = cli_->Json({"decode", "(01)09506000134352(10)SUP1(17)270331"});
  EXPECT_EQ(received["invInfo"]["inventoryId"], "F001") << received.dump();
  EXPECT_FALSE(received.contains("ruleId"));
}

QS_INSTANTIATE_BACKENDS(CliGs1RegistryTest);

}  // namespace
}  // namespace quillstone::test
