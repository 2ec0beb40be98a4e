// Runs program commands against one database, the way a script does: every call adds --db, and
// the helpers check exit codes and parse --json output.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/CliProcess.h"

namespace quillstone::test {

class CliSession {
 public:
  CliSession(std::string db, std::filesystem::path cwd) : db_(std::move(db)), cwd_(std::move(cwd)) {}

  CliResult Run(std::vector<std::string> args, const std::string& input = "") const;
  // A command that must succeed; its --json document (null when it failed).
  nlohmann::json Json(std::vector<std::string> args, const std::string& input = "") const;
  // A command that must fail with exit code 1 and `message` on stderr, without a crash report.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message,
                     const std::string& input = "") const;

 private:
  std::string db_;
  std::filesystem::path cwd_;
};

// The checks of a failure: exit code 1, the message on stderr, no crash or sanitizer report.
void ExpectFailure(const CliResult& r, const std::string& message);

// A fresh SQLite database with the demo data set, in a folder of its own.
class CliSqliteTest : public ::testing::Test {
 protected:
  CliSqliteTest() : cli("sqlite:" + (dir / "t.db").string(), dir.path()) {}
  void SetUp() override { ASSERT_EQ(cli.Run({"init", "--demo"}).exitCode, 0); }

  ScratchDir dir;
  CliSession cli;
};

}  // namespace quillstone::test
