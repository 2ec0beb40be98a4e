// Writes the --json form of a command's result to standard output, one document per run.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace quillstone::cli {

class JsonOutput {
 public:
  // Indented, UTF-8 kept as it is; bytes that are not UTF-8 are replaced rather than failing.
  static void Print(const nlohmann::json& doc);
  // The result of a command that did one thing: `doc` with --json, else the line `text`.
  static void Report(bool json, const nlohmann::json& doc, const std::string& text);
};

}  // namespace quillstone::cli
