#include "cli/ListFilterOptions.h"

#include <CLI/CLI.hpp>

#include "quillstone/platform/DateTime.h"
#include "quillstone/server/FilterCondition.h"

namespace quillstone::cli {
namespace {

// yyyy-mm-dd of a real day, as the registry stores its creation dates.
std::string DayCheck(const std::string& text) {
  if (text.size() == 10 && ParseIsoDate(text)) return "";
  return "expected a date yyyy-mm-dd, got '" + text.substr(0, 40) + "'";
}

}  // namespace

void ListFilterOptions::AddTo(CLI::App& app, const std::string& filterHelp) {
  app.add_option("--filter", filter_, filterHelp);
  if (!columns_.item.empty()) app.add_option("--item", item_, "Only this inventory item");
  if (!columns_.rule.empty()) app.add_option("--rule", rule_, "Only this rule");
  if (!columns_.batch.empty()) app.add_option("--batch", batch_, "Only this batch");
  if (!columns_.abandon.empty()) {
    app.add_option("--state", state_, "Only barcodes in this state")->check(CLI::IsMember({"normal", "abandoned"}));
  }
  if (!columns_.created.empty()) {
    app.add_option("--from", from_, "Created on or after this day, yyyy-mm-dd")
        ->check(CLI::Validator(DayCheck, "DATE"));
    app.add_option("--to", to_, "Created on or before this day, yyyy-mm-dd")->check(CLI::Validator(DayCheck, "DATE"));
  }
}

void ListFilterOptions::Add(std::string& condition, const std::string& part) const {
  if (!condition.empty()) condition += " and ";
  condition += part;
}

std::string ListFilterOptions::Condition() const {
  std::string condition;
  if (!item_.empty()) Add(condition, columns_.item + " = ?");
  if (!rule_.empty()) Add(condition, columns_.rule + " = ?");
  if (!batch_.empty()) Add(condition, columns_.batch + " = ?");
  if (state_ == "normal") Add(condition, "(" + columns_.abandon + " is null or " + columns_.abandon + " <> 1)");
  if (state_ == "abandoned") Add(condition, columns_.abandon + " = 1");
  if (!from_.empty()) Add(condition, columns_.created + " >= ?");
  if (!to_.empty()) Add(condition, columns_.created + " <= ?");
  // Checked alone first: joined to the options, a filter that closes its own bracket would
  // otherwise read as one condition and reach past them. A blank filter is none; one alone goes
  // as the caller wrote it, so its length is the caller's.
  if (filter_.find_first_not_of(" \t\r\n") == std::string::npos) return condition;
  FilterCondition::RequireOneCondition(filter_);
  return condition.empty() ? filter_ : "(" + filter_ + ") and " + condition;
}

std::vector<Variant> ListFilterOptions::Values() const {
  std::vector<Variant> values;
  for (const std::string* v : {&item_, &rule_, &batch_})
    if (!v->empty()) values.emplace_back(*v);
  for (const std::string* v : {&from_, &to_})
    if (!v->empty()) values.emplace_back(*v);
  return values;
}

}  // namespace quillstone::cli
