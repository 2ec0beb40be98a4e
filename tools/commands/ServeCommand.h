// `quillstone serve --listen HOST:PORT [--tls-cert FILE --tls-key FILE]`: the library over HTTP (or
// HTTPS) for the database of --db, until SIGTERM or SIGINT.
#pragma once

#include <string>

#include "commands/Command.h"

namespace quillstone::cli {

class ServeCommand : public Command {
 public:
  void Attach(CLI::App& parent) override;
  int Run(Session& session) override;

 private:
  std::string listen_ = "127.0.0.1:8080";
  std::string tlsCert_;
  std::string tlsKey_;
  std::size_t maxBody_ = 8 * 1024 * 1024;
  int threads_ = 8;
  int timeout_ = 10;
  int idle_ = 5;
};

}  // namespace quillstone::cli
