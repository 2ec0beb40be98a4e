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

int ZintSymbology(const Symbology& symbology) {
  if (symbology.dataMatrix()) return BARCODE_DATAMATRIX;
  if (symbology.qrCode()) return BARCODE_QRCODE;
  return BARCODE_GS1_128;
}

}  // namespace

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

void Gs1Symbol::Render(const Gs1ElementString& elements, const Symbology& symbology, const std::string& path) {
  if (!symbology.gs1()) RaiseError(symbology.name() + " 不是GS1码制，不能印GS1数据");
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext != ".png" && ext != ".svg") RaiseError("GS1标签文件'" + path + "'必须以 .png 或 .svg 结尾");

  std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
  if (!symbol) RaiseError("zint 无法分配条码符号");
  if (path.size() >= sizeof(symbol->outfile)) RaiseError("标签文件路径太长：" + path);
  std::strncpy(symbol->outfile, path.c_str(), sizeof(symbol->outfile) - 1);
  symbol->symbology = ZintSymbology(symbology);
  const bool link = symbology.digitalLink();
  symbol->input_mode = link ? DATA_MODE : GS1_MODE;
  symbol->output_options |= BARCODE_QUIET_ZONES;
  symbol->scale = symbology.linear() ? 2.0f : 3.0f;
  if (symbology.dataMatrix()) symbol->option_3 = DM_SQUARE;

  const std::string input = link ? elements.ToDigitalLink() : ZintInput(elements);
  int rc = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(input.data()),
                           static_cast<int>(input.size()));
  if (rc >= ZINT_ERROR) RaiseError("无法把GS1数据编成 " + symbology.name() + " 条码：" + symbol->errtxt);
  rc = ZBarcode_Print(symbol.get(), 0);
  if (rc >= ZINT_ERROR) RaiseError("无法写入标签文件'" + path + "'：" + symbol->errtxt);
}

}  // namespace quillstone
