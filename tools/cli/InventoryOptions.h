// The inventory properties a command takes as options (--warehouse, --batch, --made, --free1 ...),
// and the clsInventoryInfo they make.
#pragma once

#include <array>
#include <memory>
#include <string>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace quillstone {
class clsInventoryInfo;
}

namespace quillstone::cli {

class InventoryOptions {
 public:
  // `withItem` adds --item, for commands whose item is not a positional argument.
  void AddTo(CLI::App& app, bool withItem = false);

  // True when any property option was given (--item not counted).
  bool Any() const;
  const std::string& item() const { return item_.value; }
  bool hasItem() const;

  // Sets the given properties on `info`; those not given stay as they are. Dates are written
  // yyyy-mm-dd when they are real days and passed on unchanged otherwise, for the library to judge.
  void ApplyTo(clsInventoryInfo& info) const;
  std::shared_ptr<clsInventoryInfo> Make(const std::string& inventoryId) const;

 private:
  struct Text {
    std::string value;
    CLI::Option* option = nullptr;
    bool given() const;
  };

  Text item_;
  Text warehouse_, position_, batch_, made_, expiry_, shelfLife_, vendor_, unit_, cost_;
  std::array<Text, 10> free_;
};

}  // namespace quillstone::cli
