#include "cli/CliSession.h"

#include <gtest/gtest.h>

namespace quillstone::test {

CliResult CliSession::Run(std::vector<std::string> args, const std::string& input) const {
  args.insert(args.begin(), {"--db", db_});
  return CliProcess::Run(args, cwd_, input);
}

nlohmann::json CliSession::Json(std::vector<std::string> args, const std::string& input) const {
  args.insert(args.begin(), "--json");
  auto r = Run(args, input);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r.exitCode == 0 ? r.Json() : nlohmann::json();
}

void CliSession::ExpectRefused(const std::vector<std::string>& args, const std::string& message,
                               const std::string& input) const {
  ExpectFailure(Run(args, input), message);
}

void ExpectFailure(const CliResult& r, const std::string& message) {
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find(message), std::string::npos) << "stderr: " << r.err;
  EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("terminate"), std::string::npos) << r.err;
}

}  // namespace quillstone::test
