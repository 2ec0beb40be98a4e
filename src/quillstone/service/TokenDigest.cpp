#include "src/quillstone/service/TokenDigest.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <memory>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone::service {

std::string TokenDigest::RandomBytes(int count) {
  std::string bytes(static_cast<std::size_t>(count), '\0');
  if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), count) != 1)
    RaiseError("不能生成随机的令牌：系统的随机数发生器不可用");
  return bytes;
}

std::string TokenDigest::Sha256Hex(const std::string& text) {
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1 ||
      EVP_DigestUpdate(ctx.get(), text.data(), text.size()) != 1 ||
      EVP_DigestFinal_ex(ctx.get(), digest, &size) != 1)
    RaiseError("不能计算令牌的SHA-256摘要");
  return Hex(std::string(reinterpret_cast<const char*>(digest), size));
}

std::string TokenDigest::Hex(const std::string& bytes) {
  static const char* const kDigits = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    text += kDigits[c >> 4];
    text += kDigits[c & 0x0f];
  }
  return text;
}

}  // namespace quillstone::service
