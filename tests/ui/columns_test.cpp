// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's columns as the owner uses them: what a drop-down offers is what
// the list stores and the jukebox reads back, for every product line.
#include <filesystem>

#include "formats/product_lines.h"
#include "ui_fixture.h"

namespace {

// The cells of every shown drop-down column of row 0.
std::map<int, std::string> DropDownCells(const TGrid& grid) {
  std::map<int, std::string> cells;
  for (int col = 0; col < kGridColumns; ++col) {
    const TGridColumn& c = grid.Column(col);
    if (c.visible && c.kind == TColumnKind::kDropDown) cells[col] = grid.Cell(col, 0);
  }
  return cells;
}

TEST_F(MainForm, EveryChoiceOfEveryListIsWrittenAndReadBackAsTheSameName) {
  for (const TProductLineInfo& product : ProductLines()) {
    // Each list's last name (for Dovan: with the media type DVD, so that the
    // track lists are the DVD tracks), written by a run and opened again.
    Window w(&env);
    w.Start(product.code);
    w.AddFiles({Video("a-b.mpg")});
    TGrid& grid = w.form.Grid();
    if (grid.Column(kColMedia).visible) w.form.EditCell(kColMedia, 0, "DVD");
    for (const auto& [col, cell] : DropDownCells(grid)) {
      if (col == kColMedia) continue;
      ASSERT_FALSE(grid.Column(col).items.empty()) << product.name << ", column " << col;
      w.form.EditCell(col, 0, grid.Column(col).items.back());
    }
    const std::map<int, std::string> chosen = DropDownCells(grid);
    w.view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    w.view.chosenFolder = dir.Gbk() + product.consoleName;
    w.form.btnCompleteClick();
    ASSERT_EQ(w.form.LastRun(), TfrmMain::TRunResult::kDone) << product.name;

    Window opened(&env);
    opened.view.chosenFile = dir.Gbk() + product.consoleName + "/vod/vod.txt";
    opened.view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
    opened.form.FormCreate();
    opened.view.Drain();
    ASSERT_EQ(opened.form.Grid().RowCount(), 1) << product.name;
    EXPECT_EQ(DropDownCells(opened.form.Grid()), chosen) << product.name;
  }
}

TEST_F(MainForm, TheOwnerCannotEditTheFolderNorTheVideoFileColumn) {
  Start(kProductOru);
  AddFiles({Video("a-b.mpg")});
  const std::string video = Cell(kColVideo, 0);
  form.EditCell(kColFolder, 0, "77");
  form.EditCell(kColVideo, 0, "/elsewhere.mpg");
  EXPECT_EQ(Cell(kColFolder, 0), "66");
  EXPECT_EQ(Cell(kColVideo, 0), video);
}

}  // namespace
