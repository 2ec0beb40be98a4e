#include "src/quillstone/scanning/JpegImage.h"

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

// A progressive file is decoded once per scan; cameras write about ten, a hostile file could
// make thousands of a large picture.
constexpr int kMaxScans = 100;

// libjpeg reports a fatal error through a callback that must not return: it jumps back to Decode.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

void OnFatal(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->back, 1);
}

// Warnings (a stray byte before a marker, data cut short) leave a picture that may still be read.
void Quiet(j_common_ptr, int) {}

void OnProgress(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number <= kMaxScans) return;
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  std::snprintf(errors->message, sizeof errors->message, "渐进式 JPEG 的扫描段超过 %d 个", kMaxScans);
  std::longjmp(errors->back, 1);
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

// `setSource` points libjpeg at a file or at bytes. Everything that lives across the jump is set
// up before it, so no destructor is skipped.
template <class SetSource>
GreyPicture Decompress(SetSource setSource, const std::string& name, const ImageSizeLimit& limit) {
  GreyPicture out;
  jpeg_decompress_struct info;
  ErrorManager errors;
  jpeg_progress_mgr progress;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnFatal;
  errors.base.emit_message = Quiet;
  if (setjmp(errors.back) != 0) {
    jpeg_destroy_decompress(&info);
    RaiseError("无法读取图片 '" + name + "'：" + errors.message);
  }
  jpeg_create_decompress(&info);
  setSource(&info);
  jpeg_read_header(&info, TRUE);
  // The header is read and no pixel yet: the size is checked before anything is decoded.
  if (!limit.Allows(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    limit.Require(info.image_width, info.image_height, name);
  }
  // A progressive file keeps every coefficient of the picture; bounded by its pixels, no more.
  info.mem->max_memory_to_use = 8L * info.image_width * info.image_height + (16L << 20);
  progress.progress_monitor = OnProgress;
  info.progress = &progress;
  info.out_color_space = JCS_GRAYSCALE;
  jpeg_start_decompress(&info);
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.pixels.data() + static_cast<std::size_t>(info.output_scanline) * out.width;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return out;
}

}  // namespace

bool JpegImage::StartsAsJpeg(const std::string& bytes) {
  return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

GreyPicture JpegImage::Read(const std::string& path, const ImageSizeLimit& limit) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) RaiseError("无法读取图片 '" + path + "'：" + std::strerror(errno));
  return Decompress([&](j_decompress_ptr info) { jpeg_stdio_src(info, file.get()); }, path, limit);
}

GreyPicture JpegImage::Decode(const std::string& bytes, const std::string& name, const ImageSizeLimit& limit) {
  return Decompress(
      [&](j_decompress_ptr info) {
        jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
      },
      name, limit);
}

}  // namespace quillstone
