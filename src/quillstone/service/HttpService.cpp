#include "quillstone/service/HttpService.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <fstream>
#include <iostream>
#include <thread>

#include "quillstone/server/modFunctionDefine.h"
#include "quillstone/service/TokenStore.h"
#include "src/quillstone/service/AccessLog.h"
#include "src/quillstone/service/ApiEndpoints.h"
#include "src/quillstone/service/ApiRouter.h"
#include "src/quillstone/service/ErrorStatus.h"
#include "src/quillstone/service/IdempotencyStore.h"
#include "src/quillstone/service/RootPool.h"

namespace quillstone::service {
namespace {

// When the request began and whose it was, for the access log written after the answer, on the
// worker thread that served it.
thread_local std::chrono::steady_clock::time_point requestStart;
thread_local std::string requestUser;

ApiRequest ToApiRequest(const httplib::Request& req) {
  ApiRequest request;
  request.method = req.method;
  // The raw path: a percent-encoded '/' inside a barcode stays inside its path segment.
  request.path = req.target.substr(0, req.target.find('?'));
  for (const auto& [name, value] : req.headers) {
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    request.headers[lower] = value;
  }
  for (const auto& [name, value] : req.params) request.query[name] = value;
  request.body = req.body;
  return request;
}

// The answer of a request the HTTP layer refused before any route saw it.
ApiResponse LayerRefusal(int status, std::size_t maxBody) {
  if (status == 413) return ErrorStatus::Refuse(413, "请求体太大：最多" + std::to_string(maxBody) + "字节");
  return ErrorStatus::Refuse(status, "请求格式错误");
}

// The file must open for reading: OpenSSL's own refusal would not say which file is wrong or why.
void RequireReadable(const std::string& path, const char* what) {
  if (!std::ifstream(path, std::ios::binary))
    RaiseError(std::string("不能读取TLS") + what + "文件'" + path + "'：文件不存在或没有读取权限");
}

// HTTPS when a certificate is configured. A certificate that does not parse, or a key that is not
// the certificate's, leaves cpp-httplib's server without a TLS context: refused here, before
// anything listens.
std::unique_ptr<httplib::Server> MakeServer(const ServiceOptions& options) {
  if (options.tlsCert.empty() && options.tlsKey.empty()) return std::make_unique<httplib::Server>();
  if (options.tlsCert.empty() || options.tlsKey.empty()) RaiseError("TLS需要同时给出证书文件和私钥文件");
  RequireReadable(options.tlsCert, "证书");
  RequireReadable(options.tlsKey, "私钥");
  auto server = std::make_unique<httplib::SSLServer>(options.tlsCert.c_str(), options.tlsKey.c_str());
  if (!server->is_valid())
    RaiseError("TLS证书'" + options.tlsCert + "'或私钥'" + options.tlsKey +
               "'无效：不是PEM格式的证书和私钥，或者私钥与证书不匹配");
  return server;
}

std::string HostText(const std::string& host) { return host.find(':') != std::string::npos ? "[" + host + "]" : host; }

}  // namespace

class HttpService::Impl {
 public:
  explicit Impl(ServiceOptions options)
      : options_(std::move(options)),
        tokens_(options_.db),
        keys_(options_.db, options_.pendingKeyExpiry),
        roots_(options_.db, options_.rootMaxAge),
        endpoints_(roots_, keys_),
        router_(endpoints_.Routes(), [this](const std::string& token) { return tokens_.Resolve(token); }),
        log_(std::cerr),
        server_(MakeServer(options_)) {
    Configure();
  }

  void Serve(std::ostream& announce);

 private:
  void Configure();
  void Handle(const httplib::Request& req, httplib::Response& res);
  int Bind();
  static void Send(const ApiResponse& answer, httplib::Response& res);

  ServiceOptions options_;
  TokenStore tokens_;
  IdempotencyStore keys_;
  RootPool roots_;
  ApiEndpoints endpoints_;
  ApiRouter router_;
  AccessLog log_;
  std::unique_ptr<httplib::Server> server_;
};

void HttpService::Impl::Send(const ApiResponse& answer, httplib::Response& res) {
  res.status = answer.status;
  if (!answer.allow.empty()) res.set_header("Allow", answer.allow);
  if (!answer.contentType.empty()) {
    res.set_content(answer.bytes, answer.contentType.c_str());
    return;
  }
  res.set_content(answer.Text(), "application/json; charset=utf-8");
}

void HttpService::Impl::Handle(const httplib::Request& req, httplib::Response& res) {
  ApiRequest request = ToApiRequest(req);
  Send(router_.Dispatch(request, requestUser), res);
}

void HttpService::Impl::Configure() {
  const int threads = options_.threads;
  server_->new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<std::size_t>(threads)); };
  server_->set_read_timeout(options_.readTimeout);
  server_->set_write_timeout(options_.writeTimeout);
  server_->set_keep_alive_timeout(options_.idleTimeout.count());
  server_->set_payload_max_length(options_.maxBodyBytes);
  server_->set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
    requestStart = std::chrono::steady_clock::now();
    requestUser.clear();
    return httplib::Server::HandlerResponse::Unhandled;
  });
  auto handle = [this](const httplib::Request& req, httplib::Response& res) { Handle(req, res); };
  server_->Get(".*", handle);
  server_->Post(".*", handle);
  server_->Put(".*", handle);
  server_->Patch(".*", handle);
  server_->Delete(".*", handle);
  const std::size_t maxBody = options_.maxBodyBytes;
  const httplib::Server::HandlerWithResponse refuse = [maxBody](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
    Send(LayerRefusal(res.status, maxBody), res);
    return httplib::Server::HandlerResponse::Handled;
  };
  server_->set_error_handler(refuse);
  server_->set_logger([this](const httplib::Request& req, const httplib::Response& res) {
    const auto took = requestStart.time_since_epoch().count() == 0 ? std::chrono::steady_clock::duration{}
                                                                   : std::chrono::steady_clock::now() - requestStart;
    log_.Write(requestUser, req.method, req.target.substr(0, req.target.find('?')), res.status, took);
    requestStart = {};
    requestUser.clear();
  });
}

int HttpService::Impl::Bind() {
  const std::string host = options_.host;
  const int port = options_.port == 0 ? server_->bind_to_any_port(host) : options_.port;
  const bool bound = options_.port == 0 ? port > 0 : server_->bind_to_port(host, port);
  if (!bound) RaiseError("不能在" + HostText(host) + ":" + std::to_string(options_.port) + "上监听");
  return port;
}

void HttpService::Impl::Serve(std::ostream& announce) {
  // The signals are taken by one thread with sigwait: every thread started from here on inherits
  // the mask, so no worker is interrupted in the middle of a request.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  const int port = Bind();
  announce << "listening on " << HostText(options_.host) << ":" << port << std::endl;
  std::atomic<bool> served{false};
  std::thread waiter([&] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    // A signal that comes before the server runs would find nothing to stop: try until it ends.
    while (!served) {
      server_->stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  server_->listen_after_bind();
  served = true;
  // The server ended without a signal (it failed): wake the waiter with one.
  pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
}

HttpService::HttpService(ServiceOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}

HttpService::~HttpService() = default;

void HttpService::ServeUntilSignalled(std::ostream& announce) { impl_->Serve(announce); }

}  // namespace quillstone::service
