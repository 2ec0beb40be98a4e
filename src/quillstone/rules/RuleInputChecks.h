// Checks of a rule that its item sources cannot make alone, run before the rule is stored so a
// rule that cannot make a valid barcode is refused on every backend alike: texts the columns and
// the code page can hold, a symbology of the catalogue, the shape EAN-13 and GS1 need, and running
// numbers that start at digits.
#pragma once

#include <string>
#include <vector>

namespace quillstone {

class clsBarCodeRule;
class clsBarCodeType;
class clsRuleAssign;

class RuleInputChecks {
 public:
  // Rule code, name, symbology, description and relevant values: storable, within their columns;
  // the code and the relevant values (which become barcode text) in the code page.
  static void CheckTexts(const clsBarCodeRule& rule);
  // The rule's barCodeType is a typeName (compared without case, blanks and dashes) or a typeId of
  // `types`; blank stands for the default symbology. EAN-13 rules and sequence start values.
  static void CheckShape(const clsBarCodeRule& rule, const std::vector<clsBarCodeType>& types);

  // An assignment's codes: storable, in the code page and within the columns of RuleAssign.
  static void CheckAssignTexts(const clsRuleAssign& assign);

  // Whether the rule's barCodeType names EAN-13 (by name, or by a typeId of that name).
  static bool IsEan13(const std::string& barCodeType, const std::vector<clsBarCodeType>& types);
  // Whether it names GS1-128, GS1 DataMatrix or GS1 QR Code, whose items each fill an AI.
  static bool IsGs1(const std::string& barCodeType, const std::vector<clsBarCodeType>& types);
};

}  // namespace quillstone
