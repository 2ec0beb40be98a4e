#include "quillstone/model/clsBarCodeRule.h"

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/Int16.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

namespace {

// At most `length` bytes from 1-based byte `start` of an ANSI text; a range past the end keeps
// the bytes that exist, and a range before the first byte or of no length keeps none.
std::string CutAnsi(const std::string& ansi, int16_t start, int16_t length) {
  if (start < 1 || length <= 0) return "";
  auto from = static_cast<std::size_t>(start - 1);
  if (from >= ansi.size()) return "";
  return ansi.substr(from, static_cast<std::size_t>(length));
}

}  // namespace

const std::shared_ptr<RuleItemCollection>& clsBarCodeRule::ruleItems() const {
  if (!ruleItems_) ruleItems_ = std::make_shared<RuleItemCollection>();
  return ruleItems_;
}

std::shared_ptr<clsBarCodeRuleItem> clsBarCodeRule::CreateRuleItem(ItemSourceType itemType) {
  const RuleItemCollection& items = *ruleItems();
  auto item = std::make_shared<clsBarCodeRuleItem>();
  item->setObjRule(weak_from_this().lock());
  item->setIndex(ToInt16(items.Count() + 1));
  item->setItemType(itemType);
  if (items.Count() == 0) {
    item->setStart(1);
  } else {
    const auto& last = items.Item(items.Count());
    item->setStart(Add16(last->start(), last->length()));
  }
  item->setLength(Add16(Sub16(length_, item->start()), 1));
  return item;
}

std::string clsBarCodeRule::RuleContent() const {
  std::string content;
  for (const auto& item : *ruleItems()) {
    if (!content.empty()) content += "+";
    if (!item->ai().empty()) content += "(" + item->ai() + ")";
    switch (item->itemType()) {
      case ISTFixed:
        content += "'" + item->relevantValue() + "'";
        break;
      case ISTMadeDate:
      case ISTDisableDate:
      case ISTMassDay:
        content += item->sourceName() + "(" + item->relevantValue() + ")";
        break;
      default:
        content += item->sourceName() + "(" + std::to_string(item->length()) + ")";
        break;
    }
  }
  return content;
}

int16_t clsBarCodeRule::ItemTotalLength() const {
  int16_t total = 0;
  for (const auto& item : *ruleItems()) total = Add16(total, item->length());
  return total;
}

std::shared_ptr<clsBarCode> clsBarCodeRule::CreateBarCode() const {
  auto barCode = std::make_shared<clsBarCode>();
  barCode->setRuleId(ruleId_);
  for (const auto& item : *ruleItems()) barCode->items()->Add(barCode->CreateBarCodeItem(item));
  return barCode;
}

std::shared_ptr<clsBarCode> clsBarCodeRule::DecodeBarCode(const Gs1ElementString& fields) const {
  if (!Gs1BarCodeText::IsGs1(*this)) return DecodeBarCode(fields.ToHri());
  auto decoded = CreateBarCode();
  Gs1BarCodeText::Cut(*this, fields, fields.ToHri(), *decoded);
  return decoded;
}

std::shared_ptr<clsBarCode> clsBarCodeRule::DecodeBarCode(const std::string& barCode) const {
  if (Gs1BarCodeText::IsGs1(*this)) {
    auto decoded = CreateBarCode();
    Gs1BarCodeText::Cut(*this, barCode, *decoded);
    return decoded;
  }
  Assert(AnsiLength(barCode) == length_, "条码长度不等于对应规则定义的长度,规则要求长度为" + std::to_string(length_));
  const std::string ansi = ToAnsi(barCode);
  auto decoded = CreateBarCode();
  const RuleItemCollection& items = *ruleItems();
  const BarCodeItemCollection& segments = *decoded->items();
  for (int i = 1; i <= items.Count(); ++i) {
    const auto& item = items.Item(i);
    segments.Item(i)->setValue(FromAnsi(CutAnsi(ansi, item->start(), item->length())));
  }
  return decoded;
}

std::shared_ptr<ICloneable> clsBarCodeRule::Clone() { return CloneRule(); }

std::shared_ptr<clsBarCodeRule> clsBarCodeRule::CloneRule() const {
  auto copy = std::make_shared<clsBarCodeRule>();
  CopyTo(copy);
  return copy;
}

void clsBarCodeRule::CopyTo(std::shared_ptr<ICloneable>& obj) { CopyTo(CopyTarget<clsBarCodeRule>(obj)); }

void clsBarCodeRule::CopyTo(const std::shared_ptr<clsBarCodeRule>& obj) const {
  Assert(obj != nullptr, "CopyTo的参数类型必须是clsBarCodeRule,且不能为空对象");
  // Held here because the target's items are replaced below: the target may be this rule itself
  // or share this rule's collection.
  const std::shared_ptr<RuleItemCollection> source = ruleItems();
  obj->setBarCodeType(barCodeType_);
  obj->setLength(length_);
  obj->setRuleId(ruleId_);
  obj->setRuleName(ruleName_);
  obj->setDescription(description_);
  obj->setRuleItems(std::make_shared<RuleItemCollection>());
  for (const auto& item : *source) {
    auto copy = item->CloneRuleItem();
    copy->setObjRule(obj);
    obj->ruleItems()->Add(copy);
  }
}

}  // namespace quillstone
