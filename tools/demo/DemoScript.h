// What the demo does, as data: the extra master-data items it needs, its four rules, their
// assignments, the barcodes it registers, and the supplier label it receives.
#pragma once

#include <chrono>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace quillstone {
class Connection;
}

namespace quillstone::cli {

class DemoScript {
 public:
  struct Assignment {
    bool toItem;
    std::string target;
    std::string ruleId;
  };

  // One call of `register`: an item, how many barcodes, and the document's properties.
  struct Registration {
    std::string item;
    int count;
    std::string batch;
    bool dated;    // production date = login date, expiry 30 days later
    int freeItem;  // 0: none
    std::string freeValue;
  };

  // The demo data set has no item that keeps batches, a shelf life and a free item at once; the
  // dated rule needs one, so the demo adds it to the host's master data, as the ERP would.
  static void AddDatedItem(Connection& conn);
  static const char* DatedItem() { return "F003"; }

  // An item the maker labels itself in GS1: master data keeps its GTIN-13.
  static void AddGs1Item(Connection& conn);
  static const char* Gs1Item() { return "F005"; }

  // An item bought from a supplier whose cartons carry GS1 labels: master data keeps its GTIN-13,
  // the label its 14-digit form, with batch, production and expiry dates (from `today`) and a serial.
  static void AddSupplierItem(Connection& conn);
  static const char* SupplierItem() { return "F004"; }
  static std::string SupplierLabel(std::chrono::sys_days today);

  static std::vector<nlohmann::json> Rules();
  static std::vector<Assignment> Assignments();
  static std::vector<Registration> Registrations();
  // The batch a document presents to show a refused verification.
  static const char* OtherBatch() { return "LOT999"; }
};

}  // namespace quillstone::cli
