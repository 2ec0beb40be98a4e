// The user's data rights on inventory items, as the library reads them, for the commands that show
// an item the library hands out without checking them (decoding by a named rule, encoding,
// assignments): an item outside the rights is reported as if it did not exist.
#pragma once

#include <string>

namespace quillstone::cli {

class Session;

class ItemRights {
 public:
  explicit ItemRights(Session& session);

  bool CanSee(const std::string& inventoryId);
  // Throws CliError naming the item when the user may not see it.
  void Require(const std::string& inventoryId);

 private:
  Session& session_;
};

}  // namespace quillstone::cli
