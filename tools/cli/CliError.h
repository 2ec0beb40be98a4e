// A failure of the program itself (a missing file, a rule file that is not JSON, an unknown
// symbology), as opposed to a failure the library raises. Both end the program with exit code 1.
#pragma once

#include <stdexcept>
#include <string>

namespace quillstone::cli {

class CliError : public std::runtime_error {
 public:
  explicit CliError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quillstone::cli
