#include "src/quillstone/platform/DriverSupport.h"

#include <cctype>

namespace quillstone::driver {
namespace {

bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// Length of a $tag$ opener at `pos`, or 0 when there is none there.
std::size_t DollarTagLength(const std::string& sql, std::size_t pos) {
  if (pos > 0 && IsIdentChar(sql[pos - 1])) return 0;  // part of a name such as a$b
  std::size_t i = pos + 1;
  if (i < sql.size() && std::isdigit(static_cast<unsigned char>(sql[i]))) return 0;  // $1
  while (i < sql.size() && IsIdentChar(sql[i])) ++i;
  if (i < sql.size() && sql[i] == '$') return i - pos + 1;
  return 0;
}

// Position just past a quoted run that opens at `pos` with `quote`; a doubled quote stands for
// itself, and `backslash` escapes the next byte (E'...' literals).
std::size_t SkipQuoted(const std::string& sql, std::size_t pos, char quote, bool backslash) {
  std::size_t i = pos + 1;
  while (i < sql.size()) {
    if (backslash && sql[i] == '\\') {
      i += 2;
    } else if (sql[i] == quote) {
      if (i + 1 < sql.size() && sql[i + 1] == quote) {
        i += 2;
      } else {
        return i + 1;
      }
    } else {
      ++i;
    }
  }
  return sql.size();
}

std::size_t SkipBlockComment(const std::string& sql, std::size_t pos) {
  int depth = 0;
  std::size_t i = pos;
  while (i < sql.size()) {
    if (sql.compare(i, 2, "/*") == 0) {
      ++depth;
      i += 2;
    } else if (sql.compare(i, 2, "*/") == 0) {
      i += 2;
      if (--depth == 0) return i;
    } else {
      ++i;
    }
  }
  return sql.size();
}

std::size_t SkipLineComment(const std::string& sql, std::size_t pos) {
  std::size_t end = sql.find('\n', pos);
  return end == std::string::npos ? sql.size() : end + 1;
}

}  // namespace

Error ParameterCountError(std::size_t expected, std::size_t given) {
  return Error::Database("SQL 语句需要 " + std::to_string(expected) + " 个参数，实际给出 " + std::to_string(given) +
                         " 个");
}

void ForEachCodeChar(const std::string& sql, const std::function<void(std::size_t)>& on_code) {
  std::size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (c == '\'') {
      const bool escaped = i > 0 && (sql[i - 1] == 'E' || sql[i - 1] == 'e') && (i < 2 || !IsIdentChar(sql[i - 2]));
      i = SkipQuoted(sql, i, '\'', escaped);
    } else if (c == '"') {
      i = SkipQuoted(sql, i, '"', false);
    } else if (sql.compare(i, 2, "--") == 0) {
      i = SkipLineComment(sql, i);
    } else if (sql.compare(i, 2, "/*") == 0) {
      i = SkipBlockComment(sql, i);
    } else if (std::size_t tag = c == '$' ? DollarTagLength(sql, i) : 0; tag > 0) {
      std::size_t close = sql.find(sql.substr(i, tag), i + tag);
      i = close == std::string::npos ? sql.size() : close + tag;
    } else {
      on_code(i);
      ++i;
    }
  }
}

bool OnlyBlanksFrom(const std::string& sql, std::size_t pos) {
  std::size_t i = pos;
  while (i < sql.size()) {
    if (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == ';') {
      ++i;
    } else if (sql.compare(i, 2, "--") == 0) {
      i = SkipLineComment(sql, i);
    } else if (sql.compare(i, 2, "/*") == 0) {
      i = SkipBlockComment(sql, i);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace quillstone::driver
