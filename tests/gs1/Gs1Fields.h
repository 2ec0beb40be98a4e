// Element strings as (AI, value) pairs, to compare what texts read as.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone::test {

using Gs1Fields = std::vector<std::pair<std::string, std::string>>;

inline Gs1Fields FieldsOf(const Gs1ElementString& elements) {
  Gs1Fields out;
  for (const auto& element : elements.Elements()) out.emplace_back(element.ai->code, element.value);
  return out;
}

inline Gs1Fields ReadFields(const std::string& text, int thisYear) {
  return FieldsOf(Gs1ElementString::Parse(text, thisYear));
}

}  // namespace quillstone::test
