// SPDX-License-Identifier: GPL-3.0-or-later
// Definitions of the pinyin tables; see pinyin_tables.h.
#include "text/pinyin_tables.h"

#include <cstdint>
#include <string_view>

// PinyinSyllables and PinyinIndex.
#include "text/pinyin_index.inc"

// clang-format off
const std::string_view NumeralNames[94] = {
    // 0xA1-0xAA: small Roman numerals i to x
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
    // 0xAB-0xB0: user-defined
    "", "", "", "", "", "",
    // 0xB1-0xC4: numbers with a full stop, 1. to 20.
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",
    // 0xC5-0xD8: parenthesized numbers (1) to (20)
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",
    // 0xD9-0xE2: circled numbers 1 to 10
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
    // 0xE3-0xE4: user-defined
    "", "",
    // 0xE5-0xEE: parenthesized ideographic numbers one to ten
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
    // 0xEF-0xF0: user-defined
    "", "",
    // 0xF1-0xFC: Roman numerals I to XII
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
    // 0xFD-0xFE: user-defined
    "", "",
};

const std::string_view GreekNames[24] = {
    "a", "b", "g", "d", "e", "z", "e", "th", "i", "k", "l", "m",
    "n", "x", "o", "p", "r", "s", "t", "u", "ph", "kh", "ps", "o",
};
// clang-format on
