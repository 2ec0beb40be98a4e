// Picture bytes, PNG or JPEG, through the whole scan: decoding with its size check from the
// decoder's header reading, every pass of the symbol search, reading order. Every outcome is a
// list of symbols or a refusal with a message; pictures are kept small so each input stays quick.
#include <cstddef>
#include <cstdint>
#include <string>

#include "quillstone/platform/Error.h"
#include "quillstone/scanning/ImageScanner.h"
#include "quillstone/scanning/ImageSizeLimit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  constexpr quillstone::ImageSizeLimit kSmall(1'000'000, 2'000);
  try {
    quillstone::ImageScanner::ScanBytes(bytes, "fuzz", kSmall);
  } catch (const quillstone::Error&) {
  }
  return 0;
}
