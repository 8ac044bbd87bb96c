// SPDX-License-Identifier: GPL-3.0-or-later
// Spreadsheet text (a clipboard's or a CSV file's) on any bytes, the
// separator chosen by the first byte (tab or comma): whatever parses is
// written back and parses to the same rows, so a copy and paste keeps every
// cell as it was.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "fuzz_check.h"
#include "ui/delimited_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char separator = (data[0] & 1) != 0 ? '\t' : ',';
  const bool keepEmpty = (data[0] & 2) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<TTextRow> rows;
  try {
    rows = ParseDelimited(text, separator, keepEmpty);
  } catch (const std::runtime_error&) {
    return 0;  // an unclosed quote
  }
  for (const TTextRow& row : rows) FUZZ_CHECK(!row.empty());
  const std::string written = WriteDelimited(rows, separator);
  FUZZ_CHECK(ParseDelimited(written, separator, true) == rows);
  return 0;
}
