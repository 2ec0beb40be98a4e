// Reads a PNG or JPEG picture, from a file or from its bytes, into grey levels; the kind is told
// by the file's signature, not its name.
#pragma once

#include <string>

#include "quillstone/scanning/GreyPicture.h"
#include "quillstone/scanning/ImageSizeLimit.h"

namespace quillstone {

class PictureLoader {
 public:
  // A file that is neither PNG nor JPEG, a damaged one, or one too large is an Error.
  static GreyPicture FromFile(const std::string& path);
  static GreyPicture FromBytes(const std::string& bytes, const std::string& name, const ImageSizeLimit& limit = {});
};

}  // namespace quillstone
