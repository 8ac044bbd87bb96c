// SPDX-License-Identifier: GPL-3.0-or-later
// The stroke text of a song title: the stroke count of every UTF-16 code unit
// of the title, written in decimal and joined without separators. The counts
// come from the stroke-count library (stroke/OruStroke.h).
#pragma once

#include <string>
#include <string_view>

// The stroke text of a GBK title. The title is trimmed (text/uPublic.h: Trim)
// and converted to UTF-16; GetStroke_Unicode is called once for each code
// unit, in order, with the unit zero-extended to 32 bits, whatever the unit is
// (Chinese character, letter, digit, inner blank, punctuation); each result is
// read as an unsigned 32-bit number and written in decimal without leading
// zeros. The result is the concatenation of these numbers, in ASCII digits.
//   海风 (10 and 4 strokes) -> "104";  "A海" -> "010";  an empty or blank title -> "".
// Raises gbk::ConversionError when the trimmed title is not valid GBK (it cannot
// be turned into code units; no stroke text is made up for it).
std::string StrokeText(std::string_view title);
