#include "src/quillstone/gs1/Gs1RawForm.h"

#include "src/quillstone/gs1/Gs1Failure.h"
#include "quillstone/gs1/Gs1AiTable.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

constexpr char kGs = Gs1ElementString::kGroupSeparator;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The leading digits that name an unknown AI in a message (at most four).
std::string_view UnknownCode(std::string_view rest) {
  std::size_t n = 0;
  while (n < rest.size() && n < 4 && IsDigit(rest[n])) ++n;
  return rest.substr(0, n);
}

// Reads the AI at `pos`; raises for data that is no field.
const Gs1Ai& ReadAi(std::string_view text, std::size_t& pos) {
  const std::string_view rest = text.substr(pos);
  if (rest.size() < 2 || !IsDigit(rest[0]) || !IsDigit(rest[1])) Gs1Failure::Trailing(rest);
  const int length = Gs1AiTable::CodeLength(rest[0], rest[1]);
  if (length == 0) Gs1Failure::UnknownAi(UnknownCode(rest));
  if (rest.size() < static_cast<std::size_t>(length)) Gs1Failure::Trailing(rest);
  const Gs1Ai* ai = Gs1AiTable::Find(rest.substr(0, length));
  if (ai == nullptr) Gs1Failure::UnknownAi(rest.substr(0, length));
  pos += length;
  return *ai;
}

}  // namespace

bool Gs1RawForm::IsGs1SymbologyIdentifier(std::string_view id) {
  return id == "]C1" || id == "]d2" || id == "]Q3" || id == "]e0";
}

void Gs1RawForm::Read(std::string_view text, Gs1ElementString& out) {
  std::size_t pos = 0;
  if (text.starts_with(']')) {
    const std::string_view id = text.substr(0, 3);
    if (!IsGs1SymbologyIdentifier(id))
      Gs1Failure::Raise("符号标识符" + Gs1Failure::Shown(id) +
                        "表示的不是GS1数据，GS1数据的符号标识符是]C1、]d2、]Q3或]e0");
    out.setSymbologyIdentifier(id);
    pos = 3;
  }
  while (pos < text.size()) {
    // A separator before the first field (FNC1 in first position) or after the last is no data.
    if (text[pos] == kGs) {
      ++pos;
      continue;
    }
    const Gs1Ai& ai = ReadAi(text, pos);
    std::size_t end;
    if (ai.predefinedLength()) {
      end = pos + ai.maxLength < text.size() ? pos + ai.maxLength : text.size();
    } else {
      end = text.find(kGs, pos);
      if (end == std::string_view::npos) end = text.size();
    }
    out.Add(ai, text.substr(pos, end - pos));
    pos = end;
  }
}

std::string Gs1RawForm::Write(const Gs1ElementString& elements, std::string_view symbologyIdentifier) {
  std::string out(symbologyIdentifier);
  for (int i = 0; i < elements.size(); ++i) {
    const Gs1Element e = elements[i];
    out += e.ai->code;
    out += e.value;
    if (!e.ai->predefinedLength() && i + 1 < elements.size()) out += kGs;
  }
  return out;
}

}  // namespace quillstone
