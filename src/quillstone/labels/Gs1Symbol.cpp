#include "quillstone/labels/Gs1Symbol.h"

#include <zint.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <memory>

#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

std::string Folded(const std::string& text) {
  std::string out;
  for (unsigned char c : text)
    if (!std::isspace(c) && c != '-' && c != '_') out += static_cast<char>(std::tolower(c));
  return out;
}

int ZintSymbology(Gs1Symbol::Kind kind) {
  switch (kind) {
    case Gs1Symbol::Kind::Gs1_128:
      return BARCODE_GS1_128;
    case Gs1Symbol::Kind::DataMatrix:
      return BARCODE_DATAMATRIX;
    case Gs1Symbol::Kind::QrCode:
    case Gs1Symbol::Kind::LinkQr:
      return BARCODE_QRCODE;
  }
  return BARCODE_GS1_128;
}

}  // namespace

Gs1Symbol::Kind Gs1Symbol::Named(const std::string& name) {
  const std::string folded = Folded(name);
  if (folded == "gs1128" || folded == "ucc/ean128" || folded == "ean128") return Kind::Gs1_128;
  if (folded == "gs1datamatrix" || folded == "gs1dm") return Kind::DataMatrix;
  if (folded == "gs1qr" || folded == "gs1qrcode") return Kind::QrCode;
  if (folded == "gs1link" || folded == "digitallink" || folded == "linkqr") return Kind::LinkQr;
  RaiseError("GS1条码类型'" + name + "'不存在，可用 gs1-128、gs1-datamatrix、gs1-qr 或 gs1-link");
}

std::string Gs1Symbol::Name(Kind kind) {
  switch (kind) {
    case Kind::Gs1_128:
      return "GS1-128";
    case Kind::DataMatrix:
      return "GS1 DataMatrix";
    case Kind::QrCode:
      return "GS1 QR Code";
    case Kind::LinkQr:
      return "GS1 Digital Link QR Code";
  }
  return "";
}

std::string Gs1Symbol::Identifier(Kind kind) {
  switch (kind) {
    case Kind::Gs1_128:
      return "]C1";
    case Kind::DataMatrix:
      return "]d2";
    case Kind::QrCode:
      return "]Q3";
    case Kind::LinkQr:
      return "]Q1";
  }
  return "";
}

std::optional<Gs1Symbol::Kind> Gs1Symbol::ForIdentifier(const std::string& identifier) {
  for (Kind kind : {Kind::Gs1_128, Kind::DataMatrix, Kind::QrCode, Kind::LinkQr})
    if (Identifier(kind) == identifier) return kind;
  return std::nullopt;
}

std::string Gs1Symbol::ZintInput(const Gs1ElementString& elements) {
  std::string out;
  for (const auto& e : elements.Elements()) {
    out += '[';
    out += e.ai->code;
    out += ']';
    out += e.value;
  }
  return out;
}

void Gs1Symbol::Render(const Gs1ElementString& elements, Kind kind, const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext != ".png" && ext != ".svg") RaiseError("GS1标签文件'" + path + "'必须以 .png 或 .svg 结尾");

  std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
  if (!symbol) RaiseError("zint 无法分配条码符号");
  if (path.size() >= sizeof(symbol->outfile)) RaiseError("标签文件路径太长：" + path);
  std::strncpy(symbol->outfile, path.c_str(), sizeof(symbol->outfile) - 1);
  symbol->symbology = ZintSymbology(kind);
  const bool link = kind == Kind::LinkQr;
  symbol->input_mode = link ? DATA_MODE : GS1_MODE;
  symbol->output_options |= BARCODE_QUIET_ZONES;
  symbol->scale = kind == Kind::Gs1_128 ? 2.0f : 3.0f;
  if (kind == Kind::DataMatrix) symbol->option_3 = DM_SQUARE;

  const std::string input = link ? elements.ToDigitalLink() : ZintInput(elements);
  int rc = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                           static_cast<int>(input.size()));
  if (rc >= ZINT_ERROR) RaiseError("无法把GS1数据编成 " + Name(kind) + " 条码：" + symbol->errtxt);
  rc = ZBarcode_Print(symbol.get(), 0);
  if (rc >= ZINT_ERROR) RaiseError("无法写入标签文件'" + path + "'：" + symbol->errtxt);
}

}  // namespace quillstone
