#include "cli/Gs1Input.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/JsonOutput.h"
#include "cli/RecordView.h"
#include "cli/Session.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/gs1/Gs1Quantity.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/service/RecordJson.h"

namespace quillstone::cli {
namespace {

const std::string kTypedSeparator = "<GS>";
const std::string kSeparator(1, Gs1ElementString::kGroupSeparator);

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

}  // namespace

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
  return service::RecordJson::Warnings(warnings);
}

int Gs1Input::WarningExit(const clsGs1Receiver::Receipt& receipt, bool json) {
  if (receipt.warnings.empty()) return 0;
  if (!json)
    for (const auto& w : receipt.warnings) std::cerr << "警告：" << w.message << '\n';
  return kWarningExit;
}

int Gs1Input::PrintReceipt(Session& session, const clsGs1Receiver::Receipt& receipt) {
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
