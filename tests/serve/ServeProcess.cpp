#include "serve/ServeProcess.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace quillstone::test {
namespace {

// The first line the child writes, waiting at most `seconds`.
std::string FirstLine(int fd, int seconds) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 200) <= 0) continue;
    char c[256];
    const ssize_t n = ::read(fd, c, sizeof c);
    if (n <= 0) break;
    line.append(c, static_cast<std::size_t>(n));
  }
  return line.substr(0, line.find('\n'));
}

// "::1" as it is written in an address with a port.
std::string Bracketed(const std::string& host) { return host.find(':') != std::string::npos ? "[" + host + "]" : host; }

}  // namespace

void ServeProcess::Launch(const std::string& db, const std::vector<std::string>& extraArgs, const std::string& host) {
  std::vector<std::string> all{CliProcess::ProgramPath().string(), "--db", db, "serve", "--listen", Bracketed(host) + ":0"};
  all.insert(all.end(), extraArgs.begin(), extraArgs.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string err = (dir_ / "stderr").string();
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  pid_ = ::fork();
  if (pid_ == 0) {
    const int fdErr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fdIn = ::open("/dev/null", O_RDONLY);
    if (fdErr < 0 || fdIn < 0) ::_exit(126);
    ::dup2(fdIn, 0);
    ::dup2(pipeFds[1], 1);
    ::dup2(fdErr, 2);
    ::close(pipeFds[0]);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  out_ = pipeFds[0];
}

void ServeProcess::Start(const std::string& db, const std::vector<std::string>& extraArgs, const std::string& host) {
  Launch(db, extraArgs, host);
  const std::string line = FirstLine(out_, 60);
  const std::string prefix = "listening on " + Bracketed(host) + ":";
  ASSERT_EQ(line.rfind(prefix, 0), 0u) << "first line: " << line << "\nstderr: " << Log();
  port_ = std::stoi(line.substr(prefix.size()));
}

ServeProcess::Refused ServeProcess::Refusal(const std::string& db, const std::vector<std::string>& args) {
  ServeProcess process;
  process.Launch(db, args, "127.0.0.1");
  const int status = process.WaitExit();
  return {status, process.Log()};
}

int ServeProcess::WaitExit() {
  int status = 0;
  for (int waited = 0; waited < 2000; ++waited) {
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

int ServeProcess::Stop() {
  if (pid_ <= 0) return -1;
  ::kill(pid_, SIGTERM);
  return WaitExit();
}

ServeProcess::~ServeProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) ::close(out_);
}

std::string ServeProcess::Log() const {
  std::ifstream in(dir_ / "stderr");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace quillstone::test
