// Client processes forked by a concurrency test: each runs a body of its own, all start at once,
// and the test collects what each printed and how it ended.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "quillstone/platform/Error.h"

namespace quillstone::test {

inline void WriteAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// Everything until the other end is closed.
inline std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

struct ChildResult {
  int status = -1;
  std::string output;
};

// A client process: waits for the start signal, runs `body` (which returns its lines of output)
// and exits; a failure becomes a line starting with "!" and exit status 1. Never returns: a
// child must not run the rest of the test program.
[[noreturn]] inline void RunChild(int startFd, int outFd, const std::function<std::string()>& body) {
  int status = 0;
  std::string output;
  try {
    char go;
    ssize_t started = ::read(startFd, &go, 1);  // returns when the parent closes its end
    (void)started;
    output = body();
  } catch (const Error& e) {
    output += "!" + e.description() + "\n";
    status = 1;
  } catch (const std::exception& e) {
    output += std::string("!") + e.what() + "\n";
    status = 1;
  }
  WriteAll(outFd, output);
  ::_exit(status);
}

// Starts one process per body, lets them go at once, and collects what each printed. No
// database connection of the caller may be open across the fork.
inline std::vector<ChildResult> RunTogether(const std::vector<std::function<std::string()>>& bodies) {
  int start[2];
  if (::pipe(start) != 0) return {};
  std::fflush(nullptr);
  std::vector<pid_t> children;
  std::vector<int> outputs;
  for (const auto& body : bodies) {
    int out[2];
    if (::pipe(out) != 0) break;
    pid_t pid = ::fork();
    if (pid < 0) {
      ::close(out[0]);
      ::close(out[1]);
      break;
    }
    if (pid == 0) {
      ::close(start[1]);
      ::close(out[0]);
      RunChild(start[0], out[1], body);
    }
    ::close(out[1]);
    children.push_back(pid);
    outputs.push_back(out[0]);
  }
  ::close(start[0]);
  ::close(start[1]);
  std::vector<ChildResult> results(children.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    results[i].output = ReadAll(outputs[i]);
    ::close(outputs[i]);
    int status = 0;
    ::waitpid(children[i], &status, 0);
    results[i].status = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  }
  return results;
}

}  // namespace quillstone::test
