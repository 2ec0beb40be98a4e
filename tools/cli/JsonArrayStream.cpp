#include "cli/JsonArrayStream.h"

#include <string>

namespace quillstone::cli {

void JsonArrayStream::Add(const nlohmann::json& element) {
  os_ << (any_ ? ",\n" : "[\n");
  any_ = true;
  // Indented one level deeper than the element's own dump, as inside an indented array.
  const std::string text = element.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  os_ << "  ";
  for (char c : text) {
    os_ << c;
    if (c == '\n') os_ << "  ";
  }
}

void JsonArrayStream::Finish() { os_ << (any_ ? "\n]\n" : "[]\n"); }

}  // namespace quillstone::cli
