#include "src/quillstone/scanning/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// libpng reports a fatal error through a callback that must not return: it keeps the message and
// jumps back to Decode. Warnings (an unknown chunk, a bad CRC in an ancillary one) are dropped.
struct Errors {
  char message[200] = "";
};

void OnError(png_structp png, png_const_charp message) {
  auto* errors = static_cast<Errors*>(png_get_error_ptr(png));
  std::snprintf(errors->message, sizeof errors->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

struct Bytes {
  const std::string& data;
  std::size_t at = 0;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* bytes = static_cast<Bytes*>(png_get_io_ptr(png));
  if (length > bytes->data.size() - bytes->at) png_error(png, "文件不完整");
  std::memcpy(out, bytes->data.data() + bytes->at, length);
  bytes->at += length;
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// Any colour type and depth comes out as 8-bit grey, with an alpha channel when it has one.
int ToGrey(png_structp png, png_infop info) {
  png_set_expand(png);
  png_set_strip_16(png);
  if ((png_get_color_type(png, info) & PNG_COLOR_MASK_COLOR) != 0) png_set_rgb_to_gray_fixed(png, 1, -1, -1);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return passes;
}

// Grey and alpha pairs composed onto white paper.
void ComposeOnWhite(const std::vector<png_byte>& pairs, GreyPicture& out) {
  for (std::size_t i = 0; i < out.pixels.size(); ++i) {
    const unsigned grey = pairs[2 * i], alpha = pairs[2 * i + 1];
    out.pixels[i] = static_cast<uint8_t>((grey * alpha + 255 * (255 - alpha) + 127) / 255);
  }
}

// `setSource` points libpng at a file or at bytes. The size is checked once png_read_info has
// read the header, before any pixel is decoded.
template <class SetSource>
GreyPicture Decompress(SetSource setSource, const std::string& name, const ImageSizeLimit& limit) {
  Errors errors;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    RaiseError("无法读取图片 '" + name + "'：内存不足");
  }
  GreyPicture out;
  std::vector<png_byte> pairs;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    RaiseError("无法读取图片 '" + name + "'：" + errors.message);
  }
  setSource(png);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  if (!limit.Allows(width, height)) {
    png_destroy_read_struct(&png, &info, nullptr);
    limit.Require(width, height, name);
  }
  ToGrey(png, info);
  const bool alpha = png_get_channels(png, info) == 2;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.pixels.resize(static_cast<std::size_t>(width) * height);
  if (alpha) pairs.resize(out.pixels.size() * 2);
  png_bytep base = alpha ? pairs.data() : out.pixels.data();
  const std::size_t stride = alpha ? 2 * std::size_t{width} : width;
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = base + y * stride;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  if (alpha) ComposeOnWhite(pairs, out);
  return out;
}

}  // namespace

bool PngImage::IsPng(const std::string& bytes) {
  return bytes.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) == 0;
}

GreyPicture PngImage::Read(const std::string& path, const ImageSizeLimit& limit) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) RaiseError("无法读取图片 '" + path + "'：" + std::strerror(errno));
  return Decompress([&](png_structp png) { png_init_io(png, file.get()); }, path, limit);
}

GreyPicture PngImage::Decode(const std::string& bytes, const std::string& name, const ImageSizeLimit& limit) {
  Bytes source{bytes};
  return Decompress([&](png_structp png) { png_set_read_fn(png, &source, ReadBytes); }, name, limit);
}

}  // namespace quillstone
