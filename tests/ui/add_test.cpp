// SPDX-License-Identifier: GPL-3.0-or-later
// Adding songs from video files: numbering from the new-song dialog, the
// dialog's number box, and what a new row holds per product line.
#include "ui_fixture.h"

namespace {

std::vector<std::string> Numbers(const TGrid& grid) {
  std::vector<std::string> numbers;
  for (int row = 0; row < grid.RowCount(); ++row) numbers.push_back(grid.Cell(kColNumber, row));
  return numbers;
}

TEST_F(MainForm, FilesAreNumberedFromTheDialogsNumber) {
  Start(kProductOru);
  const std::string a = Video("a-x.mpg"), b = Video("b-x.mpg"), c = Video("c-x.mpg");
  AddFiles({a, b});
  EXPECT_EQ(Numbers(form.Grid()), (std::vector<std::string>{"0000", "0001"}));
  AddFiles({Video("d-x.mpg"), Video("e-x.mpg"), Video("f-x.mpg")}, "0100");
  EXPECT_EQ(Numbers(form.Grid()),
            (std::vector<std::string>{"0000", "0001", "0100", "0101", "0102"}));
  // Cancelled after typing 0500: nothing added, 0500 is the next proposal.
  view.chosenFiles.reset();
  view.onAddNewSong = [](TfrmAddNewSong& d) {
    d.edtNumChange("0500");
    d.btnFileClick();
  };
  form.btnAddClick();
  EXPECT_EQ(form.Grid().RowCount(), 5);
  view.numberTexts.clear();
  AddFiles({c});
  EXPECT_EQ(view.numberTexts, std::vector<std::string>{"0500"});
  // After 9999 comes 0000.
  AddFiles({Video("g-x.mpg"), Video("h-x.mpg")}, "9999");
  EXPECT_EQ(form.Grid().Cell(kColNumber, 6), "9999");
  EXPECT_EQ(form.Grid().Cell(kColNumber, 7), "0000");
  // The next file dialog opens where the last file was chosen.
  EXPECT_EQ(Slashes(view.foldersOffered.back()), Slashes(dir.Gbk() + "src/"));
}

TEST_F(MainForm, NumberBoxKeepsFourDigitsAndRefusesShorterOnLeaving) {
  TfrmAddNewSong dialog;
  dialog.SetView(&view);
  dialog.FNumber = "0007";
  dialog.FormActivate();
  EXPECT_EQ(dialog.edtNum, "0007");
  for (char key : {'0', '9', '\b', '\r'}) EXPECT_TRUE(TfrmAddNewSong::edtNumKeyPress(key));
  for (char key : {'a', '-', ' ', '\x81'}) EXPECT_FALSE(TfrmAddNewSong::edtNumKeyPress(key));
  dialog.edtNumChange("12");
  dialog.edtNumExit();
  EXPECT_EQ(dialog.FNumber, "0007") << "a short number never reaches FNumber";
  EXPECT_EQ(view.plainMessages, std::vector<std::string>{Gbk(u8"歌曲编号错误，长度必须是4位")});
  EXPECT_EQ(view.numberFocused, 1);
  dialog.edtNumChange("1234");
  dialog.edtNumExit();
  EXPECT_EQ(dialog.FNumber, "1234");
  EXPECT_EQ(view.plainMessages.size(), 1u);
}

TEST_F(MainForm, NewRowsHoldTheProductLinesDefaults) {
  const std::string file = "/v/" + Gbk(u8"情歌-歌手甲.mpg");
  env.fakeSizes[file] = 1;
  using Row = std::vector<std::pair<int, std::string>>;
  const struct {
    std::uint8_t product;
    Row cells;
  } cases[] = {
      {kProductOru,
       {{kColAccomp, Gbk(u8"VCD伴唱")},
        {kColLanguage, Gbk(u8"国语")},
        {kColCategory, Gbk(u8"抒情歌曲")},
        {kColNewFlag, "1"},
        {kColRankFlag, "1"}}},
      {kProductTarvel,
       {{kColStrokes, "1114"},
        {kColCategory, Gbk(u8"未知")},
        {kColNewKind, Gbk(u8"国语新歌")},
        {kColRankKind, Gbk(u8"新歌排行")},
        {kColNewFlag, "0"}}},
      {kProductMirel, {{kColCategory, Gbk(u8"未知")}, {kColNewFlag, "1"}, {kColRankFlag, "0"}}},
      {kProductDovan,
       {{kColMedia, "VCD"},
        {kColAccomp, Gbk(u8"VCD伴唱")},
        {kColVocal, Gbk(u8"VCD原唱")},
        {kColStyle, Gbk(u8"风景1")},
        {kColCategory, Gbk(u8"未知")},
        {kColNewFlag, "1"}}},
  };
  for (const auto& c : cases) {
    Window w(&env);
    auto& [v, f] = w;
    w.Start(c.product);
    f.AddSongFile(file);
    ASSERT_EQ(f.Grid().RowCount(), 1);
    EXPECT_EQ(f.Grid().Cell(kColFolder, 0), "66");
    EXPECT_EQ(f.Grid().Cell(kColTitle, 0), Gbk(u8"情歌"));
    EXPECT_EQ(f.Grid().Cell(kColSinger, 0), Gbk(u8"歌手甲"));
    EXPECT_EQ(f.Grid().Cell(kColPinyin, 0), "QG");
    EXPECT_EQ(f.Grid().Cell(kColWords, 0), "2");
    EXPECT_EQ(f.Grid().Cell(kColVideo, 0), file);
    for (const auto& [col, text] : c.cells) {
      EXPECT_EQ(f.Grid().Cell(col, 0), text) << "product " << int(c.product) << " column " << col;
    }
    EXPECT_EQ(v.Queue().back().message, WM_SONGCOUNT);
    EXPECT_EQ(v.Queue().back().lparam, 1);
  }
}

}  // namespace

namespace {

TEST_F(MainForm, DroppedFilesAreAddedWithTheProposedNumbers) {
  Start(kProductTarvel);
  AddFiles({Video("a-x.mpg")}, "0041");
  form.AddDroppedFiles({Video("b-x.mpg"), Video("c-x.mpg")});
  view.Drain();
  EXPECT_EQ(Numbers(form.Grid()), (std::vector<std::string>{"0041", "0042", "0043"}));
  EXPECT_EQ(Slashes(form.SourceFolder()), Slashes(dir.Gbk() + "src/"));
  EXPECT_EQ(view.status.substr(0, view.status.find(',')), Gbk(u8"您目前已加入 3 首歌曲"));
}

}  // namespace
