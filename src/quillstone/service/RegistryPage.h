// One page of the registry list: the request's filters as a condition on fixed columns with their
// values bound, and the first `limit` visible barcodes past the cursor, in the order of their bytes.
#pragma once

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "quillstone/platform/Variant.h"
#include "src/quillstone/service/ApiRequest.h"

namespace quillstone {
class clsInventoryBarCodeSet;
}

namespace quillstone::service {

class RegistryPage {
 public:
  static constexpr int kDefaultLimit = 100;
  static constexpr int kMaxLimit = 1000;

  // Reads inventoryId, ruleId, limit and after from the query; refuses any other parameter and a
  // limit out of range, naming it.
  explicit RegistryPage(const ApiRequest& request);

  // The condition for the library's list call and the values of its "?" marks.
  std::string Condition() const;
  std::vector<Variant> Values() const;

  // Offers one row the user may see; the page keeps only the rows it may still answer.
  void Offer(const std::shared_ptr<clsInventoryBarCodeSet>& set);
  // {"items": [...], "next": the cursor of the following page, or null on the last one}.
  nlohmann::json Answer() const;

 private:
  static int Limit(const std::string& text);

  std::string item_, rule_, after_;
  int limit_ = kDefaultLimit;
  // One row past the page, to tell whether another page follows.
  std::map<std::string, std::shared_ptr<clsInventoryBarCodeSet>> rows_;
};

}  // namespace quillstone::service
