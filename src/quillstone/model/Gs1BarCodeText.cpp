#include "src/quillstone/model/Gs1BarCodeText.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "src/quillstone/gs1/Gs1HriForm.h"
#include "quillstone/gs1/Gs1AiTable.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "src/quillstone/gs1/Gs1Validator.h"
#include "quillstone/model/clsBarCode.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "quillstone/platform/Error.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

using Field = std::pair<std::string, std::string>;

// The item's AI without surrounding blanks, looked up without copying: barcodes of a bulk
// registration ask for it once a segment.
std::string_view AiCode(const clsBarCodeRuleItem& item) {
  std::string_view code = item.ai();
  while (!code.empty() && code.front() == ' ') code.remove_prefix(1);
  while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
  return code;
}

const Gs1Ai* AiOf(const clsBarCodeRuleItem& item) {
  if (item.ai().empty()) return nullptr;
  return Gs1AiTable::Find(AiCode(item));
}

std::string Hri(std::vector<Field> fields) {
  std::stable_sort(fields.begin(), fields.end(), [](const Field& a, const Field& b) { return a.first < b.first; });
  std::string text;
  for (const auto& [ai, value] : fields) Gs1HriForm::AppendField(text, ai, value, Gs1HriForm::Escape::Ambiguous);
  return text;
}

std::vector<Field> FieldsOf(const clsBarCode& barCode) {
  std::vector<Field> fields;
  for (const auto& segment : *barCode.items()) {
    const auto& item = segment->ruleItem();
    if (item == nullptr) continue;
    fields.emplace_back(AiCode(*item), Gs1BarCodeText::FieldValue(*item, segment->value()));
  }
  return fields;
}

std::string SegmentValue(const clsBarCodeRuleItem& item, std::string_view fieldValue) {
  if (Gs1BarCodeText::CheckDigitAppended(item)) fieldValue.remove_suffix(1);
  return std::string(fieldValue);
}

}  // namespace

bool Gs1BarCodeText::IsGs1(const clsBarCodeRule& rule) {
  for (const auto& item : *rule.ruleItems())
    if (item != nullptr && !item->ai().empty()) return true;
  return false;
}

bool Gs1BarCodeText::IsGs1(const clsBarCode& barCode) {
  for (const auto& segment : *barCode.items())
    if (segment != nullptr && segment->ruleItem() != nullptr && !segment->ruleItem()->ai().empty()) return true;
  return false;
}

bool Gs1BarCodeText::VariableLength(const clsBarCodeRuleItem& item) {
  const Gs1Ai* ai = AiOf(item);
  return ai != nullptr && !ai->fixedLength();
}

bool Gs1BarCodeText::CheckDigitAppended(const clsBarCodeRuleItem& item) {
  const Gs1Ai* ai = AiOf(item);
  return ai != nullptr && ai->check == Gs1Check::CheckDigit &&
         (item.itemType() == ISTSequence || CallersValue(item.itemType())) && item.length() + 1 == ai->maxLength;
}

bool Gs1BarCodeText::CallersValue(int itemType) {
  return itemType == ISTOther || (itemType >= ISTFree1 && itemType <= ISTFree10);
}

std::string Gs1BarCodeText::FieldValue(const clsBarCodeRuleItem& item, const std::string& segmentValue) {
  if (VariableLength(item)) return Trim(segmentValue);
  if (!CheckDigitAppended(item)) return segmentValue;
  for (char c : segmentValue)
    if (c < '0' || c > '9') return segmentValue;  // refused by the AI's check, not here
  return segmentValue + static_cast<char>('0' + Gs1Validator::CheckDigitFor(segmentValue));
}

std::string Gs1BarCodeText::Text(const clsBarCode& barCode) { return Hri(FieldsOf(barCode)); }

void Gs1BarCodeText::Check(const clsBarCode& barCode) {
  Gs1ElementString fields;
  for (const auto& [ai, value] : FieldsOf(barCode)) fields.Add(ai, value);
  fields.CheckAssociations();
}

void Gs1BarCodeText::Cut(const clsBarCodeRule& rule, const std::string& text, clsBarCode& into) {
  // Keys stored before the pairs of AIs were checked must still decode.
  Cut(rule, Gs1ElementString::Parse(text, 0, false), text, into);
}

void Gs1BarCodeText::Cut(const clsBarCodeRule& rule, const Gs1ElementString& fields, const std::string& text,
                         clsBarCode& into) {
  const RuleItemCollection& items = *rule.ruleItems();
  const BarCodeItemCollection& segments = *into.items();
  for (int i = 1; i <= items.Count(); ++i) {
    const auto& item = *items.Item(i);
    const auto value = fields.Find(AiCode(item));
    if (!value) {
      RaiseError("条码'" + TextGuard::Echo(text) + "'中没有条码规则'" + TextGuard::Echo(rule.ruleId()) +
                 "'的应用标识符(" + TextGuard::Echo(item.ai()) + ")");
    }
    segments.Item(i)->setValue(SegmentValue(item, *value));
  }
  if (fields.size() != items.Count()) {
    for (const auto& element : fields.Elements()) {
      bool inRule = false;
      for (const auto& item : items) inRule = inRule || AiCode(*item) == element.ai->code;
      if (!inRule) {
        RaiseError("条码'" + TextGuard::Echo(text) + "'含有条码规则'" + TextGuard::Echo(rule.ruleId()) +
                   "'之外的应用标识符(" + std::string(element.ai->code) + ")");
      }
    }
  }
}

std::optional<std::string> Gs1BarCodeText::Gtin14(const std::string& itemBarCode) {
  const std::string digits = Trim(itemBarCode);
  const std::size_t n = digits.size();
  if (n != 8 && n != 12 && n != 13 && n != 14) return std::nullopt;
  for (char c : digits)
    if (c < '0' || c > '9') return std::nullopt;
  if (digits.back() - '0' != Gs1Validator::CheckDigitFor(std::string_view(digits).substr(0, n - 1)))
    return std::nullopt;
  return std::string(14 - n, '0') + digits;
}

std::vector<std::string> Gs1BarCodeText::GtinForms(const std::string& gtin14) {
  std::vector<std::string> forms{gtin14};
  for (std::size_t n : {13u, 12u, 8u}) {
    if (gtin14.size() != 14) break;
    const std::size_t zeros = 14 - n;
    if (gtin14.compare(0, zeros, std::string(zeros, '0')) == 0) forms.push_back(gtin14.substr(zeros));
  }
  return forms;
}

std::optional<std::string> Gs1BarCodeText::RegistryForm(const std::string& text) {
  // GS1 data starts with an AI, a parenthesis, a symbology identifier or a link's scheme; other
  // texts (a missed lookup of most barcodes) are not parsed at all.
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::nullopt;
  const char c = text[first];
  if (!(c == '(' || c == ']' || (c >= '0' && c <= '9') || c == 'h' || c == 'H')) return std::nullopt;
  Gs1ElementString fields;
  try {
    fields.Assign(text, 0, false);
  } catch (const Error&) {
    return std::nullopt;
  }
  return RegistryForm(fields);
}

std::string Gs1BarCodeText::RegistryForm(const Gs1ElementString& fields) {
  std::vector<Field> pairs;
  for (const auto& element : fields.Elements()) pairs.emplace_back(element.ai->code, element.value);
  return Hri(std::move(pairs));
}

}  // namespace quillstone
