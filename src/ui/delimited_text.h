// SPDX-License-Identifier: GPL-3.0-or-later
// Tables as text, the way spreadsheets read and write them (RFC 4180): fields
// separated by a comma (CSV files) or a tab (what Excel, WPS and LibreOffice
// put on the clipboard); a field in double quotes may hold separators, line
// ends and doubled quotes. Lines end at CR LF or LF; a UTF-8 byte-order mark
// at the start is dropped. Bytes are kept as they are (the caller decides the
// encoding).
#pragma once

#include <string>
#include <string_view>
#include <vector>

using TTextRow = std::vector<std::string>;

// The rows of the text. Empty lines are left out, or, with keepEmpty, are
// rows of one empty field (a spreadsheet's column with an empty cell); the
// line end of the last line never makes a row. Throws std::runtime_error
// naming the line when a quoted field is not closed.
std::vector<TTextRow> ParseDelimited(std::string_view text, char separator, bool keepEmpty);
inline std::vector<TTextRow> ParseCsv(std::string_view text) {
  return ParseDelimited(text, ',', false);
}

// The rows as text: fields joined by separator, each line ending in CR LF; a
// field holding the separator, a quote or a line end is quoted.
std::string WriteDelimited(const std::vector<TTextRow>& rows, char separator);
