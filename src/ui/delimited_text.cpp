// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/delimited_text.h"

#include <stdexcept>

std::vector<TTextRow> ParseDelimited(std::string_view text, char separator, bool keepEmpty) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<TTextRow> rows;
  TTextRow row;
  std::string field;
  bool quoted = false;      // inside a quoted field
  bool rowStarted = false;  // the current line has a field (even an empty one)
  int line = 1;
  auto endRow = [&] {
    if (rowStarted || !field.empty() || keepEmpty) {
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
    } else if (c == '"' && field.empty()) {
      quoted = true;
      rowStarted = true;
    } else if (c == separator) {
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
  // The last line's end makes no row of its own.
  if (rowStarted || !field.empty()) endRow();
  return rows;
}

std::string WriteDelimited(const std::vector<TTextRow>& rows, char separator) {
  std::string text;
  for (const TTextRow& row : rows) {
    for (std::size_t f = 0; f < row.size(); ++f) {
      if (f > 0) text += separator;
      const std::string& field = row[f];
      // A field that starts as a byte-order mark is quoted, or a reader drops the mark.
      if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos &&
          !field.starts_with("\xEF\xBB\xBF")) {
        text += field;
        continue;
      }
      text += '"';
      for (const char c : field) text += c == '"' ? std::string("\"\"") : std::string(1, c);
      text += '"';
    }
    text += "\r\n";
  }
  return text;
}
