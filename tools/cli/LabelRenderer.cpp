#include "cli/LabelRenderer.h"

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cli/CliError.h"
#include "cli/TextWidth.h"

namespace quillstone::cli {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using SymbolPtr = std::unique_ptr<zint_symbol, SymbolDeleter>;

// zint's caption font is about 3.5 modules wide per character at any scale.
constexpr double kCaptionModulesPerChar = 3.5;

std::string Extension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

// Cuts UTF-8 text to at most `bytes` bytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

void Check(int rc, const zint_symbol& symbol, const std::string& what) {
  if (rc >= ZINT_ERROR) throw CliError(what + ": " + symbol.errtxt);
}

}  // namespace

std::string LabelRenderer::CaptionFor(const std::string& text, bool raster) {
  if (!raster) return text;
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if ((c & 0xC0) != 0x80) {
      out += '?';
    }
  }
  return out;
}

void LabelRenderer::Render(const std::string& text, const Symbology& symbology, const std::string& path) {
  const std::string ext = Extension(path);
  if (ext != ".png" && ext != ".svg") throw CliError("label file '" + path + "' must end in .png or .svg");
  symbology.CheckEncodable(text);

  SymbolPtr symbol(ZBarcode_Create());
  if (!symbol) throw CliError("zint could not allocate a symbol");
  if (path.size() >= sizeof(symbol->outfile)) throw CliError("label file path is too long: " + path);
  std::strncpy(symbol->outfile, path.c_str(), sizeof(symbol->outfile) - 1);

  symbol->symbology = symbology.zintSymbology();
  symbol->input_mode = UNICODE_MODE;
  symbol->output_options |= BARCODE_QUIET_ZONES;
  symbol->scale = symbology.twoDimensional() ? 3.0f : 2.0f;
  // Square Data Matrix symbols read more reliably than the long rectangular ones.
  if (symbology.kind() == Symbology::Kind::DataMatrix) symbol->option_3 = DM_SQUARE;
  // Text beyond ASCII (Chinese fixed segments) travels as UTF-8, announced by its ECI.
  if (symbology.twoDimensional() && !IsAscii(text)) symbol->eci = 26;

  Check(
      ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size())),
      *symbol, "cannot encode '" + text + "' as " + symbology.name());

  if (symbology.twoDimensional()) {
    // zint prints no text under matrix symbols of its own accord; it prints whatever text the
    // symbol holds, so the caption goes there, with room made for it beside the symbol.
    const std::string caption = CutUtf8(CaptionFor(text, ext == ".png"), sizeof(symbol->text) - 1);
    std::memset(symbol->text, 0, sizeof(symbol->text));
    std::memcpy(symbol->text, caption.data(), caption.size());
    const double captionModules = DisplayWidth(caption) * kCaptionModulesPerChar + 2;
    const double missing = captionModules - symbol->width;
    symbol->whitespace_width = missing > 0 ? static_cast<int>(std::ceil(missing / 2)) : 0;
  }
  Check(ZBarcode_Print(symbol.get(), 0), *symbol, "cannot write label '" + path + "'");
}

}  // namespace quillstone::cli
