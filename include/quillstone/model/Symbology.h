// Every symbology the system prints or reads, in one place: its catalogue name and the other
// names a user may give it (a rule's barCodeType, the GS1 label names "gs1-128" ... "gs1-link"),
// whether it carries GS1 data, 2D or linear, the identifier a reader reports for it and what text
// it can carry. The GS1 ones carry a GS1 element string, whose registry text is the
// parenthesised form.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/platform/Collection.h"

namespace quillstone {
class clsBarCodeRule;
}  // namespace quillstone

namespace quillstone {

class Symbology {
 public:
  // DigitalLinkQr is a plain QR Code holding GS1 data as a GS1 Digital Link URI (consumer packs);
  // it is no row of the catalogue, so no rule names it.
  enum class Kind { Code128, Ean13, Code39, QrCode, DataMatrix, Gs1_128, Gs1DataMatrix, Gs1QrCode, DigitalLinkQr };

  // Every symbology: the catalogue's, in catalogue order, then the Digital Link QR Code.
  static std::vector<Symbology> All();
  static Symbology ForKind(Kind kind) { return Symbology(kind); }

  // Any name of a symbology, without regard to case, blanks, dashes or underscores: its
  // catalogue name ("Code 128", "EAN-13", "Code 39", "QR Code", "Data Matrix", "GS1-128",
  // "GS1 DataMatrix", "GS1 QR Code"), "GS1 Digital Link QR Code", and the short names ("qr",
  // "gs1-128", "ean128", "gs1-datamatrix", "gs1-dm", "gs1-qr", "gs1-link", "digital-link",
  // "link-qr"). Nothing for a name of none.
  static std::optional<Symbology> Named(const std::string& name);
  // A GS1 symbology by the name a label option gives it ("gs1-128", "gs1-datamatrix", "gs1-qr",
  // "gs1-link" or any other name of a GS1 one); anything else is refused.
  static Symbology ForGs1Name(const std::string& name);

  // The symbology a rule's barCodeType names: a catalogue typeName (compared as Named compares;
  // "qr" too) or a typeId of `types`, the BarCodeType catalogue's rows (a type given by its
  // typeId needs them); nothing when it names none. An empty type is Code 128.
  static std::optional<Symbology> FindRuleType(const std::string& barCodeType,
                                               const std::vector<clsBarCodeType>& types = {});
  // As FindRuleType, refusing a type that names no symbology.
  static Symbology ForRuleType(const std::string& barCodeType, const std::vector<clsBarCodeType>& types = {});
  // The symbology of a rule's barCodeType; callers pass the catalogue as the rule manager lists
  // it: Symbology::ForRule(*rule, *rules.ListBarCodeTypes()).
  static Symbology ForRule(const clsBarCodeRule& rule, const Collection<std::shared_ptr<clsBarCodeType>>& types);
  static Symbology ForRule(const clsBarCodeRule& rule, const std::vector<clsBarCodeType>& types = {});
  // The catalogue row a rule's barCodeType names, by typeName or typeId; nullptr for none.
  static const clsBarCodeType* CatalogueRow(const std::string& barCodeType, const std::vector<clsBarCodeType>& types);

  // The symbology a reader's symbology identifier names: ]C0 Code 128, ]E0 EAN-13, ]A0 Code 39,
  // ]d1 Data Matrix, ]C1 GS1-128, ]d2 GS1 DataMatrix, ]Q3 GS1 QR Code, and ]Q1 the Digital Link
  // QR Code (a plain QR Code is read as ]Q1 too: only its text tells a link from other text);
  // nothing for any other identifier.
  static std::optional<Symbology> ForIdentifier(const std::string& symbologyIdentifier);

  Kind kind() const { return kind_; }
  // The catalogue's typeName; "GS1 Digital Link QR Code" for the Digital Link QR Code.
  std::string name() const;
  // The symbology identifier a reader reports for the symbol ("]C1" ...).
  std::string identifier() const;
  // Every name Named finds it by, its catalogue name first.
  std::vector<std::string> names() const;
  bool twoDimensional() const { return dataMatrix() || qrCode(); }
  bool linear() const { return !twoDimensional(); }
  // Carries GS1 data: in the symbol's GS1 mode (FNC1), or as a Digital Link URI.
  bool gs1() const {
    return kind_ == Kind::Gs1_128 || kind_ == Kind::Gs1DataMatrix || kind_ == Kind::Gs1QrCode || digitalLink();
  }
  // Encoded in the symbol's GS1 mode (FNC1 first): the GS1 ones but the Digital Link.
  bool gs1Mode() const { return gs1() && !digitalLink(); }
  bool digitalLink() const { return kind_ == Kind::DigitalLinkQr; }
  // Data Matrix and QR Code symbols, plain or GS1.
  bool dataMatrix() const { return kind_ == Kind::DataMatrix || kind_ == Kind::Gs1DataMatrix; }
  bool qrCode() const { return kind_ == Kind::QrCode || kind_ == Kind::Gs1QrCode || digitalLink(); }

  bool operator==(const Symbology& other) const { return kind_ == other.kind_; }

  // Refuses text the symbology cannot carry, with a message that says why; a GS1 symbology
  // carries a GS1 element string in any of its forms (the Digital Link QR Code prints it as a
  // Digital Link).
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
