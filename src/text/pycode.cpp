#include "text/pycode.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "text/pinyin_tables.h"

namespace {

bool IsAsciiAlnum(std::uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperAscii(std::uint8_t c) {
  return static_cast<char>(c >= 'a' && c <= 'z' ? c - 0x20 : c);
}

// The result under construction: it stops taking bytes at the maximum length,
// so that the one reservation is never outgrown.
class Sink {
 public:
  Sink(std::size_t limit, std::size_t bound) : limit_(limit) {
    out_.reserve(std::min(limit, bound));
  }
  bool Full() const { return out_.size() >= limit_; }
  void Byte(char c) {
    if (!Full()) out_.push_back(c);
  }
  // Appends the piece, upper-cased; only its first letter when initialOnly.
  void Piece(std::string_view piece, bool initialOnly) {
    if (initialOnly) piece = piece.substr(0, 1);
    for (char c : piece) Byte(UpperAscii(static_cast<std::uint8_t>(c)));
  }
  std::string Take() { return std::move(out_); }

 private:
  std::size_t limit_;
  std::string out_;
};

}  // namespace

std::string PinyinInitials(std::string_view gbkText, int options, int maxLength) {
  if (options < 0 || maxLength <= 0) return {};
  const bool whole = (options & kPinyinWholeSyllables) != 0;
  const bool markUnknown = (options & kPinyinMarkUnknown) != 0;
  const bool keepOthers = (options & kPinyinKeepOthers) != 0;

  // No piece is longer than three bytes per input byte (six letters for two).
  Sink out(static_cast<std::size_t>(maxLength), gbkText.size() * 3);
  const auto unknown = [&] {
    if (markUnknown) out.Byte('?');
  };

  const std::size_t n = gbkText.size();
  std::size_t i = 0;
  while (i < n && !out.Full()) {
    const auto b = static_cast<std::uint8_t>(gbkText[i]);
    const std::uint8_t t = i + 1 < n ? static_cast<std::uint8_t>(gbkText[i + 1]) : 0;
    if (b < 0x81 || t < 0x40) {
      if (keepOthers || IsAsciiAlnum(b)) out.Byte(UpperAscii(b));
      i += 1;
      continue;
    }
    i += 2;
    if (b == 0xFF || t == 0xFF) {
      unknown();
    } else if (b == 0xA2) {
      if (t >= 0xA1) {
        out.Piece(NumeralNames[t - 0xA1], false);
      } else {
        unknown();
      }
    } else if (b == 0xA3 && t >= 0xA1) {  // full-width ASCII; below it is user-defined
      const auto c = static_cast<std::uint8_t>(t - 0x80);
      if (keepOthers || IsAsciiAlnum(c)) out.Byte(static_cast<char>(c));
    } else if (b == 0xA6) {
      if (t >= 0xA1 && t <= 0xB8) {
        out.Piece(GreekNames[t - 0xA1], false);
      } else if (t >= 0xC1 && t <= 0xD8) {
        out.Piece(GreekNames[t - 0xC1], false);
      } else {
        unknown();
      }
    } else if (const std::uint16_t w = PinyinIndexAt(b, t); w != 0) {
      out.Piece(PinyinSyllables[w - 1], !whole);
    } else {
      unknown();
    }
  }
  return out.Take();
}

namespace {

bool IsWordBreak(std::uint8_t c) {
  return c == ' ' || c == '/' || c == '\\' || c == ',' || c == '.' || c == ';' || c == '"';
}

}  // namespace

int CountTitleWords(std::string_view gbkText) {
  // The text is read as if one space followed it: a byte past the end is ' '.
  const std::size_t n = gbkText.size();
  const auto at = [&](std::size_t k) -> std::uint8_t {
    return k < n ? static_cast<std::uint8_t>(gbkText[k]) : ' ';
  };
  const auto isPair = [&](std::size_t k) {
    const std::uint8_t lead = at(k);
    const std::uint8_t trail = at(k + 1);
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE;
  };

  int words = 0;
  std::size_t k = 0;
  while (k < n) {
    if (isPair(k)) {
      ++words;
      k += 2;
      continue;
    }
    const std::uint8_t c = at(k);
    ++k;
    if (IsWordBreak(c)) continue;
    const std::uint8_t next = at(k);
    if (next == ' ' || next == '.' || isPair(k)) ++words;
  }
  return words;
}
