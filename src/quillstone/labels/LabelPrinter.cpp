#include "quillstone/labels/LabelPrinter.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

class Socket {
 public:
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

using Clock = std::chrono::steady_clock;

bool WaitUntil(int fd, short events, Clock::time_point deadline) {
  pollfd p{fd, events, 0};
  int rc;
  do {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    rc = poll(&p, 1, static_cast<int>(std::max<long long>(left, 0)));
  } while (rc < 0 && errno == EINTR);
  return rc > 0;
}

bool Wait(int fd, short events, int timeoutSeconds) {
  return WaitUntil(fd, events, Clock::now() + std::chrono::seconds(timeoutSeconds));
}

// How the printer ended the connection after our end of data.
enum class Ending { Taken, Reset, Silent };

// A printer has taken the job when, after our end of data, it closes the connection and every
// byte we sent was acknowledged: TCP then reaches CLOSED without an error. A printer that closed
// at once answers our data with a reset; one that never reads keeps the connection open.
Ending AwaitClose(int fd, Clock::time_point deadline) {
  char buffer[512];
  for (;;) {
    if (!WaitUntil(fd, POLLIN, deadline)) return Ending::Silent;
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n == 0) break;
    if (n < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return Ending::Reset;
  }
  for (;;) {
    tcp_info info{};
    socklen_t length = sizeof info;
    if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0) return Ending::Reset;
    if (info.tcpi_state == TCP_CLOSE) break;
    if (Clock::now() >= deadline) return Ending::Silent;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  int error = 0;
  socklen_t length = sizeof error;
  getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
  return error == 0 ? Ending::Taken : Ending::Reset;
}

// A non-blocking connect bounded by the timeout; the socket stays non-blocking for writing.
bool Connect(const Socket& s, const addrinfo& a, int timeoutSeconds) {
  fcntl(s.fd(), F_SETFL, fcntl(s.fd(), F_GETFL) | O_NONBLOCK);
  if (connect(s.fd(), a.ai_addr, a.ai_addrlen) == 0) return true;
  if (errno != EINPROGRESS) return false;
  if (!Wait(s.fd(), POLLOUT, timeoutSeconds)) {
    errno = ETIMEDOUT;
    return false;
  }
  int error = 0;
  socklen_t length = sizeof error;
  getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &length);
  errno = error;
  return error == 0;
}

}  // namespace

LabelPrinter::LabelPrinter(const std::string& address) : address_(address) {
  std::string rest = address;
  if (!rest.empty() && rest.front() == '[') {
    const auto close = rest.find(']');
    if (close == std::string::npos)
      RaiseError("打印机地址 '" + address + "' 无效，应写成 主机:端口，如 10.0.0.5:9100");
    host_ = rest.substr(1, close - 1);
    rest = rest.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') host_.clear();
    if (!rest.empty()) port_ = rest.substr(1);
  } else {
    const auto colon = rest.rfind(':');
    host_ = rest.substr(0, colon);
    if (colon != std::string::npos) port_ = rest.substr(colon + 1);
  }
  const bool portOk = !port_.empty() && port_.size() <= 5 &&
                      std::all_of(port_.begin(), port_.end(), [](unsigned char c) { return std::isdigit(c); }) &&
                      std::stoi(port_) >= 1 && std::stoi(port_) <= 65535;
  if (host_.empty() || !portOk) RaiseError("打印机地址 '" + address + "' 无效，应写成 主机:端口，如 10.0.0.5:9100");
}

void LabelPrinter::Send(const std::string& data, int timeoutSeconds) const {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int rc = getaddrinfo(host_.c_str(), port_.c_str(), &hints, &found); rc != 0)
    RaiseError("找不到打印机 '" + address_ + "'：" + gai_strerror(rc));
  std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, &freeaddrinfo);

  std::string why = "无法连接";
  for (const addrinfo* a = addresses.get(); a; a = a->ai_next) {
    Socket s(socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol));
    if (s.fd() < 0) continue;
    if (!Connect(s, *a, timeoutSeconds)) {
      why = std::strerror(errno);
      continue;
    }
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    std::size_t sent = 0;
    while (sent < data.size()) {
      const ssize_t n = ::send(s.fd(), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
      if (n > 0) {
        sent += static_cast<std::size_t>(n);
      } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        if (!WaitUntil(s.fd(), POLLOUT, deadline))
          RaiseError("打印机 '" + address_ + "' 在 " + std::to_string(timeoutSeconds) + " 秒内没有接收数据");
      } else {
        RaiseError("发送到打印机 '" + address_ + "' 时连接中断：" + std::strerror(errno));
      }
    }
    shutdown(s.fd(), SHUT_WR);
    switch (AwaitClose(s.fd(), deadline)) {
      case Ending::Taken:
        return;
      case Ending::Reset:
        RaiseError("打印机 '" + address_ + "' 没有收下标签：连接被打印机关闭或重置；标签没有打印，请检查打印机后重发");
      case Ending::Silent:
        RaiseError("打印机 '" + address_ + "' 在 " + std::to_string(timeoutSeconds) +
                       " 秒内没有确认收完标签（没有关闭连接）；标签可能没有打印，请检查打印机后重发");
    }
    return;
  }
  RaiseError("无法连接打印机 '" + address_ + "'：" + why);
}

}  // namespace quillstone
