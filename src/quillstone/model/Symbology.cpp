#include "quillstone/model/Symbology.h"

#include <algorithm>
#include <cctype>

#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

using Kind = Symbology::Kind;

// "Code 128", "code128" and "CODE-128" name one symbology.
std::string Normalised(const std::string& text) {
  std::string out;
  for (unsigned char c : text)
    if (!std::isspace(c) && c != '-' && c != '_') out += static_cast<char>(std::tolower(c));
  return out;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// One row per symbology, the catalogue's in catalogue order. `ruleNames` are the other names a
// rule's barCodeType may give (stored rules rely on them); `otherNames` are accepted by Named only.
struct Row {
  Kind kind;
  const char* name;
  const char* identifier;
  std::vector<const char*> ruleNames;
  std::vector<const char*> otherNames;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {Kind::Code128, "Code 128", "]C0", {}, {}},
      {Kind::Ean13, "EAN-13", "]E0", {}, {}},
      {Kind::Code39, "Code 39", "]A0", {}, {}},
      {Kind::QrCode, "QR Code", "]Q1", {"qr"}, {}},
      {Kind::DataMatrix, "Data Matrix", "]d1", {}, {}},
      {Kind::Gs1_128, "GS1-128", "]C1", {}, {"ucc/ean128", "ean128"}},
      {Kind::Gs1DataMatrix, "GS1 DataMatrix", "]d2", {}, {"gs1-dm"}},
      {Kind::Gs1QrCode, "GS1 QR Code", "]Q3", {}, {"gs1-qr"}},
      {Kind::DigitalLinkQr, "GS1 Digital Link QR Code", "]Q1", {}, {"gs1-link", "digital-link", "link-qr"}},
  };
  return rows;
}

const Row& RowOf(Kind kind) {
  for (const auto& row : Rows())
    if (row.kind == kind) return row;
  return Rows().front();
}

}  // namespace

std::vector<Symbology> Symbology::All() {
  std::vector<Symbology> out;
  for (const auto& row : Rows()) out.push_back(Symbology(row.kind));
  return out;
}

std::optional<Symbology> Symbology::Named(const std::string& name) {
  const std::string wanted = Normalised(name);
  if (wanted.empty()) return std::nullopt;
  for (const auto& s : All())
    for (const auto& n : s.names())
      if (Normalised(n) == wanted) return s;
  return std::nullopt;
}

Symbology Symbology::ForGs1Name(const std::string& name) {
  const auto s = Named(name);
  if (!s || !s->gs1()) RaiseError("GS1条码类型'" + name + "'不存在，可用 gs1-128、gs1-datamatrix、gs1-qr 或 gs1-link");
  return *s;
}

const clsBarCodeType* Symbology::CatalogueRow(const std::string& barCodeType,
                                              const std::vector<clsBarCodeType>& types) {
  const std::string trimmed = Trimmed(barCodeType);
  const std::string key = Normalised(trimmed);
  for (const auto& type : types)
    if (Normalised(type.typeName()) == key || std::to_string(type.typeId()) == trimmed) return &type;
  return nullptr;
}

std::optional<Symbology> Symbology::FindRuleType(const std::string& barCodeType,
                                                 const std::vector<clsBarCodeType>& types) {
  const clsBarCodeType* row = CatalogueRow(barCodeType, types);
  const std::string wanted = Normalised(row != nullptr ? row->typeName() : barCodeType);
  if (wanted.empty()) return Symbology(Kind::Code128);
  for (const auto& r : Rows()) {
    if (r.kind == Kind::DigitalLinkQr) continue;
    if (Normalised(r.name) == wanted) return Symbology(r.kind);
    for (const char* n : r.ruleNames)
      if (Normalised(n) == wanted) return Symbology(r.kind);
  }
  return std::nullopt;
}

Symbology Symbology::ForRuleType(const std::string& barCodeType, const std::vector<clsBarCodeType>& types) {
  if (auto s = FindRuleType(barCodeType, types)) return *s;
  RaiseError("条码类型'" + barCodeType +
                 "'没有可打印的码制；请用 Code 128、EAN-13、Code 39、QR Code、Data Matrix、GS1-128、"
                 "GS1 DataMatrix 或 GS1 QR Code");
}

Symbology Symbology::ForRule(const clsBarCodeRule& rule, const std::vector<clsBarCodeType>& types) {
  return ForRuleType(rule.barCodeType(), types);
}

Symbology Symbology::ForRule(const clsBarCodeRule& rule, const Collection<std::shared_ptr<clsBarCodeType>>& types) {
  std::vector<clsBarCodeType> rows;
  for (const auto& type : types)
    if (type) rows.push_back(*type);
  return ForRuleType(rule.barCodeType(), rows);
}

std::optional<Symbology> Symbology::ForIdentifier(const std::string& symbologyIdentifier) {
  // ]Q1 is any QR Code read without ECI or FNC1; a Digital Link is read so, and it is the one
  // QR Code that carries GS1 data without GS1 mode.
  if (symbologyIdentifier == RowOf(Kind::DigitalLinkQr).identifier) return Symbology(Kind::DigitalLinkQr);
  for (const auto& row : Rows())
    if (row.identifier == symbologyIdentifier) return Symbology(row.kind);
  return std::nullopt;
}

std::string Symbology::name() const { return RowOf(kind_).name; }

std::string Symbology::identifier() const { return RowOf(kind_).identifier; }

std::vector<std::string> Symbology::names() const {
  const Row& row = RowOf(kind_);
  std::vector<std::string> out{row.name};
  for (const char* n : row.ruleNames) out.emplace_back(n);
  for (const char* n : row.otherNames) out.emplace_back(n);
  return out;
}

void Symbology::CheckEncodable(const std::string& text) const {
  if (text.empty()) RaiseError("空条码不能打印");
  if (gs1()) {
    try {
      Gs1ElementString::Parse(text);
    } catch (const Error& e) {
      RaiseError(name() + " 只能印 GS1 元素串（例如 (01)09506000134352(10)ABC123）；'" + text +
                     "'不是：" + e.description());
    }
    if (kind_ == Kind::Gs1_128) CheckFitsGs1_128(text);
    return;
  }
  switch (kind_) {
    case Kind::Ean13:
      if (!AllDigits(text) || (text.size() != 12 && text.size() != 13))
        RaiseError("EAN-13 只能印12位数字（由条码加上校验位）或校验位正确的13位数字；'" +
                       text + "'不是");
      break;
    case Kind::Code39:
      for (unsigned char c : text)
        if (!(std::isdigit(c) || std::isupper(c) ||
              std::string(" -.$/+%").find(static_cast<char>(c)) != std::string::npos))
          RaiseError("Code 39 只能印数字、大写字母、空格和 - . $ / + %；'" + text +
                         "'含有其它字符");
      break;
    case Kind::Code128:
      for (unsigned char c : text)
        if (c >= 0x80)
          RaiseError("Code 128 只能印 ASCII 文本；请把'" + text + "'印成 QR Code 或 Data Matrix");
      break;
    default:
      break;
  }
}

void Symbology::CheckFitsGs1_128(const std::string& text) {
  const std::size_t length = Gs1ElementString::Parse(text).ToRaw().size();
  if (length > Gs1ElementString::kMaxGs1_128Characters)
    RaiseError("GS1-128 条码最多容纳 " + std::to_string(Gs1ElementString::kMaxGs1_128Characters) +
                   " 个数据字符（含应用标识符和字段间的分隔符），'" + text + "' 有 " + std::to_string(length) +
                   " 个；请改用 GS1 DataMatrix");
}

std::vector<std::string> Symbology::RegistryCandidates(const std::string& scanned) const {
  std::vector<std::string> out{scanned};
  if (kind_ == Kind::Ean13 && scanned.size() == 13 && AllDigits(scanned)) out.push_back(scanned.substr(0, 12));
  return out;
}

}  // namespace quillstone
