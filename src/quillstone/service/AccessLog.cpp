#include "src/quillstone/service/AccessLog.h"

#include <nlohmann/json.hpp>

#include "quillstone/service/TokenStore.h"

namespace quillstone::service {

void AccessLog::Write(const std::string& user, const std::string& method, const std::string& path, int status,
                      std::chrono::steady_clock::duration took) {
  const double ms = std::chrono::duration<double, std::milli>(took).count();
  const nlohmann::json line = {{"time", TokenStore::TimeText(std::chrono::system_clock::now())},
                               {"user", user},
                               {"method", method},
                               {"path", path},
                               {"status", status},
                               {"ms", static_cast<double>(static_cast<long long>(ms * 100)) / 100}};
  const std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  std::lock_guard lock(mutex_);
  out_ << text << std::flush;
}

}  // namespace quillstone::service
