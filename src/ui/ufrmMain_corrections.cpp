// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: corrections to the added songs given as a table (the
// console's --csv), applied as the owner's own edits of the grid.
#include <algorithm>
#include <numeric>

#include "ui/grid_rules.h"
#include "ui/product_columns.h"
#include "ui/ufrmMain.h"

namespace {
// The file's row in the grid: the same path, or the same name when only one
// row has it; without a file, the one row without a file that has the
// number; -1 when none.
int RowOfFile(const TGrid& grid, const std::string& file, const std::string& number) {
  if (Trim(file).empty()) {
    int found = -1;
    for (int row = 0; row < grid.RowCount(); ++row) {
      if (!Trim(grid.Cell(kColVideo, row)).empty() || Trim(number).empty() ||
          Trim(grid.Cell(kColNumber, row)) != Trim(number)) {
        continue;
      }
      if (found >= 0) return -1;
      found = row;
    }
    return found;
  }
  int byName = -1;
  int named = 0;
  for (int row = 0; row < grid.RowCount(); ++row) {
    const std::string& path = grid.Cell(kColVideo, row);
    if (path == file) return row;
    if (ExtractName(path) == file) {
      byName = row;
      ++named;
    }
  }
  return named == 1 ? byName : -1;
}
}  // namespace

TfrmMain::TCorrectionFault TfrmMain::ApplyCorrections(const std::vector<TStringList>& table) {
  using Why = TCorrectionFault::Why;
  auto fault = [](Why why, int tableRow = 0, const std::string& column = "",
                  const std::string& value = "", const TStringList& allowed = {}) {
    return TCorrectionFault{why, tableRow, column, value, allowed};
  };
  if (table.empty()) return fault(Why::kEmptyTable);
  int fileField = -1;
  std::vector<int> columnOf;  // per field of the table: the grid column, -1 for the file
  for (std::size_t f = 0; f < table[0].size(); ++f) {
    const std::string caption = Trim(table[0][f]);
    int found = -2;
    for (int col = 0; col < kGridColumns; ++col) {
      if (lvList.Column(col).caption == caption && lvList.Column(col).visible) found = col;
    }
    if (found == kColVideo) {
      fileField = static_cast<int>(f);
      found = -1;
    } else if (found == -2 || !lvList.Column(found).editable) {
      return fault(Why::kUnknownColumn, 1, caption);
    }
    columnOf.push_back(found);
  }
  if (fileField < 0) return fault(Why::kNoFileColumn, 1, lvList.Column(kColVideo).caption);
  const auto numberAt = std::find(columnOf.begin(), columnOf.end(), kColNumber);

  // Fields in grid order, so a title comes before the pinyin it would derive.
  std::vector<std::size_t> order(columnOf.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return columnOf[a] < columnOf[b]; });

  for (std::size_t r = 1; r < table.size(); ++r) {
    const TStringList& fields = table[r];
    const int tableRow = static_cast<int>(r) + 1;
    if (fields.size() != columnOf.size()) return fault(Why::kFieldCount, tableRow);
    const std::string& file = fields[static_cast<std::size_t>(fileField)];
    const std::string number = numberAt == columnOf.end()
                                   ? ""
                                   : fields[static_cast<std::size_t>(numberAt - columnOf.begin())];
    const int row = RowOfFile(lvList, file, number);
    if (row < 0) {
      return fault(Why::kNoSuchFile, tableRow, lvList.Column(kColVideo).caption,
                   Trim(file).empty() ? number : file);
    }
    // A field that holds what the cell held before is no correction: the
    // pinyin of an exported table follows a title changed beside it.
    const std::vector<std::string> was = lvList.Cells(row);
    for (std::size_t f : order) {
      const int col = columnOf[f];
      const std::string value = Trim(fields[f]);
      if (col < 0 || value.empty() || value == Trim(was[static_cast<std::size_t>(col)])) continue;
      const TGridColumn& column = lvList.Column(col);
      if (column.kind == TColumnKind::kCheck) {
        if (value != "0" && value != "1")
          return fault(Why::kNotACheck, tableRow, column.caption, value);
        CheckCell(col, row, value == "1");
        continue;
      }
      if (BreaksVodLine(value)) return fault(Why::kBreaksList, tableRow, column.caption, value);
      if (!lvList.Takes(col, value)) {
        return fault(Why::kOutOfRange, tableRow, column.caption, value,
                     {std::to_string(column.minimum), std::to_string(column.maximum)});
      }
      std::string taken = value;
      if (column.kind == TColumnKind::kDropDown) {
        taken = ChoiceOf(col, row, value);
        if (taken.empty())
          return fault(Why::kNotAChoice, tableRow, column.caption, value, column.items);
      }
      EditCell(col, row, taken);
    }
  }
  return fault(Why::kNone);
}
