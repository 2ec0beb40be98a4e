#include "cli/JpegImage.h"

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <memory>

#include "cli/CliError.h"

namespace quillstone::cli {
namespace {

// libjpeg reports a fatal error through a callback that must not return: it jumps back to Read.
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

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

bool JpegImage::IsJpeg(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char head[3] = {0, 0, 0};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  return in.gcount() == 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

GreyPicture JpegImage::Read(const std::string& path) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw CliError("cannot read image '" + path + "'");

  // Everything that lives across the jump is set up before it, so no destructor is skipped.
  GreyPicture out;
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnFatal;
  if (setjmp(errors.back) != 0) {
    jpeg_destroy_decompress(&info);
    throw CliError("cannot read image '" + path + "': " + errors.message);
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.get());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_GRAYSCALE;
  jpeg_start_decompress(&info);
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.pixels.data() + static_cast<std::size_t>(info.output_scanline) * out.width;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return out;
}

}  // namespace quillstone::cli
