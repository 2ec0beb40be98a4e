#include "cli/InventoryOptions.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "cli/CliError.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/DateTime.h"

namespace quillstone::cli {
namespace {

Variant DateValue(const std::string& text) {
  const auto day = ParseIsoDate(text);
  return day ? Variant(FormatIsoDate(*day)) : Variant(text);
}

// A finite decimal number. CLI11's check and strtod also take hexadecimal (0x10 is 16), "inf" and
// leading blanks, none of which a clerk means by a cost; 1e999 is of the form and is no cost.
double CostValue(const std::string& text) {
  const bool decimal = !text.empty() && text.find_first_not_of("0123456789.eE+-") == std::string::npos;
  errno = 0;
  char* end = nullptr;
  const double cost = decimal ? std::strtod(text.c_str(), &end) : 0;
  if (!decimal || errno == ERANGE || !std::isfinite(cost) || end == text.c_str() || *end != '\0')
    throw CliError("--cost：'" + text.substr(0, 40) + "'不是程序能接受的单价，单价应为十进制数");
  return cost;
}

}  // namespace

bool InventoryOptions::Text::given() const { return option != nullptr && option->count() > 0; }

void InventoryOptions::AddTo(CLI::App& app, bool withItem) {
  if (withItem) {
    item_.option = app.add_option("--item", item_.value,
                                  "Inventory code the document uses (default: the item the barcode was "
                                  "registered for)");
  }
  const std::string group = "Inventory properties";
  auto add = [&](const std::string& name, Text& t, const std::string& help) {
    t.option = app.add_option(name, t.value, help)->group(group);
  };
  add("--warehouse", warehouse_, "Warehouse code");
  add("--position", position_, "Storage position code");
  add("--batch", batch_, "Batch number");
  add("--made", made_, "Production date, yyyy-mm-dd");
  add("--expiry", expiry_, "Expiry date, yyyy-mm-dd");
  add("--shelf-life", shelfLife_, "Shelf life in days");
  shelfLife_.option->check(CLI::Range(0, 2147483647));
  add("--vendor", vendor_, "Vendor code");
  add("--unit", unit_, "Unit of measure code");
  add("--cost", cost_, "Unit cost");
  cost_.option->check(CLI::Number);
  for (std::size_t k = 0; k < free_.size(); ++k)
    add("--free" + std::to_string(k + 1), free_[k], "Free item " + std::to_string(k + 1) + " value");
}

bool InventoryOptions::hasItem() const { return item_.given(); }

bool InventoryOptions::Any() const {
  for (const Text* t : {&warehouse_, &position_, &batch_, &made_, &expiry_, &shelfLife_, &vendor_, &unit_, &cost_})
    if (t->given()) return true;
  for (const auto& t : free_)
    if (t.given()) return true;
  return false;
}

void InventoryOptions::ApplyTo(clsInventoryInfo& info) const {
  if (warehouse_.given()) info.setWarehouseId(Variant(warehouse_.value));
  if (position_.given()) info.setInvPositionId(Variant(position_.value));
  if (batch_.given()) info.setBatchNo(Variant(batch_.value));
  if (made_.given()) info.setMadeDate(DateValue(made_.value));
  if (expiry_.given()) info.setDisableDate(DateValue(expiry_.value));
  if (shelfLife_.given()) info.setMassDay(Variant(static_cast<int32_t>(std::stol(shelfLife_.value))));
  if (vendor_.given()) info.setVendorId(Variant(vendor_.value));
  if (unit_.given()) info.setUnit(Variant(unit_.value));
  if (cost_.given()) info.setUnitCost(Variant(CostValue(cost_.value)));
  for (std::size_t k = 0; k < free_.size(); ++k)
    if (free_[k].given()) info.setFree(static_cast<int>(k + 1), Variant(free_[k].value));
}

std::shared_ptr<clsInventoryInfo> InventoryOptions::Make(const std::string& inventoryId) const {
  auto info = std::make_shared<clsInventoryInfo>();
  info->setInventoryId(inventoryId);
  ApplyTo(*info);
  return info;
}

}  // namespace quillstone::cli
