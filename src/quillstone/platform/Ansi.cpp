#include "quillstone/platform/Ansi.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace quillstone {
namespace {

std::mutex g_page_mutex;
std::string g_page = "CP936";
unsigned g_page_generation = 1;

std::string CurrentPage(unsigned* generation) {
  std::lock_guard<std::mutex> lock(g_page_mutex);
  *generation = g_page_generation;
  return g_page;
}

// One pair of converters per thread, reopened when the code page changes.
class Converters {
 public:
  ~Converters() { Close(); }

  // Bytes of one UTF-8 character in the code page, or "?" when it has none.
  const std::string& Encode(std::string_view ch) {
    Refresh();
    auto found = encoded_.find(std::string(ch));
    if (found != encoded_.end()) return found->second;
    std::string out;
    if (!Convert(to_ansi_, ch, out)) out.assign(1, '?');
    return encoded_.emplace(std::string(ch), out).first->second;
  }

  // UTF-8 of one character given as code-page bytes; false when they are not one character.
  bool Decode(std::string_view bytes, std::string& out) {
    Refresh();
    return Convert(from_ansi_, bytes, out) && !out.empty();
  }

 private:
  void Refresh() {
    unsigned generation = 0;
    std::string page = CurrentPage(&generation);
    if (generation == generation_) return;
    Close();
    to_ansi_ = iconv_open(page.c_str(), "UTF-8");
    from_ansi_ = iconv_open("UTF-8", page.c_str());
    encoded_.clear();
    generation_ = generation;
  }

  void Close() {
    if (to_ansi_ != reinterpret_cast<iconv_t>(-1)) iconv_close(to_ansi_);
    if (from_ansi_ != reinterpret_cast<iconv_t>(-1)) iconv_close(from_ansi_);
    to_ansi_ = from_ansi_ = reinterpret_cast<iconv_t>(-1);
  }

  static bool Convert(iconv_t cd, std::string_view in, std::string& out) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<std::size_t>(-1) || src_left != 0) return false;
    out.assign(buffer, sizeof buffer - dst_left);
    return true;
  }

  iconv_t to_ansi_ = reinterpret_cast<iconv_t>(-1);
  iconv_t from_ansi_ = reinterpret_cast<iconv_t>(-1);
  unsigned generation_ = 0;
  std::unordered_map<std::string, std::string> encoded_;
};

Converters& ThreadConverters() {
  thread_local Converters converters;
  return converters;
}

// Length of the well-formed UTF-8 character at s[i], or 0 when the bytes there are not one.
std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  return n;
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

bool SetAnsiCodePage(const std::string& iconv_name) {
  iconv_t probe = iconv_open(iconv_name.c_str(), "UTF-8");
  if (probe == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(probe);
  std::lock_guard<std::mutex> lock(g_page_mutex);
  g_page = iconv_name;
  ++g_page_generation;
  return true;
}

std::string AnsiCodePage() {
  unsigned generation = 0;
  return CurrentPage(&generation);
}

std::string ToAnsi(const std::string& utf8) {
  if (IsAscii(utf8)) return utf8;
  Converters& conv = ThreadConverters();
  std::string out;
  out.reserve(utf8.size());
  std::string_view s(utf8);
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = Utf8CharLength(s, i);
    if (n == 0) {
      out += '?';
      ++i;
    } else if (n == 1) {
      out += s[i++];
    } else {
      out += conv.Encode(s.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string FromAnsi(const std::string& ansi) {
  if (IsAscii(ansi)) return ansi;
  Converters& conv = ThreadConverters();
  std::string out, ch;
  std::string_view s(ansi);
  for (std::size_t i = 0; i < s.size();) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      out += s[i++];
    } else if (conv.Decode(s.substr(i, 1), ch)) {
      out += ch;
      i += 1;
    } else if (i + 1 < s.size() && conv.Decode(s.substr(i, 2), ch)) {
      out += ch;
      i += 2;
    } else {
      out += '?';
      i += 1;
    }
  }
  return out;
}

int AnsiLength(const std::string& utf8) {
  if (IsAscii(utf8)) return static_cast<int>(utf8.size());
  return static_cast<int>(ToAnsi(utf8).size());
}

std::string AnsiMid(const std::string& utf8, int start, int length) {
  if (start < 1 || length <= 0) return "";
  // Walk the characters with their byte widths, so a cut is judged against the character
  // boundaries of the whole text: a character cut in half gives "?" for each byte kept of it.
  std::size_t from = static_cast<std::size_t>(start - 1);
  std::size_t to = from + static_cast<std::size_t>(length);
  std::string out;
  std::size_t offset = 0;
  std::string_view s(utf8);
  Converters& conv = ThreadConverters();
  for (std::size_t i = 0; i < s.size() && offset < to;) {
    std::size_t n = Utf8CharLength(s, i);
    // Invalid UTF-8 and characters the code page lacks stand as "?", as in ToAnsi.
    std::string_view ch = n == 0 ? std::string_view("?") : s.substr(i, n);
    if (n > 1 && conv.Encode(ch) == "?") ch = "?";
    std::size_t width = n <= 1 || ch == "?" ? 1 : conv.Encode(ch).size();
    std::size_t begin = offset, end = offset + width;
    if (end > from) {
      if (begin >= from && end <= to) {
        out += ch;
      } else {
        out.append(std::min(end, to) - std::max(begin, from), '?');
      }
    }
    offset = end;
    i += n == 0 ? 1 : n;
  }
  return out;
}

}  // namespace quillstone
