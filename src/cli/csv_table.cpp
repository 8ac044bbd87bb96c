// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/csv_table.h"

#include <stdexcept>

namespace cli {

std::vector<TCsvRow> ParseCsv(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<TCsvRow> rows;
  TCsvRow row;
  std::string field;
  bool quoted = false;      // inside a quoted field
  bool rowStarted = false;  // the current line has a field (even an empty one)
  int line = 1;
  auto endRow = [&] {
    if (rowStarted || !field.empty()) {
      row.push_back(std::move(field));
      rows.push_back(std::move(row));
    }
    row.clear();
    field.clear();
    rowStarted = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n') ++line;
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
      rowStarted = true;
    } else if (c == ',') {
      row.push_back(std::move(field));
      field.clear();
      rowStarted = true;
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endRow();
      ++line;
    } else {
      field += c;
    }
  }
  if (quoted)
    throw std::runtime_error("a quoted field is not closed (line " + std::to_string(line) + ")");
  endRow();
  return rows;
}

}  // namespace cli
