#include "src/quillstone/gs1/Gs1HriForm.h"

#include "src/quillstone/gs1/Gs1Failure.h"
#include "quillstone/gs1/Gs1AiTable.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether an AI in parentheses starts at `pos` (which holds '(').
bool AiStartsAt(std::string_view text, std::size_t pos) {
  std::size_t i = pos + 1;
  while (i < text.size() && i - pos <= 4 && IsDigit(text[i])) ++i;
  const std::size_t digits = i - pos - 1;
  return digits >= 2 && digits <= 4 && i < text.size() && text[i] == ')';
}

bool Escaped(std::string_view text, std::size_t pos) { return pos > 0 && text[pos - 1] == '\\'; }

std::size_t NextAi(std::string_view text, std::size_t from) {
  for (std::size_t pos = text.find('(', from); pos != std::string_view::npos; pos = text.find('(', pos + 1))
    if (!Escaped(text, pos) && AiStartsAt(text, pos)) return pos;
  return text.size();
}

// The value with "\(" made '('; a '\' before anything else stays, for the AI's check to refuse.
std::string_view Unescaped(std::string_view value, std::string& scratch) {
  if (value.find("\\(") == std::string_view::npos) return value;
  scratch.clear();
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == '(') continue;
    scratch += value[i];
  }
  return scratch;
}

}  // namespace

void Gs1HriForm::Read(std::string_view text, Gs1ElementString& out) {
  std::size_t pos = 0;
  if (!text.starts_with('(')) {
    pos = NextAi(text, 0);
    Gs1Failure::Trailing(text.substr(0, pos));
  }
  std::string scratch;
  while (pos < text.size()) {
    const std::size_t close = text.find(')', pos + 1);
    if (close == std::string_view::npos)
      Gs1Failure::Raise("GS1数据中" + Gs1Failure::Shown(text.substr(pos)) + "的'('后缺少')'");
    const std::string_view code = text.substr(pos + 1, close - pos - 1);
    const Gs1Ai* ai = Gs1AiTable::Find(code);
    if (ai == nullptr) Gs1Failure::UnknownAi(code);
    const std::size_t next = NextAi(text, close + 1);
    out.Add(*ai, Unescaped(text.substr(close + 1, next - close - 1), scratch));
    pos = next;
  }
}

void Gs1HriForm::AppendField(std::string& out, std::string_view ai, std::string_view value, Escape escape) {
  out += '(';
  out += ai;
  out += ')';
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '(' && (escape == Escape::EveryParenthesis || AiStartsAt(value, i))) out += '\\';
    out += value[i];
  }
}

std::string Gs1HriForm::Write(const Gs1ElementString& elements, Escape escape) {
  std::string out;
  for (int i = 0; i < elements.size(); ++i) {
    const Gs1Element e = elements[i];
    AppendField(out, e.ai->code, e.value, escape);
  }
  return out;
}

}  // namespace quillstone
