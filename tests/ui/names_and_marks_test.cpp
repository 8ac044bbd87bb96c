// The owner's name order, songs caught twice and doubtful derived cells.
#include "ui_fixture.h"

namespace {

TEST_F(MainForm, NameOrderIsTheDialogsChoiceKeptForNextTimeAndForRowsAlreadyAdded) {
  Start(1);
  std::vector<TNameOrder> offered;
  auto addWith = [&](TNameOrder order, const std::string& file) {
    view.chosenFiles = std::vector<std::string>{file};
    view.onAddNewSong = [&, order](TfrmAddNewSong& d) {
      offered.push_back(d.FNameOrder);
      d.rbNameOrderClick(order);
      d.btnFileClick();
    };
    form.btnAddClick();
    view.Drain();
  };
  addWith(TNameOrder::kSingerTitle, Video("01.张学友-吻别.mpg"));
  addWith(TNameOrder::kTitleSinger, Video("甜蜜蜜 - 邓丽君.mpg"));
  form.SetNameOrder(TNameOrder::kSingerTitle);  // as remembered by a front end
  form.AddDroppedFiles({Video("王菲-红豆.mpg")});
  view.Drain();
  EXPECT_EQ(offered, (std::vector<TNameOrder>{TNameOrder::kTitleSinger, TNameOrder::kSingerTitle}));
  const std::pair<const char8_t*, const char8_t*> rows[] = {
      {u8"吻别", u8"张学友"}, {u8"甜蜜蜜", u8"邓丽君"}, {u8"红豆", u8"王菲"}};
  ASSERT_EQ(form.lvList.RowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Cell(kColTitle, row), Gbk(rows[row].first)) << row;
    EXPECT_EQ(Cell(kColSinger, row), Gbk(rows[row].second)) << row;
  }
}

TEST_F(MainForm, SongsCaughtTwiceAreMarkedWithTheOtherRowUntilTheyDiffer) {
  Start(1);
  dir.Write("other/" + std::string("月亮-邓丽君.mpg"), std::string(10, 'v'));
  AddFiles({Video("月亮-邓丽君.mpg"), Video("海风-林一.mpg"), Video("月亮-邓丽君.avi"),
            gbk::FromUtf8((dir.path() / "other" / "月亮-邓丽君.mpg").string())});
  auto mark = [&](int col, int row) { return form.lvList.Mark(col, row); };
  const TMark first{TCellMark::kDuplicate, Gbk(u8"与第 1 行（编号 0000）是同一首歌")};
  const TMark third{TCellMark::kDuplicate, Gbk(u8"与第 3 行（编号 0002）是同一首歌")};
  EXPECT_EQ(mark(kColTitle, 0), third);
  EXPECT_EQ(mark(kColSinger, 0), third);
  EXPECT_EQ(mark(kColTitle, 1), TMark{});
  EXPECT_EQ(mark(kColTitle, 2), first);
  EXPECT_EQ(mark(kColTitle, 3), first);
  // The copy of the first video in another folder.
  EXPECT_EQ(mark(kColVideo, 0).kind, TCellMark::kDuplicate);
  EXPECT_EQ(mark(kColVideo, 3),
            (TMark{TCellMark::kDuplicate, Gbk(u8"与第 1 行（编号 0000）是同一个视频文件")}));
  EXPECT_EQ(mark(kColVideo, 2), TMark{});

  form.EditCell(kColSinger, 2, Gbk(u8"张学友"));
  form.lvList.SetCurrent(kColTitle, 3);
  form.N1Click();
  for (int row = 0; row < form.lvList.RowCount(); ++row) {
    for (int col : {kColTitle, kColSinger, kColVideo}) {
      EXPECT_EQ(mark(col, row), TMark{}) << col << "," << row;
    }
  }
}

TEST_F(MainForm, ASongAlreadyOnTheStickIsCaughtWithTheDuetsSingersInAnyOrder) {
  dir.Write("stick/vod/vod.txt", Gbk(u8"月亮;邓丽君&张学友;2;YL;660001;2;1;8;1;1\r\n"));
  view.chosenFile = gbk::FromUtf8((dir.path() / "stick" / "vod" / "vod.txt").string());
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  AddFiles({Video("月亮 - 张学友、邓丽君.mpg")});
  ASSERT_EQ(form.lvList.RowCount(), 2);
  EXPECT_EQ(form.lvList.Mark(kColTitle, 0).kind, TCellMark::kDuplicate);
  EXPECT_EQ(form.lvList.Mark(kColSinger, 1).tip, Gbk(u8"与第 1 行（编号 0001）是同一首歌"));
}

TEST_F(MainForm, TheRunAsksAboutSongsCaughtTwiceAndCancellingWritesNothing) {
  Start(1);
  AddFiles({Video("月亮-邓丽君.mpg"), Video("月亮-邓丽君.avi"), Video("海风-林一.mpg")});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  view.answers[TQuestion::Id::kDuplicates] = 1;
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kRefused);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out" / "vod"));
  ASSERT_EQ(view.questions.size(), 1u);
  const TQuestion& asked = view.questions.back();
  EXPECT_EQ(asked.id, TQuestion::Id::kDuplicates);
  EXPECT_NE(asked.text.find(Gbk(u8"第 1 行（编号 0000）月亮-邓丽君 与第 2 行重复")),
            std::string::npos);
  EXPECT_NE(asked.text.find(Gbk(u8"第 2 行（编号 0001）月亮-邓丽君 与第 1 行重复")),
            std::string::npos);
  EXPECT_EQ(asked.text.find(Gbk(u8"海风")), std::string::npos);

  view.answers[TQuestion::Id::kDuplicates] = 0;
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
}

TEST_F(MainForm, DerivedCellsOfCharactersOurTablesLackAreMarkedUntilTheOwnerTypesThem) {
  Start(2);
  AddFiles({Video("丆さ海-x.mpg"), Video("海风-x.mpg")});
  EXPECT_EQ(form.lvList.Mark(kColPinyin, 0),
            (TMark{TCellMark::kDoubtful, Gbk(u8"这些字没有拼音，请核对：丆さ")}));
  EXPECT_EQ(form.lvList.Mark(kColStrokes, 0),
            (TMark{TCellMark::kDoubtful, Gbk(u8"这些字没有笔划数，请核对：さ")}));
  EXPECT_EQ(form.lvList.Mark(kColPinyin, 1), TMark{});
  form.EditCell(kColPinyin, 0, "ASH");
  EXPECT_EQ(form.lvList.Mark(kColPinyin, 0), TMark{});
  EXPECT_EQ(form.lvList.Mark(kColStrokes, 0).kind, TCellMark::kDoubtful);
  form.EditCell(kColTitle, 0, Gbk(u8"海"));
  EXPECT_EQ(form.lvList.Mark(kColStrokes, 0), TMark{});
}

}  // namespace
