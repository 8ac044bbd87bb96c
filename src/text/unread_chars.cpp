// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/unread_chars.h"

#include <cstdint>
#include <functional>

#include "stroke/OruStroke.h"
#include "text/gbk.h"
#include "text/pycode.h"

namespace {

bool IsHan(char16_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF);
}

// Scripts written with strokes: Chinese characters, kana, bopomofo.
bool IsStrokeScript(char16_t c) {
  return IsHan(c) || (c >= 0x3041 && c <= 0x30FF) || (c >= 0x3105 && c <= 0x312F);
}

// Letters with a reading of their own; GBK has no others outside ASCII,
// full-width ASCII and Greek (which the initials spell).
bool IsLetter(char16_t c) {
  const bool accentedLatin = c >= 0x00C0 && c <= 0x02AF && c != 0x00D7 && c != 0x00F7;
  const bool cyrillic = c >= 0x0400 && c <= 0x04FF;
  return IsStrokeScript(c) || accentedLatin || cyrillic;
}

// The double-byte characters of the title for which doubtful(character,
// code point) holds, each once.
std::string Collect(std::string_view title,
                    const std::function<bool(std::string_view, char16_t)>& doubtful) {
  std::string found;
  for (std::size_t i = 0; i < title.size(); ++i) {
    const auto lead = static_cast<std::uint8_t>(title[i]);
    if (lead < 0x81 || i + 1 >= title.size()) continue;
    const auto trail = static_cast<std::uint8_t>(title[i + 1]);
    const char16_t c = gbk::DecodePair(lead, trail);
    if (c == 0) continue;
    const std::string_view ch = title.substr(i++, 2);
    if (!doubtful(ch, c)) continue;
    bool seen = false;
    for (std::size_t k = 0; k + 1 < found.size() && !seen; k += 2) {
      seen = found.compare(k, 2, ch) == 0;
    }
    if (!seen) found += ch;
  }
  return found;
}

}  // namespace

std::string CharactersWithoutPinyin(std::string_view title) {
  return Collect(title, [](std::string_view ch, char16_t c) {
    return IsLetter(c) && PinyinInitials(ch, kPinyinMarkUnknown, 8) == "?";
  });
}

std::string CharactersWithoutStrokes(std::string_view title) {
  return Collect(title, [](std::string_view, char16_t c) {
    return IsStrokeScript(c) && GetStroke_Unicode(c) == 0;
  });
}
