// The symbologies labels are printed in, one per row of the BarCodeType catalogue, and how a
// rule's barCodeType text names one. The GS1 ones carry a GS1 element string, whose registry
// text is the parenthesised form.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillstone {
class clsBarCodeRule;
class clsRuleManager;
}  // namespace quillstone

namespace quillstone {

class Symbology {
 public:
  // DigitalLinkQr is a plain QR Code holding GS1 data as a GS1 Digital Link URI (consumer packs);
  // it is no row of the catalogue.
  enum class Kind { Code128, Ean13, Code39, QrCode, DataMatrix, Gs1_128, Gs1DataMatrix, Gs1QrCode, DigitalLinkQr };

  // Every symbology, in catalogue order.
  static std::vector<Symbology> All();
  // Matches a catalogue typeName ("Code 128", "EAN-13", "Code 39", "QR Code", "Data Matrix",
  // "GS1-128", "GS1 DataMatrix", "GS1 QR Code") without regard to case, blanks or dashes; an
  // empty type is Code 128. `typeNames` maps a type given by its typeId (decimal text) to its
  // name, from the BarCodeType catalogue.
  static Symbology ForRuleType(const std::string& barCodeType,
                               const std::vector<std::pair<std::string, std::string>>& typeNames = {});
  static Symbology ForKind(Kind kind) { return Symbology(kind); }
  // The symbology a reader's symbology identifier names: ]C0 Code 128, ]E0 EAN-13, ]A0 Code 39,
  // ]d1 Data Matrix, ]C1 GS1-128, ]d2 GS1 DataMatrix, ]Q3 GS1 QR Code, ]Q1 (a plain QR Code, as
  // a Digital Link is read) the Digital Link QR Code; nothing for any other identifier.
  static std::optional<Symbology> ForIdentifier(const std::string& symbologyIdentifier);
  // The symbology of a rule's barCodeType; a type given by its typeId is looked up in the catalogue.
  static Symbology ForRule(const clsBarCodeRule& rule, clsRuleManager& rules);

  Kind kind() const { return kind_; }
  // The catalogue's typeName; "GS1 Digital Link QR Code" for the Digital Link QR Code.
  std::string name() const;
  // The symbology identifier a reader reports for the symbol ("]C1" ...).
  std::string identifier() const;
  bool twoDimensional() const { return dataMatrix() || qrCode(); }
  // Carries GS1 data: in the symbol's GS1 mode (FNC1), or as a Digital Link URI.
  bool gs1() const {
    return kind_ == Kind::Gs1_128 || kind_ == Kind::Gs1DataMatrix || kind_ == Kind::Gs1QrCode || digitalLink();
  }
  bool digitalLink() const { return kind_ == Kind::DigitalLinkQr; }
  // Data Matrix and QR Code symbols, plain or GS1.
  bool dataMatrix() const { return kind_ == Kind::DataMatrix || kind_ == Kind::Gs1DataMatrix; }
  bool qrCode() const { return kind_ == Kind::QrCode || kind_ == Kind::Gs1QrCode || digitalLink(); }

  bool operator==(const Symbology& other) const { return kind_ == other.kind_; }

  // Refuses text the symbology cannot carry, with a message that says why; a GS1 symbology
  // carries a GS1 element string in any of its forms.
  void CheckEncodable(const std::string& text) const;
  // The registry texts a scanned text may stand for: itself, and for EAN-13 also the twelve digits
  // before the check digit that the symbol adds to a 12-digit barcode.
  std::vector<std::string> RegistryCandidates(const std::string& scanned) const;

 private:
  explicit Symbology(Kind kind) : kind_(kind) {}
  // One GS1-128 symbol carries at most 48 data characters, separators included.
  static void CheckFitsGs1_128(const std::string& text);
  Kind kind_;
};

}  // namespace quillstone
