// Labels as a warehouse prints them: Chinese item names drawn in a real font, ZPL for thermal
// printers (checked field by field against the label's size, and received by a printer stand-in
// on the loopback), and PDF sheets whose cut-out labels scan back to the registered barcodes.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "cli/FileText.h"
#include "cli/LoopbackListener.h"
#include "cli/GrayImage.h"
#include "quillstone/platform/Connection.h"

namespace quillstone::test {
namespace {

// One rule per symbology, each on its own item, and how wide its symbol may be in modules.
struct Kind {
  const char* ruleId;
  const char* type;
  const char* item;
  const char* fixed;
  // The widest bar pattern a printer may draw for a 12-character barcode, in modules; for matrix
  // symbols the largest side the short barcodes here need.
  int maxModules;
  // A label wide enough for the symbol with modules of 0.25 mm.
  int widthMm = 50;
};

const Kind kKinds[] = {
    // The printer is given the code sets: "C1" in code set B, then five digit pairs in code set C.
    {"L128", "Code 128", "P001", "C1", 11 * (8 + 2) + 13},
    {"LEAN", "EAN-13", "P002", "69", 95},
    {"L39", "Code 39", "S001", "C-", 13 * (12 + 2) - 1, 60},
    {"LQR", "QR Code", "F001", "码", 25},
    {"LDM", "Data Matrix", "N001", "DM", 18},
};

std::string RuleJson(const Kind& k) {
  return std::string(R"({"ruleId": ")") + k.ruleId + R"(", "ruleName": "label", "length": 12, "barCodeType": ")" +
         k.type + R"(", "items": [{"itemType": "ISTFixed", "length": 2, "relevantValue": ")" + k.fixed +
         R"("}, {"itemType": "ISTInventory", "length": 6}, {"itemType": "ISTSequence", "length": 4,
         "relevantValue": "0001"}]})";
}

CliResult Poppler(const std::string& tool, const std::vector<std::string>& args) {
  const std::filesystem::path program = "/usr/bin/" + tool;
  EXPECT_TRUE(std::filesystem::exists(program)) << tool << " comes with poppler-utils (scripts/setup.sh)";
  return CliProcess::RunProgram(program, args);
}

// One ZPL command: its two-letter name (or "A@", "A0" ...) and what follows up to the next caret.
struct ZplCommand {
  std::string name;
  std::string args;
  int Arg(std::size_t i) const {
    std::vector<std::string> parts;
    std::stringstream in(args);
    for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
    return i < parts.size() && !parts[i].empty() ? std::stoi(parts[i]) : -1;
  }
};

std::vector<ZplCommand> ParseZpl(const std::string& zpl) {
  std::vector<ZplCommand> commands;
  for (std::size_t at = zpl.find('^'); at != std::string::npos;) {
    const auto next = zpl.find('^', at + 1);
    std::string body = zpl.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
    commands.push_back({body.substr(0, 2), body.size() > 2 ? body.substr(2) : ""});
    at = next;
  }
  return commands;
}

// Checks one ^XA..^XZ label: fields balanced, every field inside the label, the symbol's widest
// form included. Returns the field data in order.
std::vector<std::string> CheckZplLabel(const std::vector<ZplCommand>& label, const Kind& kind, int dpi) {
  std::vector<std::string> data;
  EXPECT_EQ(label.front().name, "XA");
  EXPECT_EQ(label.back().name, "XZ");
  int width = -1, height = -1, x = -1, y = -1, module = 0;
  bool inField = false;
  for (const auto& c : label) {
    if (c.name == "PW") width = c.Arg(0);
    if (c.name == "LL") height = c.Arg(0);
    if (c.name == "FO") {
      EXPECT_FALSE(inField) << "field opened inside a field";
      inField = true;
      x = c.Arg(0);
      y = c.Arg(1);
      EXPECT_TRUE(x >= 0 && x < width && y >= 0 && y < height) << c.args;
    }
    if (c.name == "FS") {
      EXPECT_TRUE(inField) << "field closed twice";
      inField = false;
    }
    if (c.name == "FD") {
      EXPECT_TRUE(inField);
      data.push_back(c.args);
    }
    if (c.name == "A0" || c.name == "A@") {
      EXPECT_LE(y + c.Arg(1), height) << "text below the label";
    }
    if (c.name == "FB") {
      EXPECT_LE(x + c.Arg(0), width) << "text block past the edge";
    }
    if (c.name == "BY") {
      module = c.Arg(0);
      EXPECT_GE(module, 1);
      EXPECT_LE(y + c.Arg(2), height) << "bars below the label";
      EXPECT_LE(x + module * kind.maxModules, width) << kind.type << " bars past the edge";
    }
    if (c.name == "BQ" || c.name == "BX") {
      const int m = c.name == "BQ" ? c.Arg(2) : c.Arg(1);
      EXPECT_GE(m, 1);
      EXPECT_LE(x + m * kind.maxModules, width) << kind.type;
      EXPECT_LE(y + m * kind.maxModules, height) << kind.type;
    }
  }
  EXPECT_FALSE(inField) << "field left open";
  EXPECT_EQ(width, static_cast<int>(std::floor(kind.widthMm * dpi / 25.4 + 1e-6)));
  EXPECT_EQ(height, static_cast<int>(std::floor(30 * dpi / 25.4 + 1e-6)));
  return data;
}

// A loopback port nobody listens on.
int UnusedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

// A printer's raw port stand-in on 127.0.0.1: takes one connection and keeps what it sends.
class PrinterStandIn {
 public:
  PrinterStandIn() : thread_([this] { Serve(); }) {}
  ~PrinterStandIn() {
    if (thread_.joinable()) thread_.join();
  }

  int port() const { return listener_.port(); }
  // What arrived, once the sender closed (or after 30 s without a word).
  std::string Received() {
    if (thread_.joinable()) thread_.join();
    return received_;
  }

 private:
  static bool Ready(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 30000) > 0;
  }
  void Serve() {
    if (!Ready(listener_.fd())) return;
    const int client = ::accept(listener_.fd(), nullptr, nullptr);
    if (client < 0) return;
    char buffer[4096];
    for (ssize_t n; Ready(client) && (n = ::read(client, buffer, sizeof buffer)) > 0;) received_.append(buffer, n);
    ::close(client);
  }

  LoopbackListener listener_;
  std::string received_;
  std::thread thread_;
};

class CliLabelsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<ScratchDir>();
    db_ = "sqlite:" + (*dir_ / "labels.db").string();
    cli_ = std::make_unique<CliSession>(db_, dir_->path());
    ASSERT_EQ(cli_->Run({"init", "--demo"}).exitCode, 0);
    for (const auto& k : kKinds) {
      ASSERT_EQ(cli_->Run({"rule", "create", "-"}, RuleJson(k)).exitCode, 0) << k.ruleId;
      ASSERT_EQ(cli_->Run({"assign", "item", k.item, k.ruleId}).exitCode, 0) << k.ruleId;
    }
  }
  static void TearDownTestSuite() {
    cli_.reset();
    dir_.reset();
  }

  static std::string File(const std::string& name) { return (*dir_ / name).string(); }
  static std::string Register(const char* item) {
    auto sets = cli_->Json({"register", item});
    return sets.size() == 1 ? sets[0]["barCode"].get<std::string>() : "";
  }
  static void RenameItem(const std::string& item, const std::string& name) {
    auto conn = Connection::Open(db_);
    conn->Execute("update Inventory set cInvName = ? where cInvCode = ?", {Variant(name), Variant(item)});
    conn->Execute("update InventoryBarCodeSet set cInvName = ? where cInvCode = ?", {Variant(name), Variant(item)});
    conn->Close();
  }

  static std::unique_ptr<ScratchDir> dir_;
  static std::string db_;
  static std::unique_ptr<CliSession> cli_;
};

std::unique_ptr<ScratchDir> CliLabelsTest::dir_;
std::string CliLabelsTest::db_;
std::unique_ptr<CliSession> CliLabelsTest::cli_;

TEST_F(CliLabelsTest, ChineseNamesAreDrawnAsThemselves) {
  const std::string code = Register("F001");
  auto label = cli_->Json({"label", code, "--out", File("name.png")});
  EXPECT_EQ(label["name"], "原味酸奶");
  const auto chinese = GrayImage::ReadPng(File("name.png"));
  EXPECT_EQ(chinese.width, 399);  // 50 mm at 203 dpi
  EXPECT_EQ(chinese.height, 239);

  // The question marks a font without Chinese prints, and another Chinese name: each changes the
  // name line above the symbol and nothing else.
  RenameItem("F001", "????");
  ASSERT_EQ(cli_->Run({"label", code, "--out", File("marks.png")}).exitCode, 0);
  RenameItem("F001", "香蕉牛奶");
  ASSERT_EQ(cli_->Run({"label", code, "--out", File("other.png")}).exitCode, 0);
  RenameItem("F001", "原味酸奶");
  for (const char* other : {"marks.png", "other.png"}) {
    const auto rows = chinese.DifferingRows(GrayImage::ReadPng(File(other)));
    EXPECT_GE(rows.first, 0) << other << " looks the same as the Chinese name";
    EXPECT_LT(rows.second, chinese.height / 4) << other << " differs below the name line";
  }

  // A character no installed font has would print as a box: refused, and no file is left.
  RenameItem("F001", "原味\U000F0000酸奶");
  cli_->ExpectRefused({"label", code, "--out", File("box.png")}, "字体里没有的字符");
  EXPECT_FALSE(std::filesystem::exists(File("box.png")));
  RenameItem("F001", "原味酸奶");
}

TEST_F(CliLabelsTest, EverySymbologyWritesZplThatFitsTheLabel) {
  for (const auto& kind : kKinds) {
    SCOPED_TRACE(kind.type);
    const std::string code = Register(kind.item);
    for (int dpi : {203, 300}) {
      const std::string file = File(std::string(kind.ruleId) + std::to_string(dpi) + ".zpl");
      auto doc = cli_->Json({"label", code, "--format", "zpl", "--out", file, "--dpi", std::to_string(dpi), "--size",
                             std::to_string(kind.widthMm) + "x30mm"});
      const auto commands = ParseZpl(ReadText(file));
      ASSERT_FALSE(commands.empty());
      const auto data = CheckZplLabel(commands, kind, dpi);
      // Name, symbol, text under it; the name in UTF-8 as the registry keeps it.
      ASSERT_EQ(data.size(), 3u);
      EXPECT_EQ(data[0], doc["name"].get<std::string>());
      const bool ean = std::string(kind.type) == "EAN-13";
      // Code 128 goes with its code sets spelled out: the ten digits after "C1" in pairs.
      const std::string carried = std::string(kind.type) == "Code 128" ? code.substr(0, 2) + ">5" + code.substr(2) : code;
      EXPECT_NE(data[1].find(ean ? code.substr(0, 12) : carried), std::string::npos) << data[1];
      EXPECT_NE(data[2].find(code), std::string::npos);
      EXPECT_EQ(CountOf(ReadText(file), "^CI28"), 1u);
    }
  }
}

TEST_F(CliLabelsTest, ZplEscapesTextThatWouldBeACommand) {
  const std::string code = Register("P001");
  RenameItem("P001", "手机^XZ~JA_1");
  const auto result = cli_->Run({"label", code, "--format", "zpl", "--out", File("caret.zpl")});
  RenameItem("P001", "智能手机X1");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string zpl = ReadText(File("caret.zpl"));
  EXPECT_EQ(CountOf(zpl, "^XZ"), 1u);
  EXPECT_EQ(CountOf(zpl, "~"), 0u);
  EXPECT_NE(zpl.find("^FD手机_5EXZ_7EJA_5F1^FS"), std::string::npos) << zpl;
}

TEST_F(CliLabelsTest, ZplGoesToThePrintersRawPort) {
  const std::string first = Register("P001");
  const std::string second = Register("P001");
  ASSERT_EQ(cli_->Run({"label", first, second, "--out", File("two.zpl")}).exitCode, 0);

  PrinterStandIn printer;
  auto doc = cli_->Json({"label", first, second, "--printer", "127.0.0.1:" + std::to_string(printer.port())});
  const std::string received = printer.Received();
  EXPECT_EQ(received, ReadText(File("two.zpl")));
  EXPECT_EQ(CountOf(received, "^XA"), 2u);
  EXPECT_EQ(doc["bytes"].get<std::size_t>(), received.size());

  cli_->ExpectRefused({"label", first, "--printer", "127.0.0.1:" + std::to_string(UnusedPort())}, "无法连接打印机");
  cli_->ExpectRefused({"label", first, "--printer", "127.0.0.1:99999"}, "打印机地址");
  cli_->ExpectRefused({"label", first, "--printer", "127.0.0.1:9100", "--format", "png"}, "只发送 ZPL");
}

TEST_F(CliLabelsTest, SheetsHoldEveryRegisteredBarcodeInOrder) {
  auto sets = cli_->Json({"register", "P001", "--count", "26", "--labels", File("reg.pdf")});
  ASSERT_EQ(sets.size(), 26u);
  std::vector<std::string> codes;
  for (const auto& s : sets) codes.push_back(s["barCode"]);

  const std::string info = Poppler("pdfinfo", {File("reg.pdf")}).out;
  const auto pages = info.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << info;
  EXPECT_EQ(std::stoi(info.substr(pages + 6)), 2);
  // Page one has the first 24 labels, row by row; page two the last two.
  const std::string page1 = Poppler("pdftotext", {"-f", "1", "-l", "1", File("reg.pdf"), "-"}).out;
  const std::string page2 = Poppler("pdftotext", {"-f", "2", "-l", "2", File("reg.pdf"), "-"}).out;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    EXPECT_EQ(CountOf(i < 24 ? page1 : page2, codes[i]), 1u) << codes[i];
    EXPECT_EQ(CountOf(i < 24 ? page2 : page1, codes[i]), 0u) << codes[i];
  }
  EXPECT_EQ(CountOf(page1, "智能手机X1"), 24u);
  EXPECT_LT(page1.find(codes[0]), page1.find(codes[1]));
  EXPECT_NE(page1.find("页边距 上下 10 mm"), std::string::npos) << "the margins are stated on the page";

  // The same barcodes through label and list give the same sheet, with its geometry.
  std::vector<std::string> args{"label"};
  args.insert(args.end(), codes.begin(), codes.end());
  args.insert(args.end(), {"--sheet", "A4", "--layout", "3x8", "--out", File("label.pdf")});
  auto doc = cli_->Json(args);
  EXPECT_EQ(doc["pages"], 2);
  const auto& sheet = doc["sheet"];
  EXPECT_NEAR(sheet["labelWidthMm"].get<double>(), (210.0 - 14) / 3, 1e-9);
  EXPECT_NEAR(sheet["labelHeightMm"].get<double>(), (297.0 - 20) / 8, 1e-9);
  auto listed = cli_->Run({"list", "--filter", "cRuleId = 'L128'", "--labels", File("list.pdf")});
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_NE(listed.out.find("on 2 pages"), std::string::npos) << listed.out;

  // Cut labels out of the rasterised pages: each scans back to its registered barcode.
  const double dpi = 200, perMm = dpi / 25.4;
  for (std::size_t i : {0u, 1u, 2u, 23u, 24u, 25u}) {
    const auto cell = i % 24;
    const double left = sheet["marginSideMm"].get<double>() + (cell % 3) * sheet["labelWidthMm"].get<double>();
    const double top = sheet["marginTopMm"].get<double>() + (cell / 3) * sheet["labelHeightMm"].get<double>();
    const std::string page = std::to_string(i / 24 + 1);
    const std::string cut = File("cell" + std::to_string(i));
    ASSERT_EQ(Poppler("pdftoppm", {"-r", "200", "-f", page, "-l", page, "-x", std::to_string(std::lround(left * perMm)),
                                   "-y", std::to_string(std::lround(top * perMm)), "-W",
                                   std::to_string(std::lround(sheet["labelWidthMm"].get<double>() * perMm)), "-H",
                                   std::to_string(std::lround(sheet["labelHeightMm"].get<double>() * perMm)), "-png",
                                   "-singlefile", File("reg.pdf"), cut})
                  .exitCode,
              0);
    auto scanned = cli_->Json({"scan", cut + ".png"});
    ASSERT_EQ(scanned.size(), 1u) << "cell " << i;
    EXPECT_EQ(scanned[0]["barCode"], codes[i]) << "cell " << i;
    EXPECT_EQ(scanned[0]["registered"], true);
  }
}

TEST_F(CliLabelsTest, OptionsThatDescribeNoLabelAreRefusedBeforeAnyWork) {
  const std::string code = Register("P001");
  cli_->ExpectRefused({"label", code, "--out", File("x.png"), "--size", "5x3mm"}, "超出范围");
  cli_->ExpectRefused({"label", code, "--out", File("x.png"), "--size", "wide"}, "无法识别");
  cli_->ExpectRefused({"label", code, "--out", File("x.gif")}, "扩展名");
  cli_->ExpectRefused({"label", code, code, "--out", File("x.png")}, "只印一张标签");
  cli_->ExpectRefused({"label", code, "--sheet", "A4", "--layout", "3x0", "--out", File("x.pdf")}, "标签排列");
  cli_->ExpectRefused({"label", code, "--sheet", "A4", "--layout", "20x40", "--out", File("x.pdf")}, "太小");
  // A 12-character Code 128 needs more than a 15 mm wide label has at 203 dpi.
  cli_->ExpectRefused({"label", code, "--out", File("x.png"), "--size", "15x15mm"}, "放不下");
  cli_->ExpectRefused({"label", code, "--format", "zpl", "--out", File("x.zpl"), "--size", "15x15mm"}, "放不下");
  for (const char* f : {"x.png", "x.gif", "x.pdf", "x.zpl"}) EXPECT_FALSE(std::filesystem::exists(File(f))) << f;

  // A sheet that cannot be written refuses the registration before a barcode is drawn.
  const auto before = cli_->Json({"list", "--filter", "cRuleId = 'L128'"}).size();
  cli_->ExpectRefused({"register", "P001", "--labels", File("x.png")}, ".pdf");
  cli_->ExpectRefused({"register", "P001", "--labels", File("x.pdf"), "--layout", "0x1"}, "标签排列");
  EXPECT_EQ(cli_->Json({"list", "--filter", "cRuleId = 'L128'"}).size(), before);
}

}  // namespace
}  // namespace quillstone::test
