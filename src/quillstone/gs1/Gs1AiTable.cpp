#include "quillstone/gs1/Gs1AiTable.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quillstone {
namespace {

constexpr Gs1Ai Fixed(std::string_view code, std::string_view title, std::string_view name, uint8_t length,
                      Gs1Check check = Gs1Check::None) {
  return {code, title, name, Gs1Charset::Numeric, length, length, check};
}
constexpr Gs1Ai Digits(std::string_view code, std::string_view title, std::string_view name, uint8_t maxLength) {
  return {code, title, name, Gs1Charset::Numeric, 1, maxLength};
}
constexpr Gs1Ai Text(std::string_view code, std::string_view title, std::string_view name, uint8_t maxLength) {
  return {code, title, name, Gs1Charset::Alphanumeric, 1, maxLength};
}
constexpr Gs1Ai Measure(std::string_view code, std::string_view title, std::string_view name) {
  Gs1Ai ai = Fixed(code, title, name, 6);
  ai.decimals = static_cast<int8_t>(code.back() - '0');
  return ai;
}
constexpr Gs1Ai Key(Gs1Ai ai) {
  ai.linkRole = Gs1LinkRole::PrimaryKey;
  return ai;
}
constexpr Gs1Ai QualifierOf(std::string_view key, uint8_t order, Gs1Ai ai) {
  ai.linkRole = Gs1LinkRole::Qualifier;
  ai.qualifies = key;
  ai.linkOrder = order;
  return ai;
}

// The table, sorted by code. Lengths, character sets and checks are the standard's; a Digital
// Link keeps GTIN's qualifiers in the order 22, 10, 21.
constexpr Gs1Ai kTable[] = {
    Key(Fixed("00", "SSCC", "系列货运包装箱代码", 18, Gs1Check::CheckDigit)),
    Key(Fixed("01", "GTIN", "全球贸易项目代码", 14, Gs1Check::CheckDigit)),
    Fixed("02", "CONTENT", "所含贸易项目的代码", 14, Gs1Check::CheckDigit),
    QualifierOf("01", 2, Text("10", "BATCH/LOT", "批号", 20)),
    Fixed("11", "PROD DATE", "生产日期", 6, Gs1Check::DateDay00),
    Fixed("13", "PACK DATE", "包装日期", 6, Gs1Check::DateDay00),
    Fixed("15", "BEST BEFORE", "保质期", 6, Gs1Check::DateDay00),
    Fixed("16", "SELL BY", "销售截止日期", 6, Gs1Check::DateDay00),
    Fixed("17", "USE BY OR EXPIRY", "有效期", 6, Gs1Check::DateDay00),
    Fixed("20", "VARIANT", "产品变体", 2),
    QualifierOf("01", 3, Text("21", "SERIAL", "序列号", 20)),
    QualifierOf("01", 1, Text("22", "CPV", "消费品变体", 20)),
    Digits("30", "VAR. COUNT", "可变数量", 8),
    Measure("3100", "NET WEIGHT (kg)", "净重(千克)"),
    Measure("3101", "NET WEIGHT (kg)", "净重(千克)"),
    Measure("3102", "NET WEIGHT (kg)", "净重(千克)"),
    Measure("3103", "NET WEIGHT (kg)", "净重(千克)"),
    Measure("3104", "NET WEIGHT (kg)", "净重(千克)"),
    Measure("3105", "NET WEIGHT (kg)", "净重(千克)"),
    Measure("3300", "GROSS WEIGHT (kg)", "毛重(千克)"),
    Measure("3301", "GROSS WEIGHT (kg)", "毛重(千克)"),
    Measure("3302", "GROSS WEIGHT (kg)", "毛重(千克)"),
    Measure("3303", "GROSS WEIGHT (kg)", "毛重(千克)"),
    Measure("3304", "GROSS WEIGHT (kg)", "毛重(千克)"),
    Measure("3305", "GROSS WEIGHT (kg)", "毛重(千克)"),
    Digits("37", "COUNT", "所含贸易项目的数量", 8),
    Text("240", "ADDITIONAL ID", "附加产品标识", 30),
    Text("241", "CUST. PART No.", "客户方代码", 30),
    Text("250", "SECONDARY SERIAL", "二级序列号", 30),
    Text("400", "ORDER NUMBER", "订单号", 30),
    Text("401", "GINC", "全球托运标识代码", 30),
    Fixed("402", "GSIN", "全球装运标识代码", 17, Gs1Check::CheckDigit),
    Fixed("410", "SHIP TO LOC", "交货地全球位置码", 13, Gs1Check::CheckDigit),
    Fixed("411", "BILL TO", "受票方全球位置码", 13, Gs1Check::CheckDigit),
    Fixed("412", "PURCHASE FROM", "供货方全球位置码", 13, Gs1Check::CheckDigit),
    Fixed("413", "SHIP FOR LOC", "最终收货方全球位置码", 13, Gs1Check::CheckDigit),
    Key(Fixed("414", "LOC No.", "物理位置全球位置码", 13, Gs1Check::CheckDigit)),
    Fixed("415", "PAY TO", "开票方全球位置码", 13, Gs1Check::CheckDigit),
    Fixed("416", "PROD/SERV LOC", "生产或服务地全球位置码", 13, Gs1Check::CheckDigit),
    Key(Fixed("417", "PARTY", "参与方全球位置码", 13, Gs1Check::CheckDigit)),
    Text("420", "SHIP TO POST", "交货地邮政编码", 20),
    Fixed("422", "ORIGIN", "原产国", 3),
    Fixed("7003", "EXPIRY TIME", "有效期(日期和时间)", 10, Gs1Check::DateTime),
    Text("90", "INTERNAL", "贸易伙伴之间约定的信息", 30),
    Text("91", "INTERNAL", "企业内部信息", 90),
    Text("92", "INTERNAL", "企业内部信息", 90),
    Text("93", "INTERNAL", "企业内部信息", 90),
    Text("94", "INTERNAL", "企业内部信息", 90),
    Text("95", "INTERNAL", "企业内部信息", 90),
    Text("96", "INTERNAL", "企业内部信息", 90),
    Text("97", "INTERNAL", "企业内部信息", 90),
    Text("98", "INTERNAL", "企业内部信息", 90),
    Text("99", "INTERNAL", "企业内部信息", 90),
};

int CodeNumber(std::string_view code) {
  int n = 0;
  for (char c : code) n = n * 10 + (c - '0');
  return n;
}

// Flat lookups indexed by the AI's digits: the digit count for each two-digit start, and the
// table row (+1, 0 for none) of every 2-, 3- and 4-digit AI.
struct Index {
  std::array<uint8_t, 100> codeLength{};
  std::array<uint8_t, 100> row2{};
  std::array<uint8_t, 1000> row3{};
  std::array<uint8_t, 10000> row4{};

  Index() {
    static_assert(std::size(kTable) < 255);
    for (std::size_t i = 0; i < std::size(kTable); ++i) {
      const std::string_view code = kTable[i].code;
      codeLength[CodeNumber(code.substr(0, 2))] = static_cast<uint8_t>(code.size());
      const auto row = static_cast<uint8_t>(i + 1);
      if (code.size() == 2) row2[CodeNumber(code)] = row;
      if (code.size() == 3) row3[CodeNumber(code)] = row;
      if (code.size() == 4) row4[CodeNumber(code)] = row;
    }
  }
};

const Index& TheIndex() {
  static const Index index;
  return index;
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool Gs1Ai::predefinedLength() const {
  const int start = (code[0] - '0') * 10 + (code[1] - '0');
  return start <= 4 || (start >= 11 && start <= 20) || (start >= 31 && start <= 36) || start == 41;
}

std::span<const Gs1Ai> Gs1AiTable::All() { return kTable; }

const Gs1Ai* Gs1AiTable::Find(std::string_view code) {
  if (code.size() < 2 || code.size() > 4 || !AllDigits(code)) return nullptr;
  const Index& index = TheIndex();
  const int n = CodeNumber(code);
  uint8_t row = 0;
  switch (code.size()) {
    case 2:
      row = index.row2[n];
      break;
    case 3:
      row = index.row3[n];
      break;
    default:
      row = index.row4[n];
      break;
  }
  return row == 0 ? nullptr : &kTable[row - 1];
}

int Gs1AiTable::CodeLength(char first, char second) {
  if (first < '0' || first > '9' || second < '0' || second > '9') return 0;
  return TheIndex().codeLength[(first - '0') * 10 + (second - '0')];
}

}  // namespace quillstone
