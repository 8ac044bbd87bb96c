// SPDX-License-Identifier: GPL-3.0-or-later
// The characters of a title that our reading tables cannot serve: the grid
// marks the pinyin and strokes cells derived from them, and the console's
// check names them.
#pragma once

#include <string>
#include <string_view>

// The characters of a GBK title written in a script that has readings
// (Chinese characters, kana, bopomofo, Cyrillic and accented Latin letters)
// for which the pinyin table holds none, so that PinyinInitials drops them.
// Punctuation, symbols, ASCII, full-width ASCII and Greek are never named
// (the initials either keep them or rightly leave them out). Each character
// once, in the order of its first place, joined without separators (GBK).
// Bytes that are not GBK characters are skipped. Never throws.
std::string CharactersWithoutPinyin(std::string_view title);

// The same for the stroke library: Chinese characters, kana and bopomofo
// for which GetStroke_Unicode gives no count (0). Letters, digits and
// punctuation give 0 by design and are never named.
std::string CharactersWithoutStrokes(std::string_view title);
