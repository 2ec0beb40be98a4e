// The label writers through the library alone: each format's bytes are what its reader
// accepts (PNG signature and size, SVG root, PDF header and pages, ZPL ^XA...^XZ with the data),
// a file holds the same bytes, and what cannot be printed is refused with the library's message.
#include "quillstone/labels/LabelWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "quillstone/platform/Error.h"
#include "support/CaughtError.h"

using namespace quillstone;

namespace {

using Kind = Symbology::Kind;

// The library's message for what it refuses.
template <typename F>
std::string Refusal(F&& call) {
  return test::FailureText(std::forward<F>(call), "Error");
}

const LabelSize kSize(50, 30, 203);

Label Code39Label(const std::string& text = "QS-001") {
  return Label(text, Symbology::ForKind(Kind::Code39), "螺丝 M4");
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

int CountOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

int PdfPages(const std::string& pdf) {
  std::smatch m;
  const std::regex count("/Type /Pages[^>]*/Count ([0-9]+)");
  if (std::regex_search(pdf, m, count)) return std::stoi(m[1]);
  return -1;
}

class ScratchDir {
 public:
  ScratchDir() : path_(std::filesystem::temp_directory_path() / ("qs_labelwriter_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(LabelWriterTest, PngIsAPictureOfTheLabelsSizeInDots) {
  const std::string png = LabelWriter::For(LabelFormat::Png, kSize)->Write(Code39Label());
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian(png, 16), static_cast<std::uint32_t>(kSize.widthDots()));
  EXPECT_EQ(BigEndian(png, 20), static_cast<std::uint32_t>(kSize.heightDots()));
}

TEST(LabelWriterTest, SvgHasItsRootElementAndTitle) {
  const std::string svg = LabelWriter::For(LabelFormat::Svg, kSize)->Write(Code39Label());
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_NE(svg.find("<title>QS-001 螺丝 M4</title>"), std::string::npos);
}

TEST(LabelWriterTest, PdfPutsOneLabelOnAPageOrASheetOfMany) {
  const std::vector<Label> labels(5, Code39Label());
  const std::string onePerPage = LabelWriter::For(LabelFormat::Pdf, kSize)->Write(labels);
  EXPECT_EQ(onePerPage.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(PdfPages(onePerPage), 5);

  LabelWriter::Options options;
  options.sheet = LabelSheet("A4", "2x2", "10x7mm");
  const std::string sheet = LabelWriter::For(LabelFormat::Pdf, kSize, options)->Write(labels);
  EXPECT_EQ(sheet.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(PdfPages(sheet), 2);
}

TEST(LabelWriterTest, ZplHoldsEachLabelFromXaToXzWithItsData) {
  const std::vector<Label> labels{Code39Label("QS-001"), Code39Label("QS-002")};
  const std::string zpl = LabelWriter::For(LabelFormat::Zpl, kSize)->Write(labels);
  EXPECT_EQ(zpl.rfind("^XA", 0), 0u);
  EXPECT_EQ(zpl.substr(zpl.size() - 4), "^XZ\n");
  EXPECT_EQ(CountOf(zpl, "^XA"), 2);
  EXPECT_EQ(CountOf(zpl, "^XZ"), 2);
  EXPECT_NE(zpl.find("^B3N"), std::string::npos);
  EXPECT_NE(zpl.find("QS-001"), std::string::npos);
  EXPECT_NE(zpl.find("QS-002"), std::string::npos);
}

TEST(LabelWriterTest, EveryPrintableSymbologyWritesInEveryFormat) {
  const LabelSize size(80, 40, 203);
  const std::string gs1 = "(01)09506000134352(10)ABC123";
  for (const auto& s : Symbology::All()) {
    std::string text = "QS001";
    if (s.kind() == Kind::Ean13) text = "690123456789";
    if (s.gs1()) text = gs1;
    if (s.digitalLink()) text = "https://id.gs1.org/01/09506000134352/10/ABC123";
    const Label label(text, s, "螺丝");
    for (auto format : {LabelFormat::Png, LabelFormat::Svg, LabelFormat::Pdf}) {
      EXPECT_FALSE(LabelWriter::For(format, size)->Write(label).empty()) << s.name() << " " << LabelFormatName(format);
    }
    // The printer's QR Code command has no FNC1 mode.
    if (s.kind() == Kind::Gs1QrCode) {
      EXPECT_NE(Refusal([&] { LabelWriter::For(LabelFormat::Zpl, size)->Write(label); }).find("没有 ZPL 写法"),
                std::string::npos);
    } else {
      EXPECT_NE(LabelWriter::For(LabelFormat::Zpl, size)->Write(label).find("^XZ"), std::string::npos) << s.name();
    }
  }
}

TEST(LabelWriterTest, AFileHoldsTheSameBytes) {
  ScratchDir dir;
  for (auto format : {LabelFormat::Png, LabelFormat::Svg, LabelFormat::Zpl}) {
    const auto writer = LabelWriter::For(format, kSize);
    const std::string file = dir.File("label." + LabelFormatName(format));
    writer->WriteFile(Code39Label(), file);
    // cairo numbers its SVG surfaces through the process; the drawing is the same.
    const std::regex surface("surface[0-9]+");
    EXPECT_TRUE(std::regex_replace(ReadAll(file), surface, "surface") ==
                std::regex_replace(writer->Write(Code39Label()), surface, "surface"))
        << LabelFormatName(format);
  }
  const std::string pdf = dir.File("labels.pdf");
  LabelWriter::For(LabelFormat::Pdf, kSize)->WriteFile({Code39Label(), Code39Label()}, pdf);
  EXPECT_EQ(ReadAll(pdf).rfind("%PDF-", 0), 0u);
  EXPECT_EQ(PdfPages(ReadAll(pdf)), 2);
  EXPECT_FALSE(std::filesystem::exists(pdf + ".part"));
}

TEST(LabelWriterTest, APictureHoldsOneLabelAndNoneIsRefused) {
  const std::vector<Label> two{Code39Label(), Code39Label()};
  EXPECT_NE(Refusal([&] { LabelWriter::For(LabelFormat::Png, kSize)->Write(two); }).find("只印 1 张"),
            std::string::npos);
  EXPECT_EQ(Refusal([&] { LabelWriter::For(LabelFormat::Zpl, kSize)->Write(std::vector<Label>{}); }), "没有可印的标签");
}

TEST(LabelWriterTest, AZplLabelTooSmallForItsSymbolIsRefused) {
  const LabelSize tiny(15, 8, 203);
  const Label label("QS-0000000000000000000001", Symbology::ForKind(Kind::Code128));
  const std::string message = Refusal([&] { LabelWriter::For(LabelFormat::Zpl, tiny)->Write(label); });
  EXPECT_NE(message.find("条码 'QS-0000000000000000000001' 在 15×8 mm 的标签上放不下"), std::string::npos) << message;
}

TEST(LabelWriterTest, Gs1TextAGs1_128SymbolCannotHoldIsRefused) {
  const std::string text = "(01)09506000134352(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJKLMNOPQRST";
  const Label label(text, Symbology::ForKind(Kind::Gs1_128));
  for (auto format : {LabelFormat::Png, LabelFormat::Zpl}) {
    const std::string message = Refusal([&] { LabelWriter::For(format, kSize)->Write(label); });
    EXPECT_NE(message.find("GS1-128 条码最多容纳 48 个数据字符"), std::string::npos) << message;
  }
  // Text that is no element string at all.
  const Label plain("ABC", Symbology::ForKind(Kind::Gs1_128));
  EXPECT_NE(Refusal([&] { LabelWriter::For(LabelFormat::Png, kSize)->Write(plain); }).find("GS1-128 只能印 GS1 元素串"),
            std::string::npos);
}

}  // namespace
