// A listening TCP socket on 127.0.0.1 at a port the system picks, for printer stand-ins.
#pragma once

namespace quillstone::test {

class LoopbackListener {
 public:
  LoopbackListener();
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  int fd() const { return fd_; }
  int port() const { return port_; }

 private:
  int fd_;
  int port_ = 0;
};

}  // namespace quillstone::test
