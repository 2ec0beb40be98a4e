// Writes a --json array to standard output element by element, so a long list is printed without
// being held: the same document JsonOutput::Print would write for the whole array.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

namespace quillstone::cli {

class JsonArrayStream {
 public:
  explicit JsonArrayStream(std::ostream& os) : os_(os) {}
  void Add(const nlohmann::json& element);
  // Closes the array; an array with no element prints as [].
  void Finish();

 private:
  std::ostream& os_;
  bool any_ = false;
};

}  // namespace quillstone::cli
