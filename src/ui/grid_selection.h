// SPDX-License-Identifier: GPL-3.0-or-later
// The cells the owner selected in the song grid, as a spreadsheet keeps
// them: rectangles of cells, an anchor where the last one started and the
// end that Shift moves. Nothing here knows songs; the grid owns one and
// tells its view when it changes.
#pragma once

#include <vector>

// Cells col0..col1 of rows row0..row1, both ends included, col0 <= col1 and
// row0 <= row1.
struct TCellRange {
  int col0 = 0;
  int row0 = 0;
  int col1 = 0;
  int row1 = 0;
  bool Contains(int col, int row) const {
    return col >= col0 && col <= col1 && row >= row0 && row <= row1;
  }
  bool operator==(const TCellRange&) const = default;
};

class TGridSelection {
 public:
  // The cell alone (a click), anchor and end there.
  void Only(int col, int row);
  // The cell added as a range of its own (Ctrl+click), anchor and end there.
  void Add(int col, int row);
  // The last range becomes anchor..(col, row) (Shift+click, a drag, Shift+an
  // arrow); the anchor stays.
  void ExtendTo(int col, int row);
  // Whole rows, columns 0..lastCol: the row header clicked, alone, added
  // (ctrl) or from the anchor's row (shift).
  void Rows(int row, bool shift, bool ctrl, int lastCol);
  // Every cell of a grid of cols x rows (Ctrl+A); nothing when it has none.
  void All(int cols, int rows);
  void Clear();
  // The ranges as a front end's own selection holds them (normalised here);
  // anchor and end at the first range's corners.
  void Set(const std::vector<TCellRange>& ranges);
  // Drops what lies at or below rows (the grid has that many rows now).
  void Clip(int rows);

  bool Empty() const { return ranges_.empty(); }
  bool Contains(int col, int row) const;
  const std::vector<TCellRange>& Ranges() const { return ranges_; }
  // The rows / columns any range touches, ascending, each once.
  std::vector<int> RowList() const;
  std::vector<int> ColumnList() const;
  // The smallest range that holds every selected cell (Empty: all zero).
  TCellRange Bounds() const;
  // Where Shift moves from: the end of the last range.
  int EndCol() const { return endCol_; }
  int EndRow() const { return endRow_; }

 private:
  std::vector<TCellRange> ranges_;
  int anchorCol_ = 0;
  int anchorRow_ = 0;
  int endCol_ = 0;
  int endRow_ = 0;
};
