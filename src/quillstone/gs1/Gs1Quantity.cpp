#include "quillstone/gs1/Gs1Quantity.h"

#include <cstdlib>

namespace quillstone {
namespace {

bool IsCount(const Gs1Ai& ai) { return ai.code == "30" || ai.code == "37"; }

// 391n and 393n lead their amount with the ISO 4217 code of its currency.
bool HasCurrency(const Gs1Ai& ai) { return ai.code.starts_with("391") || ai.code.starts_with("393"); }

// `digits` with a decimal point `decimals` places from the right and no leading zeros.
std::string Decimal(std::string_view digits, int decimals) {
  std::string out(digits);
  if (static_cast<int>(out.size()) <= decimals) out.insert(0, decimals + 1 - out.size(), '0');
  if (decimals > 0) out.insert(out.size() - decimals, 1, '.');
  const std::size_t integerDigits = out.size() - (decimals > 0 ? decimals + 1 : 0);
  const std::size_t zeros = out.find_first_not_of('0');
  out.erase(0, std::min(zeros, integerDigits - 1));
  return out;
}

}  // namespace

std::optional<Gs1Quantity> Gs1Quantity::Of(const Gs1Element& element) {
  const Gs1Ai& ai = *element.ai;
  if (!IsCount(ai) && ai.decimals < 0) return std::nullopt;
  Gs1Quantity q;
  q.ai_ = &ai;
  q.digits_ = element.value;
  q.unit_ = ai.unit;
  if (HasCurrency(ai)) {
    q.unit_ = element.value.substr(0, 3);
    q.digits_ = element.value.substr(3);
  }
  q.number_ = Decimal(q.digits_, ai.decimals < 0 ? 0 : ai.decimals);
  return q;
}

std::vector<Gs1Quantity> Gs1Quantity::All(const Gs1ElementString& elements) {
  std::vector<Gs1Quantity> out;
  for (int i = 0; i < elements.size(); ++i)
    if (auto q = Of(elements[i])) out.push_back(std::move(*q));
  return out;
}

double Gs1Quantity::value() const { return std::strtod(number_.c_str(), nullptr); }

std::string Gs1Quantity::Text() const { return unit_.empty() ? number_ : number_ + " " + std::string(unit_); }

}  // namespace quillstone
