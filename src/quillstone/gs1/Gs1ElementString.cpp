#include "quillstone/gs1/Gs1ElementString.h"

#include "src/quillstone/gs1/Gs1Associations.h"
#include "src/quillstone/gs1/Gs1Failure.h"
#include "src/quillstone/gs1/Gs1HriForm.h"
#include "src/quillstone/gs1/Gs1LinkForm.h"
#include "src/quillstone/gs1/Gs1RawForm.h"
#include "src/quillstone/gs1/Gs1Validator.h"
#include "quillstone/gs1/Gs1AiTable.h"
#include "quillstone/gs1/Gs1Date.h"

namespace quillstone {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Scanners end their data with a line break, and pasted text brings blanks; neither is data.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

Gs1ElementString Gs1ElementString::Parse(std::string_view text, int thisYear, bool checkPairs) {
  Gs1ElementString out;
  out.Assign(text, thisYear, checkPairs);
  return out;
}

Gs1Form Gs1ElementString::FormOf(std::string_view text) {
  text = Trimmed(text);
  if (text.starts_with('(')) return Gs1Form::Hri;
  // Data led by a symbology identifier, an AI or a separator is an element string, whatever a
  // value inside it holds (a URL in AI 91 included).
  if (Gs1LinkForm::LooksLikeUri(text)) return Gs1Form::DigitalLink;
  return Gs1Form::Raw;
}

void Gs1ElementString::CheckAssociations() const { Gs1Associations::Check(*this); }

void Gs1ElementString::Assign(std::string_view text, int thisYear, bool checkPairs) {
  Clear();
  thisYear_ = thisYear;
  text = Trimmed(text);
  if (text.empty()) Gs1Failure::Raise("GS1数据为空");
  buffer_.reserve(text.size());
  switch (FormOf(text)) {
    case Gs1Form::Hri:
      Gs1HriForm::Read(text, *this);
      break;
    case Gs1Form::DigitalLink:
      Gs1LinkForm::Read(text, *this);
      break;
    case Gs1Form::Raw:
      Gs1RawForm::Read(text, *this);
      break;
  }
  if (count_ == 0) Gs1Failure::Raise("GS1数据" + Gs1Failure::Shown(text) + "中没有任何字段");
  if (checkPairs) CheckAssociations();
}

void Gs1ElementString::Clear() {
  buffer_.clear();
  count_ = 0;
  symbologyIdLength_ = 0;
}

int Gs1ElementString::thisYear() const {
  if (thisYear_ == 0) thisYear_ = Gs1Date::ThisYear();
  return thisYear_;
}

void Gs1ElementString::Add(std::string_view ai, std::string_view value) {
  const Gs1Ai* found = Gs1AiTable::Find(ai);
  if (found == nullptr) Gs1Failure::UnknownAi(ai);
  Add(*found, value);
}

void Gs1ElementString::Add(const Gs1Ai& ai, std::string_view value) {
  Gs1Validator::Check(ai, value, ai.usesYear ? thisYear() : 0);
  for (int i = 0; i < count_; ++i) {
    if (entries_[i].ai != &ai) continue;
    const std::string_view first = ValueAt(entries_[i]);
    if (first == value) return;
    Gs1Failure::Repeated(ai, first, value);
  }
  if (count_ == kMaxElements) Gs1Failure::Raise("GS1数据的字段超过" + std::to_string(kMaxElements) + "个");
  entries_[count_++] = {&ai, static_cast<uint32_t>(buffer_.size()), static_cast<uint32_t>(value.size())};
  buffer_.append(value);
}

Gs1Element Gs1ElementString::operator[](int index) const {
  if (index < 0 || index >= count_)
    Gs1Failure::Raise("GS1字段的序号" + std::to_string(index) + "超出范围(共" + std::to_string(count_) + "个)");
  return {entries_[index].ai, ValueAt(entries_[index])};
}

std::vector<Gs1Element> Gs1ElementString::Elements() const {
  std::vector<Gs1Element> out;
  out.reserve(count_);
  for (int i = 0; i < count_; ++i) out.push_back((*this)[i]);
  return out;
}

std::optional<std::string_view> Gs1ElementString::Find(std::string_view ai) const {
  for (int i = 0; i < count_; ++i)
    if (entries_[i].ai->code == ai) return ValueAt(entries_[i]);
  return std::nullopt;
}

void Gs1ElementString::setSymbologyIdentifier(std::string_view id) {
  symbologyIdLength_ = id.size() < symbologyId_.size() ? id.size() : symbologyId_.size();
  id.copy(symbologyId_.data(), symbologyIdLength_);
}

std::string Gs1ElementString::ToHri() const { return Gs1HriForm::Write(*this); }

std::string Gs1ElementString::ToRaw(std::string_view symbologyIdentifier) const {
  if (!symbologyIdentifier.empty() && !Gs1RawForm::IsGs1SymbologyIdentifier(symbologyIdentifier))
    Gs1Failure::Raise("符号标识符" + Gs1Failure::Shown(symbologyIdentifier) +
                      "不是GS1的符号标识符(]C1、]d2、]Q3或]e0)");
  return Gs1RawForm::Write(*this, symbologyIdentifier);
}

std::string Gs1ElementString::ToDigitalLink(std::string_view base) const { return Gs1LinkForm::Write(*this, base); }

}  // namespace quillstone
