#include "quillstone/scanning/clsScanService.h"

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/model/Symbology.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/rules/clsRuleManager.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

bool StartsWithAi(const std::string& text) {
  std::size_t digits = 0;
  while (1 + digits < text.size() && std::isdigit(static_cast<unsigned char>(text[1 + digits]))) ++digits;
  return text.starts_with('(') && digits >= 2 && digits <= 4 && 1 + digits < text.size() && text[1 + digits] == ')';
}

// GS1 data rather than a barcode of a plain rule: parenthesised AIs, a GS1 symbology identifier,
// a group separator, or a URI. Raw data without either looks like any other barcode.
bool LooksLikeGs1(const std::string& text) {
  return StartsWithAi(text) || text.starts_with("]C1") || text.starts_with("]d2") || text.starts_with("]Q3") ||
         text.starts_with("]e0") || text.find(Gs1ElementString::kGroupSeparator) != std::string::npos ||
         text.find("://") != std::string::npos;
}

const std::vector<clsGs1Receiver::Warning> kNoWarnings;

}  // namespace

const std::vector<clsGs1Receiver::Warning>& clsScanService::Answer::warnings() const {
  return receipt ? receipt->warnings : kNoWarnings;
}

clsScanService::clsScanService(const std::shared_ptr<clsContext>& context) : context_(context) {}

std::shared_ptr<clsContext> clsScanService::Context() const {
  auto context = context_.lock();
  if (!context) RaiseError("扫描服务没有连接到条码系统");
  return context;
}

clsScanService::Answer clsScanService::Identify(const std::string& text, const std::string& ruleId, bool gs1) {
  Answer answer;
  answer.scanned = text;
  answer.barCode = text;
  if (gs1 || LooksLikeGs1(text)) {
    answer.gs1 = std::make_shared<Gs1ElementString>(Gs1ElementString::Parse(text));
    FromGs1(answer, ruleId);
  } else {
    FromRegistry(answer, {text}, ruleId);
  }
  return answer;
}

clsScanService::Answer clsScanService::Identify(const Gs1ElementString& elements, const std::string& ruleId) {
  Answer answer;
  answer.gs1 = std::make_shared<Gs1ElementString>(elements);
  answer.scanned = answer.gs1->ToHri();
  FromGs1(answer, ruleId);
  return answer;
}

clsScanService::Answer clsScanService::Read(const ImageScanner::Code& code) {
  Answer answer;
  answer.scanned = code.text;
  answer.symbology = code.symbology.name();
  answer.symbologyIdentifier = code.symbologyIdentifier;
  // A GS1 symbol gives the raw element string, its symbology identifier saying how to read it;
  // a plain QR Code may hold a Digital Link.
  answer.barCode = code.gs1 ? code.symbologyIdentifier + code.text : code.text;
  if (code.gs1 || Gs1ElementString::FormOf(code.text) == Gs1Form::DigitalLink) {
    if (auto gs1Symbol = Symbology::ForIdentifier(code.symbologyIdentifier)) answer.symbology = gs1Symbol->name();
  }
  return answer;
}

clsScanService::Answer clsScanService::Identify(const ImageScanner::Code& code, const std::string& ruleId) {
  Answer answer = Read(code);
  if (code.gs1 || Gs1ElementString::FormOf(code.text) == Gs1Form::DigitalLink) {
    answer.gs1 = std::make_shared<Gs1ElementString>(Gs1ElementString::Parse(answer.barCode));
    FromGs1(answer, ruleId);
  } else {
    FromRegistry(answer, code.symbology.RegistryCandidates(code.text), ruleId);
  }
  return answer;
}

std::vector<clsScanService::Answer> clsScanService::IdentifyPicture(const std::string& bytes, const std::string& name,
                                                                    const std::string& ruleId,
                                                                    const ImageSizeLimit& limit) {
  return IdentifyEach(ImageScanner::ScanBytes(bytes, name, limit), ruleId);
}

std::vector<clsScanService::Answer> clsScanService::IdentifyPictureFile(const std::string& path,
                                                                        const std::string& ruleId) {
  return IdentifyEach(ImageScanner::Scan(path), ruleId);
}

std::vector<clsScanService::Answer> clsScanService::IdentifyEach(const std::vector<ImageScanner::Code>& codes,
                                                                 const std::string& ruleId) {
  std::vector<Answer> answers;
  for (const auto& code : codes) {
    try {
      answers.push_back(Identify(code, ruleId));
    } catch (const Error& e) {
      // What was read is still shown, with the reason it went no further.
      Answer failed = Read(code);
      failed.error = e.description();
      answers.push_back(std::move(failed));
    }
  }
  return answers;
}

void clsScanService::FromRegistry(Answer& answer, const std::vector<std::string>& candidates,
                                  const std::string& ruleId) {
  auto barCodes = Context()->objBarCodeManager();
  for (const auto& candidate : candidates) {
    if ((answer.record = barCodes->LoadInventoryBarCodeSet(candidate))) {
      answer.kind = Kind::Registered;
      answer.barCode = answer.record->barCode();
      break;
    }
  }
  if (!answer.record && ruleId.empty()) return;
  DecodeBy(answer, ruleId.empty() ? answer.record->ruleId() : ruleId);
  // An unregistered EAN-13 code fits the rule either with or without its check digit.
  if (!answer.record) {
    for (const auto& candidate : candidates)
      if (AnsiLength(candidate) == answer.rule->length()) answer.barCode = candidate;
  }
  answer.invInfo = std::make_shared<clsInventoryInfo>();
  barCodes->DecodeBarCode(answer.barCode, answer.rule, answer.invInfo);
  // A named rule decodes any text: the item it names is shown only within the user's data rights.
  const std::string& decodedItem = answer.invInfo->inventoryId();
  const bool registeredItem = answer.record && answer.record->invInfo() &&
                              answer.record->invInfo()->inventoryId() == decodedItem;
  if (!decodedItem.empty() && !registeredItem && !barCodes->CanSeeInventory(decodedItem))
    RaiseError("存货'" + decodedItem + "'不存在，或者不在您的数据权限之内");
}

void clsScanService::FromGs1(Answer& answer, const std::string& ruleId) {
  const Gs1ElementString& elements = *answer.gs1;
  answer.barCode = elements.ToHri();
  // A barcode of a GS1 rule is registered under one key, whatever form or field order it was read in.
  auto barCodes = Context()->objBarCodeManager();
  if ((answer.record = barCodes->LoadInventoryBarCodeSet(Gs1BarCodeText::RegistryForm(elements)))) {
    answer.kind = Kind::Registered;
    answer.barCode = answer.record->barCode();
    DecodeBy(answer, ruleId.empty() ? answer.record->ruleId() : ruleId);
    answer.invInfo = std::make_shared<clsInventoryInfo>();
    barCodes->DecodeBarCode(elements, answer.rule, answer.invInfo);
    return;
  }
  // Otherwise a maker's label, received by its GTIN.
  answer.kind = Kind::SupplierLabel;
  auto receipt = std::make_shared<clsGs1Receiver::Receipt>(clsGs1Receiver(Context()).ReceiveLabel(elements));
  answer.invInfo = receipt->invInfo;
  answer.receipt = std::move(receipt);
}

void clsScanService::DecodeBy(Answer& answer, const std::string& ruleId) {
  answer.rule = Context()->objRuleManager()->LoadRule(ruleId);
  if (!answer.rule) RaiseError("条码规则'" + ruleId + "'不存在");
}

std::string clsScanService::ItemOf(const Answer& answer) {
  if (answer.record && answer.record->invInfo()) return answer.record->invInfo()->inventoryId();
  return answer.invInfo ? answer.invInfo->inventoryId() : std::string();
}

void clsScanService::Verify(const Answer& answer, const clsInventoryInfo& document) {
  // Only the registry knows what a code of no one's label should stand for.
  Assert(answer.kind != Kind::Unknown, "条码'" + answer.barCode + "'不存在，或者对条码没有权限");
  // A document that names no item is about the scanned one.
  auto current = document.CloneInventoryInfo();
  if (current->inventoryId().empty()) current->setInventoryId(ItemOf(answer));
  auto barCodes = Context()->objBarCodeManager();
  if (answer.record) {
    Assert(!answer.record->bAbandon(), "条码'" + answer.record->barCode() + "'已被封存，不能使用");
    barCodes->VerifyInventoryInfo(*answer.record->invInfo(), *current);
    return;
  }
  barCodes->VerifyInventoryInfo(*answer.invInfo, *current);
}

}  // namespace quillstone
