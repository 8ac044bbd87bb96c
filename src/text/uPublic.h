// SPDX-License-Identifier: GPL-3.0-or-later
// String and size utilities shared by the song list, the product lines and
// the windows. All texts are GBK byte strings; lengths count bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using TStringList = std::vector<std::string>;

// The one trimming rule of the system: every byte of value 0x20 or below is
// removed from both ends (spaces and control characters; GBK bytes are all
// above 0x20 and never touched).
std::string Trim(std::string_view text);

// True when the text is empty after trimming.
bool IsBlank(std::string_view text);

// Appends the pieces of text between separators to list (which is not
// cleared). n separators always give n+1 entries; empty pieces stay, also a
// leading or trailing one, and the empty text gives one empty entry.
void SplitString(std::string_view text, char separator, TStringList& list);

// The lines of a text file: they end at CR LF, LF or CR; a last line without
// an end counts, an end at the very end adds no empty line. Bytes are kept.
TStringList SplitTextLines(std::string_view text);

// The folder part of a path, up to and including its last '\', '/' or ':'
// (empty when there is none), and the name after it. Both walk the text as
// GBK, so a trail byte 0x5C inside a Chinese character is not a separator.
std::string ExtractFolder(std::string_view path);
std::string ExtractName(std::string_view path);

// True exactly when the text is four ASCII digits.
bool IsSongNumber(std::string_view text);

// The text with its ASCII letters A-Z in lower case, for comparing names
// and extensions regardless of case. Walks the text as GBK: a Chinese
// character's trail byte in 'A'..'Z' is part of it and left as it is.
std::string LowerAscii(std::string_view text);

// A byte count for people: GiB with two decimals from 1 GiB on ("1.20G" for
// 1230 MiB, "1.50G", "5.00G"), whole MiB below ("300M"); "0M" under 1 MiB and
// for negative counts. Nothing stored depends on it.
std::string FormatDiskSize(std::int64_t bytes);

// "1" for true, "0" for false.
std::string FlagText(bool flag);

// The integer check of the line parsers and of the number conversions: the
// whole text is an integer in the signed 32-bit range, written as an optional
// sign and then decimal digits, or a hexadecimal number introduced by $, x, X,
// 0x or 0X. Nothing else is allowed: no blanks, no empty text, no overflow.
// Hexadecimal numbers may take all 32 bits ($FFFFFFFF is -1): a code written
// as eight hexadecimal digits is read as the 32-bit pattern it spells.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// The same check, raising std::invalid_argument with a message naming the
// text when it fails (the "conversion error" of the number conversion).
std::int32_t StrToInt(std::string_view text);
