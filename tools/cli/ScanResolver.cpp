#include "cli/ScanResolver.h"

#include "cli/BarCodeReader.h"
#include "cli/CliError.h"
#include "cli/Gs1Input.h"
#include "quillstone/labels/Gs1Symbol.h"
#include "cli/Session.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/barcodes/clsGs1Receiver.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/Error.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::cli {

ScanResolver::Outcome ScanResolver::Resolve(const ImageScanner::Code& code, const std::string& ruleId,
                                            const std::shared_ptr<clsInventoryInfo>& document) {
  Outcome out;
  out.scanned = code.text;
  out.barCode = code.text;
  out.symbology = code.symbology.name();
  out.verifyAsked = document != nullptr;
  out.symbologyIdentifier = code.symbologyIdentifier;
  BarCodeReader reader(session_);
  try {
    if (code.gs1 || Gs1ElementString::FormOf(code.text) == Gs1Form::DigitalLink) {
      ResolveGs1(code, ruleId, document, out);
      return out;
    }
    const auto candidates = code.symbology.RegistryCandidates(code.text);
    std::shared_ptr<clsInventoryBarCodeSet> set;
    for (const auto& candidate : candidates) {
      if ((set = reader.Registered(candidate))) {
        out.barCode = candidate;
        break;
      }
    }
    out.registered = set != nullptr;

    std::shared_ptr<clsBarCodeRule> rule;
    if (!ruleId.empty()) {
      rule = reader.RuleFor(out.barCode, ruleId);
      // An unregistered EAN-13 code fits the rule either with or without its check digit.
      if (!set)
        for (const auto& candidate : candidates)
          if (AnsiLength(candidate) == rule->length()) out.barCode = candidate;
    } else if (set) {
      rule = reader.RuleFor(out.barCode, set->ruleId());
    } else {
      throw CliError("条形码'" + code.text + "'没有登记（或者没有对它的访问权限）；请用--rule指定它的规则");
    }
    DecodeAndVerify(rule, set, document, out);
  } catch (const Error& e) {
    out.error = e.description();
  } catch (const CliError& e) {
    out.error = e.what();
  }
  return out;
}

void ScanResolver::DecodeAndVerify(const std::shared_ptr<clsBarCodeRule>& rule,
                                   const std::shared_ptr<clsInventoryBarCodeSet>& set,
                                   const std::shared_ptr<clsInventoryInfo>& document, Outcome& out) {
  out.ruleId = rule->ruleId();
  out.decoded = BarCodeReader(session_).Decode(out.barCode, rule);
  if (document) {
    auto info = document->CloneInventoryInfo();
    if (info->inventoryId().empty() && set && set->invInfo()) info->setInventoryId(set->invInfo()->inventoryId());
    session_.BarCodes().VerifyBarCodeSet(out.barCode, info);
    out.verified = true;
  }
}

void ScanResolver::ResolveGs1(const ImageScanner::Code& code, const std::string& ruleId,
                              const std::shared_ptr<clsInventoryInfo>& document, Outcome& out) {
  // A GS1 symbol gives the raw element string, its symbology identifier saying how to read it;
  // a plain QR Code may hold a Digital Link. What was read is shown even when no item carries
  // its GTIN.
  const std::string data = code.gs1 ? code.symbologyIdentifier + code.text : code.text;
  out.barCode = Gs1Input::Visible(data);
  if (auto kind = Gs1Symbol::ForIdentifier(code.symbologyIdentifier)) out.symbology = Gs1Symbol::Name(*kind);
  auto elements = std::make_shared<Gs1ElementString>(Gs1ElementString::Parse(data));
  out.gs1 = elements;
  out.barCode = elements->ToHri();
  // A barcode of a GS1 rule: the registry finds it in whichever form or field order it was read.
  BarCodeReader reader(session_);
  if (auto set = reader.Registered(out.barCode)) {
    out.barCode = set->barCode();
    out.registered = true;
    DecodeAndVerify(reader.RuleFor(out.barCode, ruleId.empty() ? set->ruleId() : ruleId), set, document, out);
    return;
  }
  // Otherwise a supplier's label, received by its GTIN.
  auto receipt = clsGs1Receiver(session_.Context()).ReceiveLabel(*elements);
  out.decoded = receipt.invInfo;
  out.warnings = std::move(receipt.warnings);
  if (document) {
    Gs1Input::Verify(*out.decoded, *document);
    out.verified = true;
  }
}

}  // namespace quillstone::cli
