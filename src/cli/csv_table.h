// SPDX-License-Identifier: GPL-3.0-or-later
// A small reader of comma-separated tables (RFC 4180): fields separated by
// commas, a field in double quotes may hold commas, line ends and doubled
// quotes. Lines end at CR LF or LF; a UTF-8 byte-order mark at the start is
// dropped. Bytes are kept as they are (the caller decides the encoding).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

using TCsvRow = std::vector<std::string>;

// The rows of the text; empty lines are left out. Throws std::runtime_error
// naming the line when a quoted field is not closed.
std::vector<TCsvRow> ParseCsv(std::string_view text);

}  // namespace cli
