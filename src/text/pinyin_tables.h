// SPDX-License-Identifier: GPL-3.0-or-later
// The constant tables behind PinyinInitials (text/pycode.h).
//
// PinyinSyllables  406 toneless syllables, numbered from 1: syllable w is
//                  PinyinSyllables[w - 1]. 1-393 are the standard Mandarin
//                  syllables in alphabetical order ("a" ... "zuo"), 394 is
//                  empty, 395-406 are "ei", "m", "n", "dia", "cen", "nou",
//                  "jv", "qv", "xv", "lv", "nv", "gei". Lower-case ASCII, at
//                  most six letters, "v" standing for u-umlaut.
// PinyinIndex      one syllable number per double-byte GBK code, 0 for "no
//                  reading": 126 rows (lead bytes 0x81-0xFE) of 191 entries
//                  (trail bytes 0x40-0xFE, 0x7F included). Only the Han
//                  ideographs and 〇 (A996, the ideographic number zero,
//                  "ling") have non-zero entries.
// NumeralNames     the digits written for the numerals of row 0xA2, trail
//                  bytes 0xA1-0xFE (entry trail - 0xA1), "" where none.
// GreekNames       the Latin letters written for the 24 Greek letters of row
//                  0xA6, in alphabet order, lower case.
//
// PinyinSyllables and PinyinIndex are generated (text/pinyin_index.inc).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr int kPinyinSyllableCount = 406;
inline constexpr int kPinyinIndexRows = 126;     // lead bytes 0x81-0xFE
inline constexpr int kPinyinIndexColumns = 191;  // trail bytes 0x40-0xFE

extern const std::string_view PinyinSyllables[kPinyinSyllableCount];
extern const std::uint16_t PinyinIndex[kPinyinIndexRows * kPinyinIndexColumns];
extern const std::string_view NumeralNames[94];
extern const std::string_view GreekNames[24];

// The PinyinIndex entry of a double-byte code; lead must be 0x81-0xFE and
// trail 0x40-0xFE.
inline std::uint16_t PinyinIndexAt(std::uint8_t lead, std::uint8_t trail) {
  return PinyinIndex[static_cast<std::size_t>(lead - 0x81) * kPinyinIndexColumns + (trail - 0x40)];
}
