// The real `quillstone serve` as a child process on a free port of the loopback interface: the
// port comes from the line it prints once it listens; Stop sends SIGTERM and waits for the exit.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "cli/CliProcess.h"

namespace quillstone::test {

class ServeProcess {
 public:
  // Starts the service on `host` (an IPv4 or IPv6 address, without brackets).
  ServeProcess(const std::string& db, const std::vector<std::string>& extraArgs = {},
               const std::string& host = "127.0.0.1") {
    Start(db, extraArgs, host);
  }
  ~ServeProcess();
  ServeProcess(const ServeProcess&) = delete;
  ServeProcess& operator=(const ServeProcess&) = delete;

  // 0 when the service did not start (the test has failed already).
  int port() const { return port_; }
  // SIGTERM, then the exit status (-1 for a crash, a signal or no exit within 20 s).
  int Stop();
  // Everything the service wrote to standard error: its access log.
  std::string Log() const;

  // A start the service must refuse: its exit status (-1 when it crashed or still ran after 20 s)
  // and what it wrote to standard error.
  struct Refused {
    int exitCode;
    std::string log;
  };
  static Refused Refusal(const std::string& db, const std::vector<std::string>& args);

 private:
  ServeProcess() = default;
  // Starts the service; a failure to start fails the test.
  void Start(const std::string& db, const std::vector<std::string>& extraArgs, const std::string& host);
  void Launch(const std::string& db, const std::vector<std::string>& extraArgs, const std::string& host);
  // The exit status once the process ends, as Stop answers it.
  int WaitExit();

  ScratchDir dir_;
  pid_t pid_ = -1;
  int out_ = -1;
  int port_ = 0;
};

}  // namespace quillstone::test
