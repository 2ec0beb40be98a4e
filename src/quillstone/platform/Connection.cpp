#include "quillstone/platform/Connection.h"

#include <map>
#include <mutex>
#include <utility>

#include "src/quillstone/platform/PostgresConnection.h"
#include "src/quillstone/platform/SqliteConnection.h"
#include "quillstone/platform/Error.h"

namespace quillstone {
namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && LowerAscii(text.substr(0, prefix.size())) == prefix;
}

// Procedure names compare as SQL names do, without regard to letter case.
struct EmulationRegistry {
  std::mutex mutex;
  std::map<std::string, Connection::ProcedureEmulation> bodies;
};

EmulationRegistry& Registry() {
  static EmulationRegistry registry;
  return registry;
}

}  // namespace

std::shared_ptr<Connection> Connection::Open(const std::string& connection_string) {
  if (StartsWithNoCase(connection_string, "sqlite:")) {
    return std::make_shared<SqliteConnection>(connection_string, connection_string.substr(7));
  }
  if (StartsWithNoCase(connection_string, "postgresql://") || StartsWithNoCase(connection_string, "postgres://")) {
    return std::make_shared<PostgresConnection>(connection_string, connection_string);
  }
  if (StartsWithNoCase(connection_string, "postgresql:")) {
    return std::make_shared<PostgresConnection>(connection_string, connection_string.substr(11));
  }
  // The text may carry a password, so only the part before the first colon is shown.
  throw Error::Database("不支持的数据库连接字符串“" + connection_string.substr(0, connection_string.find(':')) +
                        "”：应以“sqlite:”或“postgresql:”开头");
}

void Connection::RegisterEmulatedProcedure(const std::string& name, ProcedureEmulation body) {
  EmulationRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  if (body) {
    registry.bodies[LowerAscii(name)] = std::move(body);
  } else {
    registry.bodies.erase(LowerAscii(name));
  }
}

Connection::ProcedureEmulation Connection::FindEmulatedProcedure(const std::string& name) {
  EmulationRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.bodies.find(LowerAscii(name));
  return it == registry.bodies.end() ? ProcedureEmulation() : it->second;
}

}  // namespace quillstone
