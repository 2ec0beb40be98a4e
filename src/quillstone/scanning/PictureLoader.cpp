#include "src/quillstone/scanning/PictureLoader.h"

#include <fstream>

#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/scanning/JpegImage.h"
#include "src/quillstone/scanning/PngImage.h"

namespace quillstone {
namespace {

[[noreturn]] void NotAPicture(const std::string& name) {
  RaiseError("无法读取图片 '" + name + "'：不是 PNG 或 JPEG 图片");
}

}  // namespace

GreyPicture PictureLoader::FromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) RaiseError("无法读取图片 '" + path + "'：文件打不开");
  std::string head(8, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  if (JpegImage::StartsAsJpeg(head)) return JpegImage::Read(path);
  if (PngImage::IsPng(head)) return PngImage::Read(path);
  NotAPicture(path);
}

GreyPicture PictureLoader::FromBytes(const std::string& bytes, const std::string& name, const ImageSizeLimit& limit) {
  if (JpegImage::StartsAsJpeg(bytes)) return JpegImage::Decode(bytes, name, limit);
  if (PngImage::IsPng(bytes)) return PngImage::Decode(bytes, name, limit);
  NotAPicture(name);
}

}  // namespace quillstone
