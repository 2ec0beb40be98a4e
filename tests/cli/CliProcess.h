// Runs the built `quillstone` program as a separate process, the way a user or a script does,
// and captures its exit code, standard output and standard error.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace quillstone::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;

  // Standard output parsed as the JSON document of --json; a parse failure fails the test.
  nlohmann::json Json() const;
};

class CliProcess {
 public:
  // <folder of the test program>/../tools/quillstone
  static std::filesystem::path ProgramPath();

  // `input` becomes standard input (empty: /dev/null). `cwd` empty keeps the current folder.
  static CliResult Run(const std::vector<std::string>& args, const std::filesystem::path& cwd = {},
                       const std::string& input = "");
  // Another program, by its full path, the same way.
  static CliResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                              const std::filesystem::path& cwd = {}, const std::string& input = "");
};

// A folder of its own for one test, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Writes a file in the folder and returns its path.
  std::filesystem::path Write(const std::string& name, const std::string& content) const;

 private:
  std::filesystem::path path_;
};

// Columns a terminal gives the text: two for CJK characters and full-width forms, one otherwise.
int TerminalWidth(const std::string& utf8);

}  // namespace quillstone::test
