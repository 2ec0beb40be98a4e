#include "cli/Gs1Input.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/JsonOutput.h"
#include "cli/RecordView.h"
#include "cli/Session.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/gs1/Gs1Quantity.h"
#include "quillstone/model/clsInventoryInfo.h"

namespace quillstone::cli {
namespace {

const std::string kTypedSeparator = "<GS>";
const std::string kSeparator(1, Gs1ElementString::kGroupSeparator);

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

bool StartsWithAi(const std::string& text) {
  std::size_t digits = 0;
  while (1 + digits < text.size() && std::isdigit(static_cast<unsigned char>(text[1 + digits]))) ++digits;
  return text.starts_with('(') && digits >= 2 && digits <= 4 && 1 + digits < text.size() && text[1 + digits] == ')';
}

// A property the document names must be the label's; one the label does not carry is not checked.
void Same(const std::string& what, const Variant& label, const Variant& document) {
  const std::string fromLabel = RecordView::Text(label);
  const std::string fromDocument = RecordView::Text(document);
  if (fromLabel.empty() || fromDocument.empty() || fromLabel == fromDocument) return;
  throw CliError("GS1标签的" + what + "为'" + fromLabel + "'，单据的" + what + "为'" + fromDocument + "'");
}

}  // namespace

bool Gs1Input::LooksLikeGs1(const std::string& text) {
  return StartsWithAi(text) || text.starts_with("]C1") || text.starts_with("]d2") || text.starts_with("]Q3") ||
         text.starts_with("]e0") || text.find(kSeparator) != std::string::npos ||
         text.find(kTypedSeparator) != std::string::npos || text.find("://") != std::string::npos;
}

std::string Gs1Input::FromCommandLine(const std::string& text) { return Replaced(text, kTypedSeparator, kSeparator); }

std::string Gs1Input::Visible(const std::string& text) { return Replaced(text, kSeparator, kTypedSeparator); }

TablePrinter Gs1Input::ElementTable(const Gs1ElementString& elements) {
  TablePrinter table({"AI", "title", "value"});
  for (const auto& e : elements.Elements()) {
    // A measure reads as its number and unit: 3103 "001250" is 1.250 kg.
    const auto quantity = Gs1Quantity::Of(e);
    table.AddRow({std::string(e.ai->code), std::string(e.ai->title), quantity ? quantity->Text() : std::string(e.value)});
  }
  return table;
}

nlohmann::json Gs1Input::QuantityJson(const Gs1Quantity& q) {
  return {{"ai", q.ai().code}, {"number", q.value()}, {"text", q.number()}, {"unit", q.unit()}, {"digits", q.digits()}};
}

nlohmann::json Gs1Input::ElementsJson(const Gs1ElementString& elements) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& e : elements.Elements()) {
    nlohmann::json j = {{"ai", e.ai->code}, {"title", e.ai->title}, {"name", e.ai->name}, {"value", e.value}};
    if (e.ai->decimals >= 0) j["decimals"] = e.ai->decimals;
    if (const auto quantity = Gs1Quantity::Of(e)) {
      j["number"] = quantity->value();
      j["unit"] = quantity->unit();
    }
    out.push_back(j);
  }
  return out;
}

clsGs1Receiver::Receipt Gs1Input::Receive(Session& session, const std::string& text) {
  return clsGs1Receiver(session.Context()).Receive(FromCommandLine(text));
}

void Gs1Input::Verify(const clsInventoryInfo& received, const clsInventoryInfo& document) {
  if (!document.inventoryId().empty() && document.inventoryId() != received.inventoryId())
    throw CliError("条码信息与当前存货编码不一致，条码信息中的存货编码为'" + received.inventoryId() +
                   "',当前存货编码为'" + document.inventoryId() + "'");
  Same("批号", received.batchNo(), document.batchNo());
  Same("生产日期", received.madeDate(), document.madeDate());
  Same("失效日期", received.disableDate(), document.disableDate());
}

nlohmann::json Gs1Input::ReceiptJson(const clsGs1Receiver::Receipt& receipt) {
  nlohmann::json doc = {{"gs1", receipt.elements.ToHri()},
                        {"invInfo", RecordView::InventoryJson(*receipt.invInfo)},
                        {"elements", ElementsJson(receipt.elements)}};
  if (!receipt.elements.symbologyIdentifier().empty())
    doc["symbologyIdentifier"] = receipt.elements.symbologyIdentifier();
  doc["quantities"] = nlohmann::json::array();
  for (const auto& q : receipt.quantities) doc["quantities"].push_back(QuantityJson(q));
  if (receipt.packaging) {
    const auto& p = *receipt.packaging;
    doc["packaging"] = {{"gtin", p.gtin}, {"unitId", p.unitId}, {"unitName", p.unitName}, {"quantity", p.quantity}};
  }
  if (receipt.baseQuantity) doc["baseQuantity"] = *receipt.baseQuantity;
  doc["warnings"] = WarningsJson(receipt.warnings);
  return doc;
}

nlohmann::json Gs1Input::WarningsJson(const std::vector<clsGs1Receiver::Warning>& warnings) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& w : warnings) out.push_back({{"kind", w.kind}, {"message", w.message}});
  return out;
}

int Gs1Input::WarningExit(const clsGs1Receiver::Receipt& receipt, bool json) {
  if (receipt.warnings.empty()) return 0;
  if (!json)
    for (const auto& w : receipt.warnings) std::cerr << "警告：" << w.message << '\n';
  return kWarningExit;
}

int Gs1Input::PrintReceived(Session& session, const std::string& text) {
  const auto receipt = Receive(session, text);
  if (session.json()) {
    JsonOutput::Print(ReceiptJson(receipt));
    return WarningExit(receipt, true);
  }
  std::cout << receipt.elements.ToHri() << "  GS1, item " << receipt.invInfo->inventoryId() << "\n\n";
  RecordView::PropertyTable(*receipt.invInfo).Print(std::cout, 2);
  if (receipt.packaging) {
    const auto& p = *receipt.packaging;
    std::cout << "\n  packaging level " << p.gtin << ": 1 " << (p.unitName.empty() ? p.unitId : p.unitName) << " = "
              << p.quantity << " base units";
  }
  if (receipt.baseQuantity) std::cout << "\n  quantity in base units: " << *receipt.baseQuantity << '\n';
  std::cout << '\n';
  ElementTable(receipt.elements).Print(std::cout, 2);
  return WarningExit(receipt, false);
}

}  // namespace quillstone::cli
