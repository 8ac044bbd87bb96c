// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/pycode.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "text/pinyin_step.h"
#include "text/pinyin_tables.h"

namespace {

bool IsAsciiAlnum(std::uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::size_t pinyin_step::ReadCharacter(std::string_view text, std::size_t at,
                                       const Options& options, Sink& out) {
  const auto unknown = [&] {
    if (options.markUnknown) out.Byte('?');
  };
  const auto b = static_cast<std::uint8_t>(text[at]);
  if (!IsPairAt(text, at)) {
    if (options.keepOthers || IsAsciiAlnum(b)) out.Byte(UpperAscii(b));
    return at + 1;
  }
  const auto t = static_cast<std::uint8_t>(text[at + 1]);
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
    if (options.keepOthers || IsAsciiAlnum(c)) out.Byte(static_cast<char>(c));
  } else if (b == 0xA6) {
    if (t >= 0xA1 && t <= 0xB8) {
      out.Piece(GreekNames[t - 0xA1], false);
    } else if (t >= 0xC1 && t <= 0xD8) {
      out.Piece(GreekNames[t - 0xC1], false);
    } else {
      unknown();
    }
  } else if (const std::uint16_t w = PinyinIndexAt(b, t); w != 0) {
    out.Piece(PinyinSyllables[w - 1], !options.whole);
  } else {
    unknown();
  }
  return at + 2;
}

std::string PinyinInitials(std::string_view gbkText, int options, int maxLength) {
  if (options < 0 || maxLength <= 0) return {};
  const pinyin_step::Options unpacked{(options & kPinyinWholeSyllables) != 0,
                                      (options & kPinyinMarkUnknown) != 0,
                                      (options & kPinyinKeepOthers) != 0};
  // No piece is longer than three bytes per input byte (six letters for two).
  pinyin_step::Sink out(static_cast<std::size_t>(maxLength), gbkText.size() * 3);
  std::size_t i = 0;
  while (i < gbkText.size() && !out.Full()) {
    i = pinyin_step::ReadCharacter(gbkText, i, unpacked, out);
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
