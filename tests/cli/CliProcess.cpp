#include "cli/CliProcess.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace quillstone::test {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::filesystem::path UniqueDir() {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}() % 100000;
  return std::filesystem::temp_directory_path() /
         ("qs_cli_" + std::to_string(::getpid()) + "_" + std::to_string(salt) + "_" + std::to_string(++counter));
}

}  // namespace

nlohmann::json CliResult::Json() const {
  try {
    return nlohmann::json::parse(out);
  } catch (const nlohmann::json::parse_error& e) {
    ADD_FAILURE() << "not JSON: " << e.what() << "\nstdout:\n" << out << "\nstderr:\n" << err;
    return nullptr;
  }
}

std::filesystem::path CliProcess::ProgramPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools" / "quillstone";
}

CliResult CliProcess::Run(const std::vector<std::string>& args, const std::filesystem::path& cwd,
                          const std::string& input) {
  return RunProgram(ProgramPath(), args, cwd, input);
}

CliResult CliProcess::RunProgram(const std::filesystem::path& path, const std::vector<std::string>& args,
                                 const std::filesystem::path& cwd, const std::string& input) {
  const ScratchDir io;
  const auto outPath = io / "stdout";
  const auto errPath = io / "stderr";
  const auto inPath = input.empty() ? std::filesystem::path("/dev/null") : io.Write("stdin", input);

  // Everything the child needs is made before the fork: after it only system calls run.
  const std::string program = path.string();
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string dir = cwd.string(), out = outPath.string(), err = errPath.string(), in = inPath.string();

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int fdIn = ::open(in.c_str(), O_RDONLY);
    const int fdOut = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fdErr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fdIn < 0 || fdOut < 0 || fdErr < 0) ::_exit(126);
    ::dup2(fdIn, 0);
    ::dup2(fdOut, 1);
    ::dup2(fdErr, 2);
    if (!dir.empty() && ::chdir(dir.c_str()) != 0) ::_exit(126);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  CliResult result;
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
    ADD_FAILURE() << "could not run " << program;
    return result;
  }
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  return result;
}

ScratchDir::ScratchDir() : path_(UniqueDir()) { std::filesystem::create_directories(path_); }

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchDir::Write(const std::string& name, const std::string& content) const {
  const auto path = path_ / name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

int TerminalWidth(const std::string& utf8) {
  int width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? lead : lead & (0xFF >> (n + 1));
    for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k) c = (c << 6) | (utf8[i + k] & 0x3F);
    width += (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                     (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6)
                 ? 2
                 : 1;
    i += n;
  }
  return width;
}

}  // namespace quillstone::test
