// Barcodes of GS1 rules through the program: registered in the parenthesised form, printed in
// their GS1 symbology (PNG and ZPL), scanned back to the registry entry in whichever form or
// field order the symbol holds, decoded by the rule and verified against a document.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "cli/FileText.h"
#include "support/BackendTest.h"

namespace quillstone::test {
namespace {

// GTIN from the item's master data, batch, expiry date (for items that keep one) and a serial
// from the sequence.
std::string Gs1Rule(const std::string& ruleId, const std::string& type, bool expiry) {
  const std::string expiryItem =
      expiry ? R"({"itemType": "ISTDisableDate", "length": 6, "relevantValue": "yymmdd", "ai": "17"},)" : "";
  return R"({"ruleId": ")" + ruleId + R"(", "ruleName": "药品", "length": )" + (expiry ? "34" : "28") +
         R"(, "barCodeType": ")" + type + R"(",
    "items": [{"itemType": "ISTInventory", "length": 14, "ai": "01"},
              {"itemType": "ISTBatch", "length": 8, "ai": "10"},)" +
         expiryItem + R"({"itemType": "ISTSequence", "length": 6, "relevantValue": "000001", "ai": "21"}]})";
}

const std::string kF001 = "(01)09506000134352(10)LOT7(17)271231(21)000001";
const std::string kS001 = "(01)06291041500213(10)LOT8(21)000001";

// The field data of the first field that follows `command` ("^BC"), ^FH's _XX escapes undone.
std::string FieldDataAfter(const std::string& zpl, const std::string& command) {
  const auto at = zpl.find(command);
  const auto field = at == std::string::npos ? at : zpl.find("^FD", at);
  if (field == std::string::npos) return "";
  const auto from = field + 3;
  const std::string escaped = zpl.substr(from, zpl.find("^FS", from) - from);
  std::string out;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '_' && i + 2 < escaped.size()) {
      out += static_cast<char>(std::stoi(escaped.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += escaped[i];
    }
  }
  return out;
}

// What a printer puts into a Code 128 symbol for ^BC data in no mode: code set changes leave no
// data, ">8" is FNC1 (the first marks GS1, the others separate fields), ">0" is '>' (value 30),
// "><" is '^' (62), ">=" is '~' (94), and code set C takes digits in pairs only.
std::string Code128Carries(const std::string& data) {
  std::string out;
  bool setC = false;
  int fnc1 = 0;
  EXPECT_EQ(data.substr(2, 2), ">8") << "FNC1 must follow the start code: " << data;
  for (std::size_t at = 0; at < data.size();) {
    if (data[at] == '>') {
      const char code = at + 1 < data.size() ? data[at + 1] : '?';
      at += 2;
      if (code == ';' || code == '5') {
        setC = true;
      } else if (code == ':' || code == '6') {
        setC = false;
      } else if (code == '8') {
        if (fnc1++ > 0) out += '\x1d';
      } else if (code == '0') {
        out += '>';
      } else if (code == '<') {
        out += '^';
      } else if (code == '=') {
        out += '~';
      } else {
        ADD_FAILURE() << "unknown invocation >" << code << " in " << data;
      }
    } else if (setC) {
      const bool pair = at + 1 < data.size() && std::isdigit(static_cast<unsigned char>(data[at])) &&
                        std::isdigit(static_cast<unsigned char>(data[at + 1]));
      EXPECT_TRUE(pair) << "code set C at " << at << " of " << data;
      out += data.substr(at, 2);
      at += 2;
    } else {
      out += data[at++];
    }
  }
  return out;
}

class CliGs1LabelsTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    cli_ = std::make_unique<CliSession>(connectionString(), dir.path());
    ASSERT_EQ(cli_->Run({"init", "--demo"}).exitCode, 0);
    // Master data keeps a GTIN-14 for each item the GS1 rules serve.
    conn->Execute("update Inventory set cBarCode = '09506000134352' where cInvCode = 'F001'");
    conn->Execute("update Inventory set cBarCode = '06291041500213' where cInvCode = 'S001'");
    // The GS1-128 rule goes by its typeId; S001 keeps no expiry date.
    for (const auto& [ruleId, type, expiry] : {std::tuple{"GDM", "GS1 DataMatrix", true},
                                               std::tuple{"G128", "6", false}, std::tuple{"GQR", "GS1 QR Code", true}})
      ASSERT_EQ(cli_->Run({"rule", "create", "-"}, Gs1Rule(ruleId, type, expiry)).exitCode, 0) << ruleId;
    ASSERT_EQ(cli_->Run({"assign", "item", "F001", "GDM"}).exitCode, 0);
    ASSERT_EQ(cli_->Run({"assign", "item", "S001", "G128"}).exitCode, 0);
  }

  std::string Register(std::vector<std::string> args) {
    args.insert(args.begin(), "register");
    auto sets = cli_->Json(args);
    EXPECT_EQ(sets.size(), 1u) << sets.dump();
    return sets.empty() ? "" : sets[0].value("barCode", "");
  }
  nlohmann::json ScanOne(std::vector<std::string> args) {
    auto r = cli_->Run([&] {
      args.insert(args.begin(), {"--json", "scan"});
      return args;
    }());
    auto doc = r.Json();
    EXPECT_TRUE(doc.is_array() && doc.size() == 1) << r.out << r.err;
    return doc.is_array() && doc.size() == 1 ? doc[0] : nlohmann::json::object();
  }
  std::string File(const std::string& name) const { return (dir / name).string(); }

  ScratchDir dir;
  std::unique_ptr<CliSession> cli_;
};

TEST_P(CliGs1LabelsTest, DataMatrixLabelOfARegisteredBarcodeScansBackAndVerifies) {
  const std::string code = Register({"F001", "--batch", "LOT7", "--expiry", "2027-12-31"});
  ASSERT_EQ(code, kF001);
  const std::string png = File("dm.png");
  auto label = cli_->Json({"label", code, "--out", png});
  EXPECT_EQ(label["symbology"], "GS1 DataMatrix");
  EXPECT_EQ(label["ruleId"], "GDM");

  auto hit = ScanOne({png});
  EXPECT_EQ(hit["symbology"], "GS1 DataMatrix");
  EXPECT_EQ(hit["symbologyIdentifier"], "]d2");
  EXPECT_EQ(hit["barCode"], code);
  EXPECT_EQ(hit["registered"], true);
  EXPECT_EQ(hit["ruleId"], "GDM");
  EXPECT_EQ(hit["invInfo"]["inventoryId"], "F001");
  EXPECT_EQ(hit["invInfo"]["batchNo"], "LOT7");
  EXPECT_EQ(hit["invInfo"]["disableDate"], "2027-12-31");
  EXPECT_FALSE(hit.contains("error")) << hit.dump();

  auto verified = ScanOne({png, "--item", "F001", "--batch", "LOT7"});
  EXPECT_EQ(verified["verified"], true) << verified.dump();
  EXPECT_FALSE(verified.contains("error")) << verified.dump();
  // A document about another batch is refused by the registry's verification.
  const auto other = cli_->Run({"--json", "scan", png, "--item", "F001", "--batch", "LOT9"});
  EXPECT_EQ(other.exitCode, 1);
  const auto refused = other.Json();
  ASSERT_TRUE(refused.is_array() && refused.size() == 1) << other.out << other.err;
  EXPECT_EQ(refused[0]["registered"], true);
  EXPECT_EQ(refused[0]["verified"], false);
  EXPECT_TRUE(refused[0].contains("error"));
}

TEST_P(CliGs1LabelsTest, Gs1DataInAnyFormOrOrderFindsTheRegisteredBarcode) {
  const std::string code = Register({"F001", "--batch", "LOT7", "--expiry", "2027-12-31"});
  ASSERT_EQ(code, kF001);
  // The fields out of order in a GS1-128 symbol, and the same barcode as a Digital Link.
  const std::string reordered = "(01)09506000134352(21)000001(10)LOT7(17)271231";
  cli_->Json({"label", "--gs1", reordered, "--symbology", "gs1-128", "--out", File("reordered.png")});
  cli_->Json({"label", "--gs1", code, "--symbology", "gs1-link", "--out", File("link.png")});
  for (const char* file : {"reordered.png", "link.png"}) {
    SCOPED_TRACE(file);
    auto hit = ScanOne({File(file), "--item", "F001"});
    EXPECT_EQ(hit["barCode"], code);
    EXPECT_EQ(hit["registered"], true);
    EXPECT_EQ(hit["ruleId"], "GDM");
    EXPECT_EQ(hit["verified"], true) << hit.dump();
  }

  // A serial that was never registered is a supplier's label: received by its GTIN as before.
  const std::string supplier = "(01)09506000134352(10)LOT7(17)271231(21)999999";
  cli_->Json({"label", "--gs1", supplier, "--symbology", "gs1-datamatrix", "--out", File("supplier.png")});
  auto received = ScanOne({File("supplier.png"), "--batch", "LOT7"});
  EXPECT_EQ(received["registered"], false);
  EXPECT_EQ(received["barCode"], supplier);
  EXPECT_EQ(received["ruleId"], "");
  EXPECT_EQ(received["invInfo"]["inventoryId"], "F001");
  EXPECT_EQ(received["verified"], true) << received.dump();
}

TEST_P(CliGs1LabelsTest, Gs1_128LabelsCarryTheGs1FormInPngAndZpl) {
  const std::string code = Register({"S001", "--batch", "LOT8"});
  ASSERT_EQ(code, kS001);
  cli_->Json({"label", code, "--out", File("g128.png")});
  auto hit = ScanOne({File("g128.png")});
  EXPECT_EQ(hit["symbology"], "GS1-128");
  EXPECT_EQ(hit["symbologyIdentifier"], "]C1");
  EXPECT_EQ(hit["barCode"], code);
  EXPECT_EQ(hit["registered"], true);
  EXPECT_EQ(hit["invInfo"]["inventoryId"], "S001");

  // The printer gets FNC1 and the code sets spelled out, the parenthesised text under the bars.
  cli_->Json({"label", code, "--out", File("g128.zpl"), "--size", "100x40mm"});
  const std::string zpl = ReadText(File("g128.zpl"));
  EXPECT_NE(zpl.find("^BCN,"), std::string::npos) << zpl;
  EXPECT_EQ(zpl.find(",D^FD"), std::string::npos) << "no printer-side GS1 mode: " << zpl;
  EXPECT_EQ(Code128Carries(FieldDataAfter(zpl, "^BC")),
            "010629104150021310LOT8\x1d"
            "21000001");
  EXPECT_NE(zpl.find(code), std::string::npos) << "caption: " << zpl;

  // Characters the printer would take as escapes travel as data: '>' and the ^FH indicator '_'.
  const std::string odd = "(01)09506000134352(10)A>B_1(21)7";
  cli_->Json({"label", odd, "--rule", "G128", "--out", File("odd.zpl"), "--size", "100x40mm"});
  EXPECT_EQ(Code128Carries(FieldDataAfter(ReadText(File("odd.zpl")), "^BC")),
            "010950600013435210A>B_1\x1d"
            "217");

  // GS1 DataMatrix: FNC1 first and between fields as the escape "#1" the ^BX command names.
  cli_->Json({"label", kF001, "--rule", "GDM", "--out", File("dm.zpl")});
  const std::string dm = ReadText(File("dm.zpl"));
  EXPECT_NE(dm.find(",200,0,0,6,#^"), std::string::npos) << dm;
  EXPECT_EQ(FieldDataAfter(dm, "^BX"), "#1010950600013435210LOT7#11727123121000001");
  // On a 50 mm label the text under the symbol breaks between two fields rather than losing its end.
  EXPECT_NE(dm.find("^FD(01)09506000134352(10)LOT7^FS"), std::string::npos) << dm;
  EXPECT_NE(dm.find("^FD(17)271231(21)000001^FS"), std::string::npos) << dm;
}

TEST_P(CliGs1LabelsTest, RefusesWhatAGs1SymbologyCannotPrint) {
  cli_->ExpectRefused({"label", "ABC123", "--rule", "GDM", "--out", File("bad.png")}, "GS1 DataMatrix");
  cli_->ExpectRefused({"label", "(01)09506000134353", "--rule", "G128", "--out", File("bad.png")}, "校验位");
  EXPECT_FALSE(std::filesystem::exists(File("bad.png")));
  // GS1 QR Code prints as an image; the printer's QR command has no GS1 form.
  cli_->Json({"label", kF001, "--rule", "GQR", "--out", File("qr.png")});
  EXPECT_EQ(ScanOne({File("qr.png")})["symbologyIdentifier"], "]Q3");
  cli_->ExpectRefused({"label", kF001, "--rule", "GQR", "--out", File("qr.zpl")}, "没有 ZPL 写法");
  EXPECT_FALSE(std::filesystem::exists(File("qr.zpl")));
}

QS_INSTANTIATE_BACKENDS(CliGs1LabelsTest);

}  // namespace
}  // namespace quillstone::test
