// The owner's name order, songs caught twice and doubtful derived cells.
#include "ui_fixture.h"

namespace {

TEST_F(MainForm, NameOrderIsTheDialogsChoiceKeptForNextTimeAndForRowsAlreadyAdded) {
  Start(1);
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
  EXPECT_EQ(form.lvList.Mark(kColSinger, 1), first);
  EXPECT_EQ(form.lvList.Mark(kColTitle, 0).kind, TCellMark::kDuplicate);
  EXPECT_EQ(form.lvList.Mark(kColTitle, 2), TMark{});

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
  EXPECT_EQ(form.lvList.Mark(kColSinger, 1), TMark{});
  EXPECT_EQ(form.lvList.Mark(kColTitle, 0), TMark{});
}

TEST_F(MainForm, DerivedCellsOfCharactersOurTablesLackAreMarkedUntilTheOwnerTypesThem) {
  Start(2);
  AddFiles({Video("丆さ海-x.mpg")});
  EXPECT_EQ(form.lvList.Mark(kColPinyin, 0),
            (TMark{TCellMark::kDoubtful, Gbk(u8"这些字没有拼音，请核对：丆さ")}));
  EXPECT_EQ(form.lvList.Mark(kColStrokes, 0).tip, Gbk(u8"这些字没有笔划数，请核对：さ"));
  form.EditCell(kColPinyin, 0, "ASH");
  EXPECT_EQ(form.lvList.Mark(kColPinyin, 0), TMark{});
  form.EditCell(kColTitle, 0, Gbk(u8"海"));
  EXPECT_EQ(form.lvList.Mark(kColStrokes, 0), TMark{});
}

}  // namespace
