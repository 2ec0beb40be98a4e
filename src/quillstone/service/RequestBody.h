// A request's JSON body read field by field: malformed JSON, a missing field or one of the wrong
// type is refused with a message that names the field (the caller answers it with 400).
#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace quillstone {
class clsInventoryInfo;
}

namespace quillstone::service {

class RequestBody {
 public:
  // The body must be a JSON object.
  explicit RequestBody(const std::string& text);
  RequestBody(nlohmann::json object, std::string prefix);

  std::string Text(const std::string& field) const;
  std::optional<std::string> OptionalText(const std::string& field) const;
  bool Flag(const std::string& field, bool otherwise) const;
  // A non-empty array of strings, at most `most` of them.
  std::vector<std::string> TextList(const std::string& field, std::size_t most) const;
  // A whole number from `least` to `most`; absent is none.
  std::optional<int> OptionalInteger(const std::string& field, int least, int most) const;
  // The same body without `field`, for fields read apart from the inventory properties.
  RequestBody Without(const std::string& field) const;
  // A nested object; absent is an empty one.
  RequestBody Object(const std::string& field) const;
  // Inventory properties named as clsInventoryInfo names them (inventoryId, batchNo, madeDate ...);
  // a field of another name is refused, so a misspelt property is not silently left out.
  std::shared_ptr<clsInventoryInfo> Inventory() const;

 private:
  const nlohmann::json* Find(const std::string& field) const;
  [[noreturn]] void WrongType(const std::string& field, const char* expected) const;
  std::string Name(const std::string& field) const { return prefix_ + field; }

  nlohmann::json object_;
  // "document." for the fields of a nested object, so a message names the whole path.
  std::string prefix_;
};

}  // namespace quillstone::service
