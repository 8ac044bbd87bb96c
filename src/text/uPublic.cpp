// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/uPublic.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {
bool IsTrimmed(unsigned char c) {
  return c <= 0x20;
}

bool IsLeadByte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}
bool IsTrailByte(unsigned char c) {
  return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// Offset just past the last folder separator ('\', '/' or ':'), walking the
// text as GBK so that a trail byte 0x5C inside a Chinese character is not
// taken for a backslash.
std::size_t NameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(c) && i + 1 < path.size() && IsTrailByte(path[i + 1])) {
      ++i;
    } else if (c == '\\' || c == '/' || c == ':') {
      start = i + 1;
    }
  }
  return start;
}

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}
}  // namespace

std::string Trim(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && IsTrimmed(text[b])) ++b;
  while (e > b && IsTrimmed(text[e - 1])) --e;
  return std::string(text.substr(b, e - b));
}

bool IsBlank(std::string_view text) {
  for (char c : text) {
    if (!IsTrimmed(c)) return false;
  }
  return true;
}

void SplitString(std::string_view text, char separator, TStringList& list) {
  for (;;) {
    const auto at = text.find(separator);
    if (at == std::string_view::npos) {
      list.emplace_back(text);
      return;
    }
    list.emplace_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
}

TStringList SplitTextLines(std::string_view text) {
  TStringList lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string ExtractFolder(std::string_view path) {
  return std::string(path.substr(0, NameStart(path)));
}

std::string ExtractName(std::string_view path) {
  return std::string(path.substr(NameStart(path)));
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (std::size_t i = 0; i < lower.size(); ++i) {
    const auto c = static_cast<unsigned char>(lower[i]);
    if (IsLeadByte(c) && i + 1 < lower.size() && IsTrailByte(lower[i + 1])) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      lower[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lower;
}

bool IsSongNumber(std::string_view text) {
  if (text.size() != 4) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string FormatDiskSize(std::int64_t bytes) {
  constexpr std::int64_t kGiB = 1073741824;
  constexpr std::int64_t kMiB = 1048576;
  if (bytes < kGiB) return std::to_string(std::max<std::int64_t>(bytes, 0) / kMiB) + "M";
  // Hundredths of a GiB, rounded to the nearest.
  const std::int64_t hundredths = (bytes / kMiB * 100 + 512) / 1024;
  const std::string cents = std::to_string(hundredths % 100);
  return std::to_string(hundredths / 100) + "." + (cents.size() < 2 ? "0" : "") + cents + "G";
}

std::string FlagText(bool flag) {
  return flag ? "1" : "0";
}

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    i += 1;
  } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // Decimal numbers must fit the signed range; hexadecimal ones may use all
  // 32 bits and wrap, so $FFFFFFFF is -1.
  const std::uint64_t limit =
      base == 16 ? 0xFFFFFFFFull
                 : static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + negative;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = DigitValue(text[i], base);
    if (d < 0) return std::nullopt;
    value = value * base + static_cast<std::uint64_t>(d);
    if (value > limit) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(negative ? (~value + 1) : value);
  return static_cast<std::int32_t>(bits);
}

std::int32_t StrToInt(std::string_view text) {
  const auto value = TryStrToInt(text);
  if (!value)
    throw std::invalid_argument("'" + std::string(text) + "' is not a valid integer value");
  return *value;
}
