#include "commands/ServeCommand.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/Session.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/service/HttpService.h"

namespace quillstone::cli {
namespace {

// "127.0.0.1:8080" or "[::1]:8080" into host and port.
void ParseListen(const std::string& text, service::ServiceOptions& options) {
  const auto colon = text.rfind(':');
  std::string host = colon == std::string::npos ? "" : text.substr(0, colon);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  const std::string port = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (host.empty() || port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos ||
      std::stoi(port) > 65535)
    throw CliError("--listen：'" + text + "'不是HOST:PORT形式的地址（IPv6写作[::1]:8080）");
  options.host = host;
  options.port = std::stoi(port);
}

}  // namespace

void ServeCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "serve", "Serve the library over HTTP (JSON under /api/v1, bearer tokens)");
  app_->add_option("--listen", listen_, "Address to listen on, HOST:PORT or [IPv6]:PORT; port 0 takes a free one")
      ->capture_default_str();
  auto* cert = app_->add_option("--tls-cert", tlsCert_, "Serve HTTPS with this PEM certificate (and its chain)");
  auto* key = app_->add_option("--tls-key", tlsKey_, "The PEM private key of --tls-cert");
  cert->needs(key);
  key->needs(cert);
  app_->add_option("--max-body", maxBody_, "Largest request body in bytes (pictures)")
      ->capture_default_str()
      ->check(CLI::Range(std::size_t{1024}, std::size_t{1} << 30));
  app_->add_option("--threads", threads_, "Requests served at once")->capture_default_str()->check(CLI::Range(1, 256));
  app_->add_option("--timeout", timeout_, "Seconds a request may take to arrive or to be sent")
      ->capture_default_str()
      ->check(CLI::Range(1, 3600));
  app_->add_option("--idle", idle_, "Seconds a keep-alive connection may stay idle")
      ->capture_default_str()
      ->check(CLI::Range(1, 3600));
}

int ServeCommand::Run(Session& session) {
  service::ServiceOptions options;
  ParseListen(listen_, options);
  // The service opens the database itself; a mistyped SQLite path must not create an empty file.
  session.OpenConnection(true)->Close();
  options.db = session.options().db;
  options.tlsCert = tlsCert_;
  options.tlsKey = tlsKey_;
  options.maxBodyBytes = maxBody_;
  options.threads = threads_;
  options.readTimeout = options.writeTimeout = std::chrono::seconds(timeout_);
  options.idleTimeout = std::chrono::seconds(idle_);
  service::HttpService service(options);
  service.ServeUntilSignalled(std::cout);
  return 0;
}

}  // namespace quillstone::cli
