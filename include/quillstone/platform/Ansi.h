// Byte lengths and byte cuts of UTF-8 text in the host's ANSI code page (CP936 unless configured),
// where an ASCII character is 1 byte and a Chinese character 2.
//
// Defined results for text the code page cannot represent; none of these functions throws:
// - a character the code page cannot hold, and each byte of invalid UTF-8, becomes "?" (1 byte);
// - converting bytes back, a byte sequence that is not a character of the code page becomes "?";
// - AnsiMid judges a cut against the character boundaries of the whole text: each byte kept of a
//   double-byte character cut in half becomes "?", so the result still has the bytes asked for.
#pragma once

#include <string>

namespace quillstone {

// Selects the ANSI code page by its iconv name; an unknown name leaves the current one and
// returns false.
bool SetAnsiCodePage(const std::string& iconv_name);
std::string AnsiCodePage();

std::string ToAnsi(const std::string& utf8);
std::string FromAnsi(const std::string& ansi);

// Number of bytes of the text in the ANSI code page.
int AnsiLength(const std::string& utf8);

// The text made of at most `length` ANSI bytes starting at 1-based byte `start`; a range past the
// end gives the bytes that exist.
std::string AnsiMid(const std::string& utf8, int start, int length);

}  // namespace quillstone
