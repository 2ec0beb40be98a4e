// What a scanning front end asks of every scan: is it one of this registry's barcodes, a
// supplier's GS1 label, or a code unknown here; and does it fit the document being entered. Text
// in any form (a registry text, GS1 HRI, raw data with or without its symbology identifier, a
// Digital Link) or a picture goes in; GS1 data is parsed once and that one parse serves the
// registry lookup, the decoding and the receiving.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quillstone/barcodes/clsGs1Receiver.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/scanning/ImageScanner.h"
#include "quillstone/scanning/ImageSizeLimit.h"

namespace quillstone {

class clsBarCodeRule;
class clsContext;
class clsInventoryBarCodeSet;
class clsInventoryInfo;

class clsScanService {
 public:
  enum class Kind {
    // A barcode of this registry, visible to the user.
    Registered,
    // GS1 data no barcode of this registry matches: a maker's label, received by its GTIN.
    SupplierLabel,
    // Neither; decoded only when a rule was named for it.
    Unknown,
  };

  struct Answer {
    Kind kind = Kind::Unknown;
    // As read: the scanner's text, or a picture's symbol text (raw GS1 data with separators).
    std::string scanned;
    // The symbology's name and the reader's identifier ("]C1" ...), where a picture or the text
    // tells them.
    std::string symbology;
    std::string symbologyIdentifier;
    // The registry's text for a registered barcode (in the form it was registered); GS1 data as
    // its parenthesised text; else the scanned text (an EAN-13 read with the check digit the
    // symbol added is given without it when the registry holds it so).
    std::string barCode;
    // The fields of GS1 data; nothing for other codes.
    std::shared_ptr<const Gs1ElementString> gs1;
    // The registry entry: item, properties, state (abandoned, in use through the registry).
    std::shared_ptr<clsInventoryBarCodeSet> record;
    // The rule it was decoded by: its own when registered, else the one named.
    std::shared_ptr<clsBarCodeRule> rule;
    // The inventory properties: decoded by the rule, or received from a supplier's label.
    std::shared_ptr<clsInventoryInfo> invInfo;
    // A supplier's label: counts and measures, packaging level and what a clerk must be warned of.
    std::shared_ptr<const clsGs1Receiver::Receipt> receipt;
    // The first failure, in the library's words; empty when none. Only IdentifyPicture reports
    // failures here, so that one bad symbol does not hide the others in a picture.
    std::string error;

    bool registered() const { return kind == Kind::Registered; }
    bool ok() const { return error.empty(); }
    const std::vector<clsGs1Receiver::Warning>& warnings() const;
  };

  // Held weakly, as the managers hold it: the service root owns the context.
  explicit clsScanService(const std::shared_ptr<clsContext>& context);

  // A scanner's or a keyboard's text. GS1 data is told by its form (parenthesised AIs, a GS1
  // symbology identifier, a group separator, a Digital Link); `gs1` says raw data without an
  // identifier is GS1 too. `ruleId` decodes a code the registry does not hold (and, when given,
  // decodes a registered one by that rule instead of its own).
  Answer Identify(const std::string& text, const std::string& ruleId = "", bool gs1 = false);
  // GS1 data parsed already.
  Answer Identify(const Gs1ElementString& elements, const std::string& ruleId = "");
  // One symbol a picture gave.
  Answer Identify(const ImageScanner::Code& code, const std::string& ruleId = "");
  // Every symbol in a PNG or JPEG picture, in reading order; none found is an empty list. A
  // failure of one symbol is reported in its answer; a file that is no readable picture raises.
  std::vector<Answer> IdentifyPicture(const std::string& bytes, const std::string& name,
                                      const std::string& ruleId = "", const ImageSizeLimit& limit = {});
  std::vector<Answer> IdentifyPictureFile(const std::string& path, const std::string& ruleId = "");

  // The scan fits the document: the same item (a document without one stands for the scanned
  // item), and no property the barcode carries differs from the document's; refused with the
  // library's messages. A registered barcode is verified as VerifyBarCodeSet verifies it (an
  // abandoned one is refused); an unknown code cannot be verified.
  void Verify(const Answer& answer, const clsInventoryInfo& document);

  // The item a scan stands for: the registered one, else the one decoded or received; empty when none.
  static std::string ItemOf(const Answer& answer);

 private:
  std::shared_ptr<clsContext> Context() const;
  // What a symbol says before anything is looked up: its text, symbology and identifier.
  static Answer Read(const ImageScanner::Code& code);
  std::vector<Answer> IdentifyEach(const std::vector<ImageScanner::Code>& codes, const std::string& ruleId);
  void FromRegistry(Answer& answer, const std::vector<std::string>& candidates, const std::string& ruleId);
  void FromGs1(Answer& answer, const std::string& ruleId);
  void DecodeBy(Answer& answer, const std::string& ruleId);

  std::weak_ptr<clsContext> context_;
};

}  // namespace quillstone
