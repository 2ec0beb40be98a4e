#include "src/quillstone/gs1/Gs1LinkForm.h"

#include <algorithm>
#include <array>
#include <vector>

#include "src/quillstone/gs1/Gs1Failure.h"
#include "quillstone/gs1/Gs1AiTable.h"
#include "quillstone/gs1/Gs1ElementString.h"

namespace quillstone {
namespace {

const char* const kNoKey = "的路径中没有GS1数字链接的主键AI(如00、01、414)";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool AllDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

// RFC 3986: unreserved, reserved and '%'.
constexpr std::array<bool, 256> MakeUriCharacters() {
  std::array<bool, 256> set{};
  for (char c : std::string_view("-._~:/?#[]@!$&'()*+,;=%")) set[static_cast<unsigned char>(c)] = true;
  for (int c = '0'; c <= '9'; ++c) set[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) set[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) set[c] = true;
  return set;
}
constexpr std::array<bool, 256> kUriCharacters = MakeUriCharacters();

[[noreturn]] void Refuse(std::string_view uri, const std::string& why) {
  Gs1Failure::Raise("GS1数字链接" + Gs1Failure::Shown(uri) + why);
}

std::string AiName(std::string_view code) { return "AI(" + std::string(code) + ")"; }

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
    if (IsDigit(c) || IsAlpha(c) || c == '-' || c == '.' || c == '_' || c == '~') {
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

// Where `code` stands among the qualifiers of `key`: the alternative (0-based) and the position
// in it, or nothing.
struct Place {
  int alternative = -1;
  int position = -1;
};
Place PlaceOf(const Gs1Ai& key, std::string_view code) {
  const std::string_view list = key.linkQualifiers;
  Place place{0, 0};
  std::size_t start = 0;
  for (std::size_t i = 0; i <= list.size(); ++i) {
    if (i < list.size() && list[i] != ',' && list[i] != '|') continue;
    if (list.substr(start, i - start) == code) return place;
    const bool nextAlternative = i < list.size() && list[i] == '|';
    place = nextAlternative ? Place{place.alternative + 1, 0} : Place{place.alternative, place.position + 1};
    start = i + 1;
  }
  return {};
}

// The scheme, host and URI characters; gives the text after the host.
std::string_view CheckedRest(std::string_view uri) {
  for (std::size_t i = 0; i < uri.size(); ++i)
    if (!kUriCharacters[static_cast<unsigned char>(uri[i])])
      Refuse(uri, "中的" + Gs1Failure::Shown(uri.substr(i, 1)) + "不是URI允许的字符");
  const std::size_t colon = uri.find("://");
  std::string scheme(uri.substr(0, colon));
  std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](char c) { return c | 0x20; });
  if (scheme != "http" && scheme != "https") Refuse(uri, "的协议应为http或https");
  std::string_view rest = uri.substr(colon + 3);
  const std::size_t hostEnd = std::min(rest.find_first_of("/?#"), rest.size());
  std::string_view host = rest.substr(0, hostEnd);
  host = host.substr(host.find('@') == std::string_view::npos ? 0 : host.find('@') + 1);
  host = host.substr(0, host.starts_with('[') ? host.size() : host.find(':'));
  if (host.empty()) Refuse(uri, "中没有主机名");
  return rest.substr(hostEnd);
}

// The first segment that is a primary key followed by AI/value pairs only.
std::size_t KeyIndex(const std::vector<std::string_view>& segments, std::string_view uri) {
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const Gs1Ai* key = Gs1AiTable::Find(segments[i]);
    if (key == nullptr || !key->linkKey) continue;
    bool pairs = true;
    for (std::size_t j = i + 2; j < segments.size() && pairs; j += 2) pairs = AllDigits(segments[j]);
    if (pairs) return i;
  }
  Refuse(uri, kNoKey);
}

void CheckQualifiers(const Gs1Ai& key, const std::vector<std::string_view>& segments, std::size_t keyAt,
                     std::string_view uri) {
  Place previous;
  std::string_view previousCode;
  for (std::size_t i = keyAt + 2; i < segments.size(); i += 2) {
    const std::string_view code = segments[i];
    const Place place = PlaceOf(key, code);
    if (place.alternative < 0) Refuse(uri, "中的" + AiName(code) + "不是" + AiName(key.code) + "的限定符");
    if (previous.alternative >= 0 && place.alternative != previous.alternative)
      Refuse(uri, "中的" + AiName(previousCode) + "和" + AiName(code) + "不能同时作为" + AiName(key.code) +
                      "的限定符");
    if (place.position == previous.position) Refuse(uri, "的路径中" + AiName(code) + "出现了两次");
    if (place.position < previous.position)
      Refuse(uri, "的路径中" + AiName(code) + "必须在" + AiName(previousCode) + "之前");
    previous = place;
    previousCode = code;
  }
}

// A GTIN-8, -12 or -13 in a link stands for the same GTIN-14 with zeros on the left.
std::string PathValue(const Gs1Ai& ai, std::string_view segment) {
  std::string value = PercentDecoded(segment);
  if (ai.code == "01" && (value.size() == 8 || value.size() == 12 || value.size() == 13) && AllDigits(value))
    value.insert(0, 14 - value.size(), '0');
  return value;
}

void ReadPath(std::string_view path, std::string_view uri, Gs1ElementString& out) {
  if (path.ends_with('/')) path.remove_suffix(1);
  const auto segments = Split(path, '/');
  const std::size_t keyAt = KeyIndex(segments, uri);
  const Gs1Ai& key = *Gs1AiTable::Find(segments[keyAt]);
  for (std::size_t i = keyAt; i < segments.size(); i += 2)
    if (i + 1 == segments.size() || segments[i + 1].empty()) Refuse(uri, "中" + AiName(segments[i]) + "的值为空");
  CheckQualifiers(key, segments, keyAt, uri);
  for (std::size_t i = keyAt; i < segments.size(); i += 2) {
    const Gs1Ai* ai = Gs1AiTable::Find(segments[i]);
    if (ai == nullptr) Gs1Failure::UnknownAi(segments[i]);
    out.Add(*ai, PathValue(*ai, segments[i + 1]));
  }
}

void ReadQuery(std::string_view query, std::string_view uri, Gs1ElementString& out) {
  for (std::string_view pair : Split(query, '&')) {
    if (pair.empty()) continue;
    const std::size_t eq = pair.find('=');
    const std::string_view key = pair.substr(0, eq);
    if (!AllDigits(key)) continue;
    const Gs1Ai* ai = Gs1AiTable::Find(key);
    if (ai == nullptr) Gs1Failure::UnknownAi(key);
    if (!ai->linkAttribute) Refuse(uri, "的查询中不能有" + AiName(key) + "，它只能写在路径中或不能用于数字链接");
    const std::string_view value = eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
    if (value.empty()) Refuse(uri, "中" + AiName(key) + "的值为空");
    out.Add(*ai, PercentDecoded(value));
  }
}

}  // namespace

bool Gs1LinkForm::LooksLikeUri(std::string_view text) {
  const std::size_t colon = text.find("://");
  if (colon == 0 || colon == std::string_view::npos || !IsAlpha(text[0])) return false;
  return std::all_of(text.begin(), text.begin() + colon,
                     [](char c) { return IsAlpha(c) || IsDigit(c) || c == '+' || c == '-' || c == '.'; });
}

void Gs1LinkForm::Read(std::string_view uri, Gs1ElementString& out) {
  std::string_view rest = CheckedRest(uri);
  rest = rest.substr(0, rest.find('#'));
  const std::size_t queryAt = rest.find('?');
  const std::string_view query = queryAt == std::string_view::npos ? std::string_view() : rest.substr(queryAt + 1);
  rest = rest.substr(0, queryAt);
  if (rest.empty()) Refuse(uri, kNoKey);
  ReadPath(rest.substr(1), uri, out);
  ReadQuery(query, uri, out);
}

std::string Gs1LinkForm::Write(const Gs1ElementString& elements, std::string_view base) {
  int keyAt = -1;
  for (int i = 0; i < elements.size() && keyAt < 0; ++i)
    if (elements[i].ai->linkKey) keyAt = i;
  if (keyAt < 0) Gs1Failure::Raise("没有GS1数字链接的主键AI(如00、01、414)，不能写成GS1数字链接");
  const Gs1Ai& key = *elements[keyAt].ai;

  // The qualifiers go into the path in the order of the first alternative that holds one; the
  // rest of the fields into the query, where the dictionary allows them there.
  int alternative = -1;
  std::vector<std::pair<int, Gs1Element>> qualifiers;
  std::vector<Gs1Element> attributes;
  for (int i = 0; i < elements.size(); ++i) {
    if (i == keyAt) continue;
    const Gs1Element e = elements[i];
    const Place place = PlaceOf(key, e.ai->code);
    if (place.alternative >= 0 && (alternative < 0 || place.alternative == alternative)) {
      alternative = place.alternative;
      qualifiers.emplace_back(place.position, e);
    } else if (e.ai->linkAttribute) {
      attributes.push_back(e);
    } else {
      Gs1Failure::Raise(Gs1Failure::Named(*e.ai) + "既不是" + AiName(key.code) +
                        "的限定符，也不能写在查询中，不能写成GS1数字链接");
    }
  }
  std::stable_sort(qualifiers.begin(), qualifiers.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  std::string out(base);
  while (out.ends_with('/')) out.pop_back();
  const auto appendPath = [&out](const Gs1Element& e) {
    out += '/';
    out += e.ai->code;
    out += '/';
    AppendEncoded(out, e.value);
  };
  appendPath(elements[keyAt]);
  for (const auto& q : qualifiers) appendPath(q.second);
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
