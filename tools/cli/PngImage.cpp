#include "cli/PngImage.h"

#include <png.h>

#include <cstring>

#include "cli/CliError.h"

namespace quillstone::cli {

GreyPicture PngImage::Read(const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    throw CliError("cannot read image '" + path + "': " + image.message);

  image.format = PNG_FORMAT_GRAY;
  GreyPicture out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels.resize(PNG_IMAGE_SIZE(image));
  const png_color white = {255, 255, 255};
  if (!png_image_finish_read(&image, &white, out.pixels.data(), 0, nullptr)) {
    const std::string message = image.message;
    png_image_free(&image);
    throw CliError("cannot read image '" + path + "': " + message);
  }
  return out;
}

}  // namespace quillstone::cli
