// A GS1 element string: the ordered (AI, value) fields of a supplier's label, read from any of
// the three forms a user meets (parentheses, raw scanner data, Digital Link URI), every value
// checked against its AI, and written back in any form.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillstone/gs1/Gs1Ai.h"

namespace quillstone {

struct Gs1Element {
  const Gs1Ai* ai;
  std::string_view value;
};

enum class Gs1Form {
  Hri,          // (01)09506000134352(10)ABC123
  Raw,          // 0109506000134352 10ABC123 <GS> ..., optionally led by ]C1, ]d2, ]Q3 or ]e0
  DigitalLink,  // https://example.com/01/09506000134352/10/ABC123?17=251231
};

class Gs1ElementString {
 public:
  static constexpr char kGroupSeparator = '\x1d';
  static constexpr int kMaxElements = 32;
  // The most data characters one GS1-128 symbol may carry: AIs, values and the separators
  // between fields (the raw form's length), not the FNC1 that leads the symbol.
  static constexpr std::size_t kMaxGs1_128Characters = 48;
  static constexpr std::string_view kDefaultLinkBase = "https://id.gs1.org";

  // Parses text in the form it is written in and checks every field and the pairs of AIs GS1
  // requires or excludes; the first fault raises the library's error naming the AI. Two-digit
  // years are read in the window around `thisYear` (0: the current year). `checkPairs` false
  // reads data stored before the pairs were checked.
  static Gs1ElementString Parse(std::string_view text, int thisYear = 0, bool checkPairs = true);
  // The same into this object, reusing its storage: a loop over many labels allocates nothing
  // once the storage has grown to the longest text.
  void Assign(std::string_view text, int thisYear = 0, bool checkPairs = true);
  // HRI starts with '('; a URI with an http-like scheme and "://"; anything else (a symbology
  // identifier, an AI, a separator) is raw data.
  static Gs1Form FormOf(std::string_view text);

  // Appends one field after checking it as a parser does (a repeated AI must repeat its value,
  // and is then kept once). The pairs of AIs are checked by CheckAssociations once all are in.
  void Add(std::string_view ai, std::string_view value);
  void Add(const Gs1Ai& ai, std::string_view value);
  void Clear();
  // Raises for two AIs GS1 declares exclusive, or an AI without one it requires.
  void CheckAssociations() const;

  int size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // 0-based, in the order read.
  Gs1Element operator[](int index) const;
  std::vector<Gs1Element> Elements() const;
  std::optional<std::string_view> Find(std::string_view ai) const;
  // The symbology identifier the raw data was led by ("]C1"), or the empty text.
  std::string_view symbologyIdentifier() const { return {symbologyId_.data(), symbologyIdLength_}; }
  // The year two-digit years are read around.
  int thisYear() const;

  // A '(' inside a value is written \( as GS1 writes HRI; the reader also takes a bare '(' that
  // starts no AI, as stored registry keys hold it.
  std::string ToHri() const;
  // Fields of a length the standard does not set are ended by the group separator unless last.
  std::string ToRaw(std::string_view symbologyIdentifier = {}) const;
  // The primary key and its qualifiers in the path after `base`, every other field in the query.
  std::string ToDigitalLink(std::string_view base = kDefaultLinkBase) const;

  // Used by the parsers of the three forms.
  void setSymbologyIdentifier(std::string_view id);

 private:
  struct Entry {
    const Gs1Ai* ai;
    uint32_t offset;
    uint32_t length;
  };
  std::string_view ValueAt(const Entry& entry) const {
    return std::string_view(buffer_).substr(entry.offset, entry.length);
  }

  std::string buffer_;
  std::array<Entry, kMaxElements> entries_{};
  int count_ = 0;
  mutable int thisYear_ = 0;
  std::array<char, 3> symbologyId_{};
  std::size_t symbologyIdLength_ = 0;
};

}  // namespace quillstone
