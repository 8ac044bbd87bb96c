// SPDX-License-Identifier: GPL-3.0-or-later
// Pinyin initials and word count of GBK titles: the song grid's columns
// "拼音" and "字数". Pure functions of their arguments: no state, no errors,
// no allocation but the result's.
//
// A byte below 0x81 is a single-byte character; a lead byte 0x81-0xFE
// followed by a trail byte 0x40-0xFE is one double-byte character.
#pragma once

#include <string>
#include <string_view>

// Option bits of PinyinInitials.
inline constexpr int kPinyinWholeSyllables = 1;  // "ZHONG" instead of "Z"
inline constexpr int kPinyinMarkUnknown = 2;     // a character without reading gives "?"
inline constexpr int kPinyinKeepOthers = 4;      // keep non-alphanumeric (full-width) characters

// The pinyin initials of a GBK text, pieces joined without separators:
// - a single byte (below 0x81, or followed by a byte below 0x40, or the last
//   byte): ASCII letters and digits are kept, letters upper-cased; other bytes
//   are kept (upper-cased) only with kPinyinKeepOthers;
// - a Chinese character (and 〇, the ideographic number zero, read "ling"):
//   the upper-case first letter of its reading, or the whole reading with
//   kPinyinWholeSyllables ("ZHONG");
// - row 0xA2 numerals: their digits (Ⅻ gives "12", ⑳ "20");
// - row 0xA3 full-width ASCII: the ASCII byte, case kept (ｌ gives "l");
//   anything but a letter or digit only with kPinyinKeepOthers;
// - row 0xA6 Greek letters: upper-case Latin letters (θ gives "TH");
// - any other double-byte character, a Greek-row or numeral-row code outside
//   those, and a pair with the byte 0xFF: nothing, or "?" with
//   kPinyinMarkUnknown.
// The result is cut to maxLength bytes (empty when maxLength <= 0). Negative
// options give the empty text.
std::string PinyinInitials(std::string_view gbkText, int options, int maxLength);

// The number of words of a GBK title: every double-byte character is one
// word (full-width punctuation too), and a run of single-byte characters is
// one word when a space, a ".", a double-byte character or the end of the
// text follows it. A single byte that is a space, '/', '\', ',', '.', ';' or
// '"' never ends a counted run itself. So "你好，世界" gives 5, "Hello World" 2,
// "abc,def" 1 and "abc," 0.
int CountTitleWords(std::string_view gbkText);
