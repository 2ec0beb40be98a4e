#include "cli/JsonOutput.h"

#include <iostream>

namespace quillstone::cli {

void JsonOutput::Print(const nlohmann::json& doc) {
  std::cout << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

void JsonOutput::Report(bool json, const nlohmann::json& doc, const std::string& text) {
  if (json) {
    Print(doc);
  } else {
    std::cout << text << '\n';
  }
}

}  // namespace quillstone::cli
