#include "Gs1LinkForm.h"

#include <algorithm>
#include <vector>

#include "Gs1Failure.h"
#include "quillstone/gs1/Gs1AiTable.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

const char* const kNoKey = "的路径中没有主键AI(00)、AI(01)、AI(414)或AI(417)";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low < 0) Gs1Failure::Raise("GS1数字链接中的" + Gs1Failure::Shown(text.substr(i, 3)) + "不是有效的百分号编码");
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

void AppendEncoded(std::string& out, std::string_view value) {
  static const char* const kHex = "0123456789ABCDEF";
  for (char c : value) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

bool IsQualifierOf(std::string_view code, const Gs1Ai& key) {
  const Gs1Ai* ai = Gs1AiTable::Find(code);
  return ai != nullptr && ai->linkRole == Gs1LinkRole::Qualifier && ai->qualifies == key.code;
}

// Where the key/value pairs of the path begin: a primary key followed only by its qualifiers.
std::size_t KeyIndex(const std::vector<std::string_view>& segments, std::string_view uri) {
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const Gs1Ai* key = Gs1AiTable::Find(segments[i]);
    if (key == nullptr || key->linkRole != Gs1LinkRole::PrimaryKey || (segments.size() - i) % 2 != 0) continue;
    bool qualifiersOnly = true;
    for (std::size_t j = i + 2; j < segments.size() && qualifiersOnly; j += 2)
      qualifiersOnly = IsQualifierOf(segments[j], *key);
    if (qualifiersOnly) return i;
  }
  Gs1Failure::Raise("GS1数字链接" + Gs1Failure::Shown(uri) + kNoKey);
}

// A GTIN-8, -12 or -13 in a link stands for the same GTIN-14 with zeros on the left.
std::string PathValue(const Gs1Ai& ai, std::string_view segment) {
  std::string value = PercentDecoded(segment);
  if (ai.code == "01" && (value.size() == 8 || value.size() == 12 || value.size() == 13) &&
      std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
    value.insert(0, 14 - value.size(), '0');
  return value;
}

void ReadQuery(std::string_view query, Gs1ElementString& out) {
  for (std::string_view pair : Split(query, '&')) {
    if (pair.empty()) continue;
    const std::size_t eq = pair.find('=');
    const std::string_view key = pair.substr(0, eq);
    const bool numeric =
        !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!numeric) continue;
    const Gs1Ai* ai = Gs1AiTable::Find(key);
    if (ai == nullptr) Gs1Failure::UnknownAi(key);
    out.Add(*ai, PercentDecoded(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1)));
  }
}

}  // namespace

bool Gs1LinkForm::LooksLikeUri(std::string_view text) { return text.find("://") != std::string_view::npos; }

void Gs1LinkForm::Read(std::string_view uri, Gs1ElementString& out) {
  std::string_view rest = uri.substr(uri.find("://") + 3);
  rest = rest.substr(0, rest.find('#'));
  const std::size_t queryAt = rest.find('?');
  const std::string_view query = queryAt == std::string_view::npos ? std::string_view() : rest.substr(queryAt + 1);
  rest = rest.substr(0, queryAt);
  const std::size_t pathAt = rest.find('/');
  if (pathAt == std::string_view::npos) Gs1Failure::Raise("GS1数字链接" + Gs1Failure::Shown(uri) + kNoKey);
  std::string_view path = rest.substr(pathAt + 1);
  if (path.ends_with('/')) path.remove_suffix(1);

  const auto segments = Split(path, '/');
  for (std::size_t i = KeyIndex(segments, uri); i < segments.size(); i += 2) {
    const Gs1Ai& ai = *Gs1AiTable::Find(segments[i]);
    out.Add(ai, PathValue(ai, segments[i + 1]));
  }
  ReadQuery(query, out);
}

std::string Gs1LinkForm::Write(const Gs1ElementString& elements, std::string_view base) {
  int keyAt = -1;
  for (int i = 0; i < elements.size() && keyAt < 0; ++i)
    if (elements[i].ai->linkRole == Gs1LinkRole::PrimaryKey) keyAt = i;
  if (keyAt < 0) Gs1Failure::Raise("没有主键AI(00)、AI(01)、AI(414)或AI(417)，不能写成GS1数字链接");
  const Gs1Ai& key = *elements[keyAt].ai;

  std::string out(base);
  while (out.ends_with('/')) out.pop_back();
  std::vector<Gs1Element> qualifiers;
  std::vector<Gs1Element> attributes;
  for (int i = 0; i < elements.size(); ++i) {
    if (i == keyAt) continue;
    const Gs1Element e = elements[i];
    (IsQualifierOf(e.ai->code, key) ? qualifiers : attributes).push_back(e);
  }
  std::stable_sort(qualifiers.begin(), qualifiers.end(),
                   [](const Gs1Element& a, const Gs1Element& b) { return a.ai->linkOrder < b.ai->linkOrder; });

  const auto appendPath = [&out](const Gs1Element& e) {
    out += '/';
    out += e.ai->code;
    out += '/';
    AppendEncoded(out, e.value);
  };
  appendPath(elements[keyAt]);
  for (const auto& e : qualifiers) appendPath(e);
  char separator = '?';
  for (const auto& e : attributes) {
    out += separator;
    out += e.ai->code;
    out += '=';
    AppendEncoded(out, e.value);
    separator = '&';
  }
  return out;
}

}  // namespace quillstone
