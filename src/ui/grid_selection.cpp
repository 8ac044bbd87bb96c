// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_selection.h"

#include <algorithm>
#include <set>

namespace {
TCellRange Span(int colA, int rowA, int colB, int rowB) {
  return {std::min(colA, colB), std::min(rowA, rowB), std::max(colA, colB), std::max(rowA, rowB)};
}
}  // namespace

void TGridSelection::Only(int col, int row) {
  ranges_.clear();
  Add(col, row);
}

void TGridSelection::Add(int col, int row) {
  ranges_.push_back(Span(col, row, col, row));
  anchorCol_ = endCol_ = col;
  anchorRow_ = endRow_ = row;
}

void TGridSelection::ExtendTo(int col, int row) {
  if (ranges_.empty()) {
    Only(col, row);
    return;
  }
  ranges_.back() = Span(anchorCol_, anchorRow_, col, row);
  endCol_ = col;
  endRow_ = row;
}

void TGridSelection::Rows(int row, bool shift, bool ctrl, int lastCol) {
  const int from = shift && !ranges_.empty() ? anchorRow_ : row;
  if (!(shift || ctrl)) ranges_.clear();
  if (shift && !ranges_.empty()) ranges_.pop_back();
  ranges_.push_back(Span(0, from, lastCol, row));
  if (!shift) {
    anchorCol_ = 0;
    anchorRow_ = row;
  }
  endCol_ = lastCol;
  endRow_ = row;
}

void TGridSelection::All(int cols, int rows) {
  ranges_.clear();
  if (cols <= 0 || rows <= 0) return;
  ranges_.push_back(Span(0, 0, cols - 1, rows - 1));
  anchorCol_ = anchorRow_ = 0;
  endCol_ = cols - 1;
  endRow_ = rows - 1;
}

void TGridSelection::Clear() {
  ranges_.clear();
}

void TGridSelection::Set(const std::vector<TCellRange>& ranges) {
  ranges_.clear();
  for (const TCellRange& r : ranges) ranges_.push_back(Span(r.col0, r.row0, r.col1, r.row1));
  if (ranges_.empty()) return;
  anchorCol_ = ranges_.front().col0;
  anchorRow_ = ranges_.front().row0;
  endCol_ = ranges_.front().col1;
  endRow_ = ranges_.front().row1;
}

void TGridSelection::Clip(int rows) {
  std::vector<TCellRange> kept;
  for (TCellRange r : ranges_) {
    if (r.row0 >= rows) continue;
    r.row1 = std::min(r.row1, rows - 1);
    kept.push_back(r);
  }
  ranges_ = std::move(kept);
  anchorRow_ = std::min(anchorRow_, std::max(rows - 1, 0));
  endRow_ = std::min(endRow_, std::max(rows - 1, 0));
}

bool TGridSelection::Contains(int col, int row) const {
  return std::any_of(ranges_.begin(), ranges_.end(),
                     [&](const TCellRange& r) { return r.Contains(col, row); });
}

std::vector<int> TGridSelection::RowList() const {
  std::set<int> rows;
  for (const TCellRange& r : ranges_) {
    for (int row = r.row0; row <= r.row1; ++row) rows.insert(row);
  }
  return {rows.begin(), rows.end()};
}

std::vector<int> TGridSelection::ColumnList() const {
  std::set<int> cols;
  for (const TCellRange& r : ranges_) {
    for (int col = r.col0; col <= r.col1; ++col) cols.insert(col);
  }
  return {cols.begin(), cols.end()};
}

TCellRange TGridSelection::Bounds() const {
  if (ranges_.empty()) return {};
  TCellRange b = ranges_.front();
  for (const TCellRange& r : ranges_) {
    b = {std::min(b.col0, r.col0), std::min(b.row0, r.row0), std::max(b.col1, r.col1),
         std::max(b.row1, r.row1)};
  }
  return b;
}
