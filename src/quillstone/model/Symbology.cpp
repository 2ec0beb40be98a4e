#include "quillstone/model/Symbology.h"

#include <algorithm>
#include <cctype>

#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/platform/Error.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone {
namespace {

std::string Normalised(const std::string& text) {
  std::string out;
  for (unsigned char c : text)
    if (!std::isspace(c) && c != '-' && c != '_') out += static_cast<char>(std::tolower(c));
  return out;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

std::vector<Symbology> Symbology::All() {
  return {Symbology(Kind::Code128),       Symbology(Kind::Ean13),      Symbology(Kind::Code39),
          Symbology(Kind::QrCode),        Symbology(Kind::DataMatrix), Symbology(Kind::Gs1_128),
          Symbology(Kind::Gs1DataMatrix), Symbology(Kind::Gs1QrCode),  Symbology(Kind::DigitalLinkQr)};
}

std::optional<Symbology> Symbology::ForIdentifier(const std::string& symbologyIdentifier) {
  // ]Q1 is any QR Code read without ECI; a Digital Link is read so, and the plain QR Code's text
  // is told from a link only by its content.
  if (symbologyIdentifier == "]Q1") return Symbology(Kind::DigitalLinkQr);
  for (const auto& s : All())
    if (s.identifier() == symbologyIdentifier) return s;
  return std::nullopt;
}

Symbology Symbology::ForRuleType(const std::string& barCodeType,
                                 const std::vector<std::pair<std::string, std::string>>& typeNames) {
  std::string wanted = barCodeType;
  for (const auto& [id, name] : typeNames)
    if (id == barCodeType) wanted = name;
  if (Normalised(wanted).empty()) return Symbology(Kind::Code128);
  for (const auto& s : All())
    if (Normalised(s.name()) == Normalised(wanted)) return s;
  if (Normalised(wanted) == "qr") return Symbology(Kind::QrCode);
  RaiseError("条码类型'" + barCodeType +
                 "'没有可打印的码制；请用 Code 128、EAN-13、Code 39、QR Code、Data Matrix、GS1-128、"
                 "GS1 DataMatrix 或 GS1 QR Code");
}

Symbology Symbology::ForRule(const clsBarCodeRule& rule, clsRuleManager& rules) {
  std::vector<std::pair<std::string, std::string>> names;
  if (AllDigits(rule.barCodeType())) {
    const auto types = rules.ListBarCodeTypes();
    for (const auto& type : *types) names.emplace_back(std::to_string(type->typeId()), type->typeName());
  }
  return ForRuleType(rule.barCodeType(), names);
}

std::string Symbology::name() const {
  switch (kind_) {
    case Kind::Code128:
      return "Code 128";
    case Kind::Ean13:
      return "EAN-13";
    case Kind::Code39:
      return "Code 39";
    case Kind::QrCode:
      return "QR Code";
    case Kind::DataMatrix:
      return "Data Matrix";
    case Kind::Gs1_128:
      return "GS1-128";
    case Kind::Gs1DataMatrix:
      return "GS1 DataMatrix";
    case Kind::Gs1QrCode:
      return "GS1 QR Code";
    case Kind::DigitalLinkQr:
      return "GS1 Digital Link QR Code";
  }
  return "";
}

std::string Symbology::identifier() const {
  switch (kind_) {
    case Kind::Code128:
      return "]C0";
    case Kind::Ean13:
      return "]E0";
    case Kind::Code39:
      return "]A0";
    case Kind::QrCode:
      return "]Q1";
    case Kind::DataMatrix:
      return "]d1";
    case Kind::Gs1_128:
      return "]C1";
    case Kind::Gs1DataMatrix:
      return "]d2";
    case Kind::Gs1QrCode:
      return "]Q3";
    case Kind::DigitalLinkQr:
      return "]Q1";
  }
  return "";
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
