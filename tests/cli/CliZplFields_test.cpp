// ZPL read back the way a printer reads it: each field's ^FH escapes undone, then the symbol's own
// escapes (Code 128 invocation codes, Data Matrix escape sequences, QR Code input modes) and the
// text block's backslash sequences. What the printer would encode must be what the image of the
// same label scans as; modules are at least 0.25 mm; option values never become commands.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "cli/CliSession.h"
#include "cli/FileText.h"

namespace quillstone::test {
namespace {

std::vector<std::string> Args(const std::string& args) {
  std::vector<std::string> parts;
  std::stringstream in(args);
  for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
  return parts;
}

// One ^FO … ^FS field: the command that draws it (BC, BQ, BX, BE, B3, or FB for text), its
// arguments, the ^BY module, the ^FH indicator and the raw ^FD data.
struct Field {
  std::string command;
  std::vector<std::string> args;
  int barModule = 0;
  std::string hexIndicator;
  std::string data;

  int Module() const {
    if (command == "BQ") return std::stoi(args.at(2));
    if (command == "BX") return std::stoi(args.at(1));
    return barModule;
  }
};

// The fields of one label; data cannot hold a caret (it travels as hex), so a caret always
// starts a command.
std::vector<Field> Fields(const std::string& zpl) {
  std::vector<Field> fields;
  Field field;
  for (std::size_t at = zpl.find('^'); at != std::string::npos;) {
    const auto next = zpl.find('^', at + 1);
    std::string body = zpl.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    while (!body.empty() && body.back() == '\n') body.pop_back();
    const std::string name = body.substr(0, 2), rest = body.size() > 2 ? body.substr(2) : "";
    if (name == "FO") field = Field();
    if (name == "BY") field.barModule = std::stoi(Args(rest).at(0));
    if (name == "BC" || name == "BQ" || name == "BX" || name == "BE" || name == "B3" || name == "FB") {
      field.command = name;
      field.args = Args(rest);
    }
    if (name == "FH") field.hexIndicator = rest;
    if (name == "FD") field.data = rest;
    if (name == "FS") fields.push_back(field);
    at = next;
  }
  return fields;
}

// ^FH: the indicator and two hex digits stand for one byte.
std::string HexDecoded(const Field& field) {
  EXPECT_EQ(field.hexIndicator, "_") << "every field names its ^FH indicator: " << field.data;
  std::string out;
  for (std::size_t i = 0; i < field.data.size(); ++i) {
    if (field.data[i] == '_') {
      EXPECT_TRUE(i + 2 < field.data.size() && std::isxdigit(static_cast<unsigned char>(field.data[i + 1])) &&
                  std::isxdigit(static_cast<unsigned char>(field.data[i + 2])))
          << "a bare indicator in " << field.data;
      out += static_cast<char>(std::stoi(field.data.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += field.data[i];
    }
  }
  return out;
}

// A text block: "\\" is a backslash; any other backslash sequence would be a field-block command.
std::string TextBlockData(const std::string& data) {
  std::string out;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '\\') {
      EXPECT_TRUE(i + 1 < data.size() && data[i + 1] == '\\') << "a field-block sequence in " << data;
      ++i;
    }
    out += data[i];
  }
  return out;
}

// ^BX quality 200: escape + escape is the escape itself, escape "5026" announces UTF-8.
std::string DataMatrixData(const Field& field, const std::string& data) {
  EXPECT_EQ(field.args.at(2), "200");
  const char escape = field.args.size() > 6 && !field.args[6].empty() ? field.args[6][0] : '~';
  EXPECT_NE(escape, '~') << "the escape character is named, not left to the printer";
  std::string out;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] != escape) {
      out += data[i];
    } else if (i + 1 < data.size() && data[i + 1] == escape) {
      out += escape;
      ++i;
    } else if (data.compare(i + 1, 4, "5026") == 0) {
      i += 4;
    } else {
      ADD_FAILURE() << "escape sequence at " << i << " of " << data;
    }
  }
  return out;
}

// ^BQ: "MA," automatic input, or "MM,B" with the byte count in four digits.
std::string QrData(const std::string& data) {
  if (data.starts_with("MA,")) return data.substr(3);
  EXPECT_TRUE(data.starts_with("MM,B")) << data;
  const std::string bytes = data.substr(8);
  EXPECT_EQ(std::stoul(data.substr(4, 4)), bytes.size()) << data;
  return bytes;
}

// ^BC in no mode: start codes and code set changes carry nothing, digits in code set C go in
// pairs, ">0" is '>', "><" is '^', ">=" is '~'.
std::string Code128Data(const std::string& data) {
  std::string out;
  bool setC = false;
  for (std::size_t at = 0; at < data.size();) {
    if (data[at] == '>') {
      const char code = at + 1 < data.size() ? data[at + 1] : '?';
      at += 2;
      if (code == ';' || code == '5') setC = true;
      else if (code == ':' || code == '6') setC = false;
      else if (code == '0') out += '>';
      else if (code == '<') out += '^';
      else if (code == '=') out += '~';
      else ADD_FAILURE() << "invocation >" << code << " in " << data;
    } else if (setC) {
      out += data.substr(at, 2);
      at += 2;
    } else {
      EXPECT_TRUE(data[at] != '^' && data[at] != '~') << data;
      out += data[at++];
    }
  }
  return out;
}

// The symbol's field: the one that is no text block.
const Field& Symbol(const std::vector<Field>& fields) {
  for (const auto& f : fields)
    if (f.command != "FB") return f;
  ADD_FAILURE() << "no symbol";
  return fields.front();
}

// What the printer puts into the field: the symbol's data or the text it prints.
std::string Carried(const Field& field) {
  const std::string data = HexDecoded(field);
  if (field.command == "BX") return DataMatrixData(field, data);
  if (field.command == "BQ") return QrData(data);
  if (field.command == "BC") return Code128Data(data);
  if (field.command == "FB") return TextBlockData(data);
  return data;
}

std::string RuleJson(const std::string& id, const std::string& type) {
  return R"({"ruleId": ")" + id + R"(", "ruleName": "zpl", "length": 12, "barCodeType": ")" + type +
         R"(", "items": [{"itemType": "ISTFixed", "length": 2, "relevantValue": "ZP"},
         {"itemType": "ISTInventory", "length": 6}, {"itemType": "ISTSequence", "length": 4, "relevantValue": "0001"}]})";
}

class CliZplFieldsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<ScratchDir>();
    cli_ = std::make_unique<CliSession>("sqlite:" + (*dir_ / "zpl.db").string(), dir_->path());
    ASSERT_EQ(cli_->Run({"init", "--demo"}).exitCode, 0);
    for (const auto& [id, type] :
         {std::pair{"Z128", "Code 128"}, std::pair{"ZQR", "QR Code"}, std::pair{"ZDM", "Data Matrix"}})
      ASSERT_EQ(cli_->Run({"rule", "create", "-"}, RuleJson(id, type)).exitCode, 0) << id;
  }
  static void TearDownTestSuite() {
    cli_.reset();
    dir_.reset();
  }
  static std::string File(const std::string& name) { return (*dir_ / name).string(); }

  // The label of `text` by `rule` as ZPL (one label, its fields) and what its PNG scans as.
  static std::vector<Field> ZplFields(const std::string& text, const std::string& rule, const std::string& file,
                                      std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"label", text, "--rule", rule, "--out", File(file)};
    args.insert(args.end(), extra.begin(), extra.end());
    cli_->Json(args);
    const std::string zpl = ReadText(File(file));
    EXPECT_EQ(CountOf(zpl, "^XA"), 1u) << zpl;
    EXPECT_EQ(CountOf(zpl, "^XZ"), 1u) << zpl;
    EXPECT_EQ(CountOf(zpl, "~"), 0u) << "no control command can reach the printer: " << zpl;
    return Fields(zpl);
  }
  static std::string Scanned(const std::string& text, const std::string& rule, const std::string& png) {
    cli_->Json({"label", text, "--rule", rule, "--out", File(png)});
    const auto hits = cli_->Run({"--json", "scan", File(png)}).Json();
    return hits.is_array() && hits.size() == 1 ? hits[0].value("scanned", "") : "";
  }

  static std::unique_ptr<ScratchDir> dir_;
  static std::unique_ptr<CliSession> cli_;
};

std::unique_ptr<ScratchDir> CliZplFieldsTest::dir_;
std::unique_ptr<CliSession> CliZplFieldsTest::cli_;

TEST_F(CliZplFieldsTest, EachSymbolCarriesWhatItsImageScansAs) {
  // Escape and command characters of every layer, field-block sequences, and Chinese text.
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Z128", "A~1_^X>Z#\\&9"}, {"Z128", "PH10000100001"}, {"ZDM", "A~1_00001"},
      {"ZDM", "\\&\\&#1_#5026"}, {"ZQR", "\\&\\&\\&~1_^XZ"},  {"ZQR", "批号\\&中文~1_#"}};
  int n = 0;
  for (const auto& [rule, text] : cases) {
    SCOPED_TRACE(rule + " " + text);
    const std::string name = "case" + std::to_string(n++);
    const auto fields = ZplFields(text, rule, name + ".zpl");
    ASSERT_GE(fields.size(), 2u);
    EXPECT_EQ(Carried(Symbol(fields)), text) << "the symbol";
    EXPECT_EQ(Carried(fields.back()), text) << "the text under it";
    EXPECT_EQ(Scanned(text, rule, name + ".png"), text) << "the image of the same label";
  }
}

TEST_F(CliZplFieldsTest, ModulesAreAtLeastAQuarterMillimetre) {
  for (const auto& [rule, text] : {std::pair{"Z128", "PH10000100001"}, std::pair{"ZQR", "QR1000010001"},
                                   std::pair{"ZDM", "DM1000010001"}}) {
    SCOPED_TRACE(rule);
    EXPECT_GE(Symbol(ZplFields(text, rule, "m203.zpl")).Module(), 2);
    EXPECT_GE(Symbol(ZplFields(text, rule, "m300.zpl", {"--dpi", "300"})).Module(), 3);
  }
  // A label too small for 2-dot modules names the smallest size that fits, and that size prints.
  const std::string longText = "ABCDEFGHIJKLMNOPQRSTUVWX";
  const auto r = cli_->Run({"label", longText, "--rule", "Z128", "--out", File("long.zpl")});
  ASSERT_EQ(r.exitCode, 1) << r.out;
  std::smatch size;
  ASSERT_TRUE(std::regex_search(r.err, size, std::regex("--size (\\d+)x(\\d+)mm"))) << r.err;
  EXPECT_FALSE(std::filesystem::exists(File("long.zpl")));
  const int width = std::stoi(size[1]);
  EXPECT_GT(width, 50);
  EXPECT_EQ(Symbol(ZplFields(longText, "Z128", "long.zpl", {"--size", size[0].str().substr(7)})).Module(), 2);
  cli_->ExpectRefused({"label", longText, "--rule", "Z128", "--out", File("long.zpl"), "--size",
                       std::to_string(width - 1) + "x" + size[2].str() + "mm"},
                      "放不下");
  // --module says otherwise: one-dot bars on the small label, or a refusal of what no printer takes.
  EXPECT_EQ(Symbol(ZplFields(longText, "Z128", "one.zpl", {"--module", "1"})).Module(), 1);
  cli_->ExpectRefused({"label", longText, "--rule", "Z128", "--out", File("x.zpl"), "--module", "0"}, "模块宽度");
  cli_->ExpectRefused({"label", longText, "--rule", "Z128", "--out", File("x.zpl"), "--module", "11"}, "模块宽度");
  cli_->ExpectRefused({"label", longText, "--rule", "Z128", "--out", File("x.png"), "--module", "2"}, "只用于 ZPL");
}

TEST_F(CliZplFieldsTest, OptionValuesAndTextNeverBecomeCommands) {
  for (const char* font : {"E:X.TTF^XZ^XA^FO0,0^A0N,80,80^FDINJECTED^FS", "E:X~JA.TTF", "X.TTF", "E:", "E:中文.TTF"})
    cli_->ExpectRefused({"label", "PH1", "--rule", "Z128", "--out", File("f.zpl"), "--printer-font", font}, "打印机字体");
  EXPECT_FALSE(std::filesystem::exists(File("f.zpl")));
  ZplFields("PH1", "Z128", "font.zpl", {"--printer-font", "E:CJK_1.TTF"});
  const std::string zpl = ReadText(File("font.zpl"));
  EXPECT_NE(zpl.find(",E:CJK_1.TTF^FB"), std::string::npos) << zpl;

  // A tab or a line break is refused as what it is, in every format.
  for (const char* file : {"c.zpl", "c.png", "c.pdf"}) {
    cli_->ExpectRefused({"label", "A\tB", "--rule", "ZQR", "--out", File(file)}, "控制字符 U+0009");
    cli_->ExpectRefused({"label", "A\nB", "--rule", "ZQR", "--out", File(file)}, "控制字符 U+000A");
    EXPECT_FALSE(std::filesystem::exists(File(file)));
  }
}

TEST_F(CliZplFieldsTest, PaperSizesAreBoundedLikeLabelSizes) {
  for (const char* paper : {"1e308x1e308mm", "100000x100000mm", "5x5mm", "2000x297mm"})
    cli_->ExpectRefused({"label", "PH1", "--rule", "Z128", "--sheet", paper, "--out", File("s.pdf")}, "超出范围");
  EXPECT_FALSE(std::filesystem::exists(File("s.pdf")));
  cli_->Json({"label", "PH1", "--rule", "Z128", "--sheet", "841x1189mm", "--out", File("a0.pdf")});
}

}  // namespace
}  // namespace quillstone::test
