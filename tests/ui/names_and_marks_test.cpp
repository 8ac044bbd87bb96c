// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's name order, songs caught twice and doubtful derived cells.
#include "ui/duplicates.h"
#include "ui_fixture.h"

namespace {

TEST(FindTwins, SameSongOrSameVideoNamesTheFirstOtherRow) {
  const std::string moon = Gbk(u8"月亮"), teng = Gbk(u8"邓丽君"), zhang = Gbk(u8"张学友");
  const std::string duet = zhang + "&" + teng;
  // Every video is 10 bytes but these two (one of which cannot be told).
  auto sizeOf = [](const std::string& path) -> std::int64_t {
    return path == "/c/x.mpg" ? 11 : path == "/d/x.mpg" ? -1 : 10;
  };
  struct Case {
    const char* why;
    std::vector<TSongOfRow> rows;
    std::vector<TTwinOf> twins;
  };
  const Case cases[] = {
      {"blanks around either", {{moon, teng, ""}, {" " + moon, teng + " ", ""}}, {{1}, {0}}},
      {"a duet's singers in any order, at every separator",
       {{moon, duet, ""},
        {moon, teng + " / " + zhang, ""},
        {moon, teng + Gbk(u8"、") + zhang, ""},
        {moon, teng + Gbk(u8"＆") + zhang, ""}},
       {{1}, {0}, {0}, {0}}},
      {"one singer of a duet is another song", {{moon, duet, ""}, {moon, teng, ""}}, {{}, {}}},
      {"an empty title repeats nothing", {{"", teng, ""}, {" ", teng, ""}}, {{}, {}}},
      {"loaded rows (no video) count",
       {{moon, teng, ""}, {"b", "c", "/a/y.mpg"}, {moon, teng, "/a/x.mpg"}},
       {{2}, {}, {0}}},
      {"same path", {{"a", "b", "/a/x.mpg"}, {"c", "d", " /a/x.mpg"}}, {{-1, 1}, {-1, 0}}},
      {"same name and size in two folders",
       {{"a", "b", "/a/x.mpg"}, {"a", "b", "/b/X.MPG"}},
       {{1, 1}, {0, 0}}},
      {"same name, other or unknown size",
       {{"a", "b", "/a/x.mpg"}, {"c", "d", "/c/x.mpg"}, {"e", "f", "/d/x.mpg"}},
       {{}, {}, {}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindTwins(c.rows, sizeOf), c.twins) << c.why;
  }
}

TEST_F(MainForm, NameOrderIsTheDialogsChoiceKeptForNextTimeAndForRowsAlreadyAdded) {
  Start(kProductOru);
  view.chosenFiles = std::vector<std::string>{Video("01.张学友-吻别.mpg")};
  view.onAddNewSong = [](TfrmAddNewSong& d) {
    d.rbNameOrderClick(TNameOrder::kSingerTitle);
    d.btnFileClick();
  };
  form.btnAddClick();
  EXPECT_EQ(form.NameOrder(), TNameOrder::kSingerTitle);
  form.SetNameOrder(TNameOrder::kTitleSinger);
  form.AddDroppedFiles({Video("甜蜜蜜 - 邓丽君.mpg")});
  const char8_t* cells[][2] = {{u8"吻别", u8"张学友"}, {u8"甜蜜蜜", u8"邓丽君"}};
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(Cell(kColTitle, row), Gbk(cells[row][0])) << row;
    EXPECT_EQ(Cell(kColSinger, row), Gbk(cells[row][1])) << row;
  }
}

TEST_F(MainForm, SongsCaughtTwiceLoadedOnesIncludedAreMarkedUntilTheyDifferAndAskedAboutInTheRun) {
  dir.Write("stick/vod/vod.txt", Gbk(u8"月亮;邓丽君&张学友;2;YL;660001;2;1;8;1;1\r\n"));
  view.chosenFile = gbk::FromUtf8((dir.path() / "stick" / "vod" / "vod.txt").string());
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  AddFiles({Video("月亮 - 张学友、邓丽君.mpg"), Video("海风-林一.mpg")});
  const TMark first{TCellMark::kDuplicate, Gbk(u8"与第 1 行（编号 0001）是同一首歌")};
  EXPECT_EQ(form.Grid().Mark(kColSinger, 1), first);
  EXPECT_EQ(form.Grid().Mark(kColTitle, 0).kind, TCellMark::kDuplicate);
  EXPECT_EQ(form.Grid().Mark(kColTitle, 2), TMark{});

  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  view.answers[TQuestion::Id::kDuplicates] = 1;
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kRefused);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out" / "vod"));
  ASSERT_FALSE(view.questions.empty());
  ASSERT_EQ(view.questions.back().id, TQuestion::Id::kDuplicates);
  EXPECT_NE(
      view.questions.back().text.find(Gbk(u8"第 2 行（编号 0002）月亮-张学友、邓丽君 与第 1 行")),
      std::string::npos);

  form.EditCell(kColSinger, 1, Gbk(u8"张学友"));
  EXPECT_EQ(form.Grid().Mark(kColSinger, 1), TMark{});
  EXPECT_EQ(form.Grid().Mark(kColTitle, 0), TMark{});
}

}  // namespace

namespace {

TEST(GridTip, SaysWhyTheCellIsMarkedThenATextCellsWholeText) {
  TGrid grid;
  grid.AppendRows(1);
  const std::string title = Gbk(u8"月亮代表我的心"), why = Gbk(u8"缺少");
  grid.SetCell(kColTitle, 0, title);
  const struct {
    int col, row;
    TCellMark mark;
    std::string tip;
  } cases[] = {
      {kColTitle, 0, TCellMark::kNone, title},
      {kColTitle, 0, TCellMark::kMissing, why + "\n" + title},
      {kColSinger, 0, TCellMark::kMissing, why},  // an empty text cell: only why
      {kColSinger, 0, TCellMark::kNone, ""},
      {kColWords, 0, TCellMark::kNone, ""},  // "0": not a text column
      {kColWords, 0, TCellMark::kDoubtful, why},
      {kColNewFlag, 0, TCellMark::kNone, ""},
      {kColTitle, 1, TCellMark::kNone, ""},  // outside the grid
      {kGridColumns, 0, TCellMark::kNone, ""},
  };
  for (const auto& c : cases) {
    grid.SetMark(c.col, c.row, c.mark, why);
    EXPECT_EQ(grid.Tip(c.col, c.row), c.tip) << c.col << "," << c.row;
  }
}

}  // namespace
