// Sends printer commands to a network label printer on its raw port (HOST:9100): the bytes go
// as they are, and the printer prints as it receives them.
#pragma once

#include <string>

namespace quillstone {

class LabelPrinter {
 public:
  // "HOST:PORT", "HOST" (port 9100) or "[IPv6]:PORT".
  explicit LabelPrinter(const std::string& address);

  // Connects, writes everything, ends the data and waits for the printer to close the
  // connection, which is when it has taken the job. A printer that cannot be reached, drops or
  // resets the connection, or does not close it within `timeoutSeconds` in all is a failure
  // naming it.
  void Send(const std::string& data, int timeoutSeconds = 10) const;

  const std::string& host() const { return host_; }
  const std::string& port() const { return port_; }

 private:
  std::string address_;
  std::string host_;
  std::string port_ = "9100";
};

}  // namespace quillstone
