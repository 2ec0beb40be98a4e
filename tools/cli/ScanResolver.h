// Takes a code read from a picture back to the registry: which registered barcode it is (EAN-13
// adds a check digit to 12-digit barcodes), what its rule decodes it into and, given a document's
// properties, whether the library accepts it for them. A GS1 symbol is a registered barcode of a
// GS1 rule, or else a supplier's label received by its GTIN.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quillstone/scanning/ImageScanner.h"
#include "quillstone/barcodes/clsGs1Receiver.h"

namespace quillstone {
class clsBarCodeRule;
class clsInventoryBarCodeSet;
class clsInventoryInfo;
class Gs1ElementString;
}

namespace quillstone::cli {

class Session;

class ScanResolver {
 public:
  struct Outcome {
    std::string scanned;
    std::string symbology;
    std::string symbologyIdentifier;
    // The fields of a GS1 symbol; nothing for other symbols.
    std::shared_ptr<const Gs1ElementString> gs1;
    // The registry text, or the scanned text when it is not registered.
    std::string barCode;
    bool registered = false;
    std::string ruleId;
    std::shared_ptr<clsInventoryInfo> decoded;
    bool verifyAsked = false;
    bool verified = false;
    // What a supplier's label warns of (expired, best-before passed, item stopped).
    std::vector<clsGs1Receiver::Warning> warnings;
    // The first failure, empty when none.
    std::string error;
    bool ok() const { return error.empty(); }
  };

  explicit ScanResolver(Session& session) : session_(session) {}

  // `ruleId` decodes codes that are not registered. `document` (nothing: no verification) holds
  // the properties to verify against; an empty inventoryId stands for the registered item.
  // Failures of the library or of the program are reported in the outcome, not raised.
  Outcome Resolve(const ImageScanner::Code& code, const std::string& ruleId,
                  const std::shared_ptr<clsInventoryInfo>& document);

 private:
  void ResolveGs1(const ImageScanner::Code& code, const std::string& ruleId,
                  const std::shared_ptr<clsInventoryInfo>& document, Outcome& out);
  // Decodes out.barCode by `rule` and, given a document, verifies it; `set` is the registry entry
  // (nothing when not registered), whose item a document without one stands for.
  void DecodeAndVerify(const std::shared_ptr<clsBarCodeRule>& rule, const std::shared_ptr<clsInventoryBarCodeSet>& set,
                       const std::shared_ptr<clsInventoryInfo>& document, Outcome& out);

  Session& session_;
};

}  // namespace quillstone::cli
