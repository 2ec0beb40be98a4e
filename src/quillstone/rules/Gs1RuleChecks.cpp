#include "src/quillstone/rules/Gs1RuleChecks.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "quillstone/gs1/Gs1AiTable.h"
#include "src/quillstone/gs1/Gs1Associations.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "src/quillstone/model/Gs1BarCodeText.h"
#include "src/quillstone/model/Gs1Meaning.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeRuleItem.h"
#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

std::string ItemName(int position, const std::string& ai) {
  return "第" + std::to_string(position) + "个规则项(应用标识符" + TextGuard::Echo(ai) + ")";
}

void CheckSource(int position, const Gs1Ai& ai, const clsBarCodeRuleItem& item) {
  const std::string code(ai.code);
  if (item.itemType() == ISTFixed) {
    try {
      Gs1ElementString fields;
      fields.Add(ai, item.relevantValue());
    } catch (const Error&) {
      RaiseError(ItemName(position, code) + "的固定值'" + TextGuard::Echo(item.relevantValue()) +
                 "'不符合该应用标识符的格式");
    }
    return;
  }
  const Gs1Meaning::Row& meaning = Gs1Meaning::Of(code);
  if (Gs1Meaning::SourceFits(meaning, item.itemType(), item.relevantValue())) return;
  const std::string source =
      item.sourceName().empty() ? std::to_string(static_cast<int>(item.itemType())) : item.sourceName();
  RaiseError(ItemName(position, code) + "的来源'" + TextGuard::Echo(source) + "'不适用，应取自" + meaning.wanted);
}

void CheckLength(int position, const Gs1Ai& ai, const clsBarCodeRuleItem& item) {
  const std::string code(ai.code);
  // A running number leaves the check digit to be computed over it.
  if (ai.check == Gs1Check::CheckDigit && item.itemType() == ISTSequence) {
    if (item.length() + 1 != ai.maxLength) {
      RaiseError(ItemName(position, code) + "由流水号生成，长度必须是" + std::to_string(ai.maxLength - 1) +
                 "(校验位自动计算)，实为" + std::to_string(item.length()));
    }
    return;
  }
  // The caller may give such a value whole, or without its check digit.
  if (Gs1BarCodeText::CheckDigitAppended(item)) return;
  if (ai.fixedLength() && item.length() != ai.maxLength) {
    RaiseError(ItemName(position, code) + "的长度必须是" + std::to_string(ai.maxLength) + "，实为" +
               std::to_string(item.length()));
  }
  if (item.length() > ai.maxLength) {
    RaiseError(ItemName(position, code) + "的长度不能超过" + std::to_string(ai.maxLength) + "，实为" +
               std::to_string(item.length()));
  }
}

// The longest value an item puts into its field: a check digit computed over it adds one.
std::size_t LongestValue(const Gs1Ai& ai, const clsBarCodeRuleItem& item) {
  if (Gs1BarCodeText::CheckDigitAppended(item) || (ai.check == Gs1Check::CheckDigit && item.itemType() == ISTSequence))
    return ai.maxLength;
  return static_cast<std::size_t>(std::max<int>(item.length(), 0));
}

}  // namespace

std::size_t Gs1RuleChecks::LongestRawLength(const clsBarCodeRule& rule) {
  std::vector<std::pair<std::string, std::size_t>> fields;
  for (const auto& item : *rule.ruleItems()) {
    const Gs1Ai* ai = item ? Gs1AiTable::Find(Trim(item->ai())) : nullptr;
    if (ai != nullptr) fields.emplace_back(std::string(ai->code), ai->code.size() + LongestValue(*ai, *item));
  }
  // The registry writes the fields in ascending AI order; a field of a length the standard
  // does not set is ended by a separator unless it comes last.
  std::stable_sort(fields.begin(), fields.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::size_t length = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    length += fields[i].second;
    if (i + 1 < fields.size() && !Gs1AiTable::Find(fields[i].first)->predefinedLength()) ++length;
  }
  return length;
}

void Gs1RuleChecks::CheckFitsGs1_128(const clsBarCodeRule& rule) {
  const std::size_t longest = LongestRawLength(rule);
  if (longest <= Gs1ElementString::kMaxGs1_128Characters) return;
  RaiseError("GS1-128条码最多容纳" + std::to_string(Gs1ElementString::kMaxGs1_128Characters) +
             "个数据字符(含应用标识符和字段间的分隔符)，规则'" + TextGuard::Echo(rule.ruleId()) + "'的条码最长有" +
             std::to_string(longest) + "个，请改用GS1 DataMatrix");
}

void Gs1RuleChecks::Check(const clsBarCodeRule& rule) {
  std::set<std::string> seen;
  std::vector<const Gs1Ai*> ais;
  int position = 0;
  for (const auto& item : *rule.ruleItems()) {
    ++position;
    const std::string code = Trim(item->ai());
    if (code.empty()) RaiseError("GS1条码规则的第" + std::to_string(position) + "个规则项必须指定应用标识符");
    const Gs1Ai* ai = Gs1AiTable::Find(code);
    if (ai == nullptr) RaiseError(ItemName(position, code) + "的应用标识符不在GS1应用标识符表中");
    if (position == 1 && code != "00" && code != "01") {
      RaiseError("GS1条码规则的第一个应用标识符必须是00或01，实为" + TextGuard::Echo(code));
    }
    if (!seen.insert(code).second) RaiseError("GS1条码规则中应用标识符" + TextGuard::Echo(code) + "出现了两次");
    CheckLength(position, *ai, *item);
    CheckSource(position, *ai, *item);
    ais.push_back(ai);
  }
  // A rule whose AIs GS1 does not allow together could never register a barcode.
  Gs1Associations::Check(ais);
}

}  // namespace quillstone
