#include "src/quillstone/gs1/Gs1Associations.h"

#include <algorithm>
#include <array>
#include <string>

#include "src/quillstone/gs1/Gs1Failure.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

// "310n" and "31nn" stand for every AI with a digit where the pattern has 'n'.
bool Matches(std::string_view pattern, std::string_view code) {
  if (pattern.size() != code.size()) return false;
  for (std::size_t i = 0; i < code.size(); ++i)
    if (pattern[i] != 'n' && pattern[i] != code[i]) return false;
  return true;
}

// Calls `each` for every part of `list` between separators, until one answers true. The lists
// are a few characters long: a plain loop beats a library search here.
template <typename Each>
bool AnyPart(std::string_view list, char separator, Each each) {
  if (list.empty()) return false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= list.size(); ++i) {
    if (i < list.size() && list[i] != separator) continue;
    if (each(list.substr(start, i - start))) return true;
    start = i + 1;
  }
  return false;
}

// The AIs of the data in their order, read once.
struct Present {
  std::array<const Gs1Ai*, Gs1ElementString::kMaxElements> ais;
  int count = 0;
};

// The position of the first field whose AI matches, -1 for none.
int Holder(const Present& elements, std::string_view pattern, const Gs1Ai* except) {
  for (int i = 0; i < elements.count; ++i) {
    const Gs1Ai* ai = elements.ais[i];
    if (ai != except && Matches(pattern, ai->code)) return i;
  }
  return -1;
}

bool AllPresent(const Present& elements, std::string_view alternative) {
  return !AnyPart(alternative, '+', [&](std::string_view p) { return Holder(elements, p, nullptr) < 0; });
}

// "AI(00)和AI(02)，或AI(00)和AI(8026)"
std::string Wanted(std::string_view group) {
  std::string out;
  AnyPart(group, ',', [&](std::string_view alternative) {
    if (!out.empty()) out += "，或";
    bool first = true;
    AnyPart(alternative, '+', [&](std::string_view p) {
      out += (first ? "AI(" : "和AI(") + std::string(p) + ")";
      first = false;
      return false;
    });
    return false;
  });
  return out;
}

// Names the two AIs in the order the data has them.
void CheckExcluded(const Present& elements, int at) {
  const Gs1Ai& ai = *elements.ais[at];
  AnyPart(ai.excludes, ' ', [&](std::string_view list) {
    return AnyPart(list, ',', [&](std::string_view pattern) {
      const int other = Holder(elements, pattern, &ai);
      if (other < 0) return false;
      const Gs1Ai& first = *elements.ais[std::min(at, other)];
      const Gs1Ai& second = *elements.ais[std::max(at, other)];
      Gs1Failure::Raise(Gs1Failure::Named(first) + "和" + Gs1Failure::Named(second) + "不能出现在同一个GS1数据中");
    });
  });
}

void CheckRequired(const Present& elements, const Gs1Ai& ai) {
  AnyPart(ai.required, ' ', [&](std::string_view group) {
    const bool met = AnyPart(group, ',', [&](std::string_view alt) { return AllPresent(elements, alt); });
    if (!met) Gs1Failure::Raise(Gs1Failure::Named(ai) + "需要同时有" + Wanted(group) + "，GS1数据中没有");
    return false;
  });
}

}  // namespace

void Gs1Associations::Check(const Gs1ElementString& elements) {
  std::array<const Gs1Ai*, Gs1ElementString::kMaxElements> ais;
  for (int i = 0; i < elements.size(); ++i) ais[i] = elements[i].ai;
  Check(std::span<const Gs1Ai* const>(ais.data(), elements.size()));
}

void Gs1Associations::Check(std::span<const Gs1Ai* const> ais) {
  Present present;
  present.count = static_cast<int>(std::min(ais.size(), present.ais.size()));
  std::copy_n(ais.begin(), present.count, present.ais.begin());
  for (int i = 0; i < present.count; ++i) {
    const Gs1Ai& ai = *present.ais[i];
    if (!ai.excludes.empty()) CheckExcluded(present, i);
    if (!ai.required.empty()) CheckRequired(present, ai);
  }
}

}  // namespace quillstone
