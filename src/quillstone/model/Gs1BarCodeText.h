// The text of a barcode of a GS1 rule. Each segment fills one application identifier, and the
// registry keeps the barcode as its HRI with the fields in ascending AI order:
// (01)09506000134352(10)B12(17)271231(21)000042. That form is the same whatever order the rule
// lists its items in and whichever of the three forms the barcode was scanned in, so one barcode
// has exactly one registry key.
//
// A segment holds what its item source gives; the field holds the value the AI takes. They differ
// in two ways: a value of variable length is written without the blanks a source may pad it with,
// and a running number (or a caller's value) for an AI with a check digit may be one digit short,
// the check digit being computed and appended.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillstone {

class clsBarCode;
class clsBarCodeRule;
class clsBarCodeRuleItem;
class Gs1ElementString;

class Gs1BarCodeText {
 public:
  // A rule whose items name AIs; rules of other symbologies name none.
  static bool IsGs1(const clsBarCodeRule& rule);
  static bool IsGs1(const clsBarCode& barCode);
  // The item fills an AI whose values vary in length: its segments may be shorter than the item.
  static bool VariableLength(const clsBarCodeRuleItem& item);
  // The value the caller gives: the other item and the free items.
  static bool CallersValue(int itemType);
  // The item is a running number or the caller's value for an AI with a check digit, one digit
  // shorter than the AI: the check digit is computed.
  static bool CheckDigitAppended(const clsBarCodeRuleItem& item);

  // The field value of a segment value.
  static std::string FieldValue(const clsBarCodeRuleItem& item, const std::string& segmentValue);
  // The registry form of a barcode's segments, without checking them.
  static std::string Text(const clsBarCode& barCode);
  // Raises the library's error naming the AI for the first field its AI refuses.
  static void Check(const clsBarCode& barCode);
  // Fills `into` (made by the rule) from a text in any of the three forms. The text must carry
  // exactly the rule's AIs.
  static void Cut(const clsBarCodeRule& rule, const std::string& text, clsBarCode& into);
  // The same from fields parsed already; `text` names the barcode in messages.
  static void Cut(const clsBarCodeRule& rule, const Gs1ElementString& fields, const std::string& text,
                  clsBarCode& into);
  // The GTIN-14 of an item's barcode: a GTIN-8, -12, -13 or -14 with a valid check digit, led by
  // zeros to 14 digits. Nothing for any other text.
  static std::optional<std::string> Gtin14(const std::string& itemBarCode);
  // The item barcodes a GTIN-14 may stand for: itself and its shorter forms without leading zeros.
  static std::vector<std::string> GtinForms(const std::string& gtin14);
  // The registry form of a text in any GS1 form; nothing for a text that is no GS1 data.
  static std::optional<std::string> RegistryForm(const std::string& text);
  static std::string RegistryForm(const Gs1ElementString& fields);
};

}  // namespace quillstone
