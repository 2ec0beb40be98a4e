// The service's cryptography, all from OpenSSL: random token bytes, the SHA-256 digest a token is
// kept as, and the hex text both are written in.
#pragma once

#include <string>

namespace quillstone::service {

class TokenDigest {
 public:
  // `count` bytes from OpenSSL's generator; a generator that cannot give them raises.
  static std::string RandomBytes(int count);
  // Lower-case hex of the SHA-256 digest of `text`.
  static std::string Sha256Hex(const std::string& text);
  static std::string Hex(const std::string& bytes);
};

}  // namespace quillstone::service
