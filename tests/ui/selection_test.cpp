// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's selection follows the gestures of a spreadsheet.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ui/grid.h"

namespace {

TEST(GridSelection, GesturesSelectWhatASpreadsheetSelects) {
  struct Case {
    const char* what;
    std::function<void(TGrid&)> act;
    std::vector<int> rows, cols;
    int currentRow;
  };
  const Case cases[] = {
      {"a click", [](TGrid& g) { g.ClickCell(2, 3, false, false); }, {3}, {2}, 3},
      {"shift+click from the anchor",
       [](TGrid& g) {
         g.ClickCell(2, 1, false, false);
         g.ClickCell(4, 3, true, false);
       },
       {1, 2, 3},
       {2, 3, 4},
       1},
      {"ctrl+click adds a cell",
       [](TGrid& g) {
         g.ClickCell(2, 1, false, false);
         g.ClickCell(10, 4, false, true);
       },
       {1, 4},
       {2, 10},
       4},
      {"a drag",
       [](TGrid& g) {
         g.ClickCell(10, 5, false, false);
         g.DragTo(10, 2);
       },
       {2, 3, 4, 5},
       {10},
       5},
      {"row headers with shift",
       [](TGrid& g) {
         g.ClickRowHeader(1, false, false);
         g.ClickRowHeader(3, true, false);
       },
       {1, 2, 3},
       {},  // every column
       1},
      {"row headers with ctrl",
       [](TGrid& g) {
         g.ClickRowHeader(0, false, false);
         g.ClickRowHeader(5, false, true);
       },
       {0, 5},
       {},
       5},
      {"shift+arrows skip hidden columns",
       [](TGrid& g) {
         g.SetColumnVisible(5, false);
         g.ClickCell(4, 2, false, false);
         g.MoveBy(1, 0, true);
         g.MoveBy(0, 2, true);
       },
       {2, 3, 4},
       {4, 5, 6},  // 5 is hidden but inside the rectangle
       2},
      {"an arrow without shift moves the current cell",
       [](TGrid& g) {
         g.ClickCell(4, 2, false, false);
         g.MoveBy(0, 1, false);
       },
       {3},
       {4},
       3},
      {"arrows stop at the grid's edges",
       [](TGrid& g) {
         g.ClickCell(1, 0, false, false);
         g.MoveBy(-5, -5, true);
       },
       {0},
       {0, 1},
       0},
      {"ctrl+A", [](TGrid& g) { g.SelectAll(); }, {0, 1, 2, 3, 4, 5}, {}, -1},
      {"setting the current cell outside selects it",
       [](TGrid& g) {
         g.ClickRowHeader(1, false, false);
         g.SetCurrent(3, 4);
       },
       {4},
       {3},
       4},
  };
  for (const Case& c : cases) {
    TGrid grid;
    grid.AppendRows(6);
    c.act(grid);
    EXPECT_EQ(grid.Selection().RowList(), c.rows) << c.what;
    std::vector<int> cols = c.cols;
    if (cols.empty()) {
      for (int col = 0; col < kGridColumns; ++col) cols.push_back(col);
    }
    EXPECT_EQ(grid.Selection().ColumnList(), cols) << c.what;
    EXPECT_EQ(grid.CurrentRow(), c.currentRow) << c.what;
  }
}

TEST(GridSelection, RowsThatGoLeaveTheSelectionAndTheViewIsTold) {
  struct View : IGridView {
    int told = 0;
    void SelectionChanged() override { ++told; }
  } view;
  TGrid grid;
  grid.SetView(&view);
  grid.AppendRows(5);
  grid.ClickRowHeader(2, false, false);
  grid.ClickRowHeader(4, true, false);
  EXPECT_EQ(view.told, 2);
  grid.DeleteRow(4);
  grid.DeleteRow(3);
  EXPECT_EQ(grid.Selection().RowList(), std::vector<int>{2});
  grid.Clear();
  EXPECT_TRUE(grid.Selection().Empty());
  EXPECT_TRUE(grid.SelectedRows().empty());
  EXPECT_GE(view.told, 5);
}

}  // namespace
