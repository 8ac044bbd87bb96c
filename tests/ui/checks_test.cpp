// SPDX-License-Identifier: GPL-3.0-or-later
// Every problem is found where it enters or before the owner is asked where
// the songs go, and pointed at; nothing is lost by one click.
#include <filesystem>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(MainForm, TheRunChecksEverySongBeforeAskingWhereToAndPointsAtTheEmptyCell) {
  struct Case {
    std::uint8_t product;
    int col;              // emptied in the second row
    const char8_t* says;  // the line of the problem
  };
  const Case cases[] = {
      {kProductOru, kColSinger, u8"第 2 行（编号 0001）歌星：不能为空\r\n"},
      {kProductOru, kColPinyin, u8"第 2 行（编号 0001）拼音：不能为空\r\n"},
      {kProductTarvel, kColStrokes, u8"第 2 行（编号 0001）笔划：不能为空\r\n"},
      {kProductMirel, kColStrokes, u8"第 2 行（编号 0001）笔划：不能为空\r\n"},
      {kProductDovan, kColStyle, u8"第 2 行（编号 0001）风景类型：不能为空\r\n"},
  };
  for (const Case& c : cases) {
    TestEnv e;
    Window w(&e);
    w.Start(c.product);
    w.AddFiles({Video("a-x.mpg"), Video("b-x.mpg")});
    w.form.EditCell(c.col, 1, c.col == kColStyle ? Gbk(u8"没有的风景") : "");
    EXPECT_EQ(w.form.Grid().Mark(c.col, 1).kind, TCellMark::kMissing) << c.col;
    EXPECT_EQ(w.form.Grid().Mark(c.col, 0).kind, TCellMark::kNone) << c.col;
    bool asked = false;
    w.view.onSaveHint = [&](TfrmSaveHint& h) {
      asked = true;
      h.RzButton2Click();
    };
    w.view.chosenFolder = dir.Gbk() + "out";
    w.form.btnCompleteClick();
    EXPECT_FALSE(asked) << c.col;
    ASSERT_EQ(w.view.boxes.size(), 1u) << c.col;
    EXPECT_EQ(w.view.boxes[0].caption, Gbk(u8"不能开始加歌"));
    EXPECT_EQ(w.view.boxes[0].text, Gbk(u8"以下问题改正后才能开始加歌：\r\n") + Gbk(c.says));
    EXPECT_EQ(w.form.Grid().CurrentCol(), c.col);
    EXPECT_EQ(w.form.Grid().CurrentRow(), 1);
    EXPECT_FALSE(fs::exists(dir.path() / "out")) << "nothing written anywhere";
  }
}

TEST_F(MainForm, ADovanSongTooLongForTheJukeboxIsRefusedByNameNeverCut) {
  Start(kProductDovan);
  AddFiles({Video("a-x.mpg")});
  std::string title;
  for (int i = 0; i < 700; ++i) title += Gbk(u8"河");
  form.EditCell(kColTitle, 0, title);
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  form.btnCompleteClick();
  ASSERT_EQ(view.boxes.size(), 1u);
  const std::string said = gbk::ToUtf8(view.boxes[0].text);
  EXPECT_NE(said.find("歌曲 660000"), std::string::npos) << said;
  EXPECT_NE(said.find("第 1 行（编号 0000，a-x.mpg）"), std::string::npos) << said;
  EXPECT_FALSE(fs::exists(dir.path() / "out"));
}

TEST_F(MainForm, OnlyVideosGoInEachOnceAndAFolderGivesItsVideosInNameOrder) {
  Start(kProductOru);
  const std::string a = Video("a-x.mpg");
  dir.Write("src/lyrics.txt", "words");
  dir.Write("src/videos2/b-x.MP4", "v");
  dir.Write("src/videos2/a-y.avi", "v");
  dir.Write("src/videos2/notes.doc", "n");
  const std::string folder = gbk::FromUtf8((dir.path() / "src" / "videos2").string());
  const std::string lyrics = gbk::FromUtf8((dir.path() / "src" / "lyrics.txt").string());
  const std::string semicolon = Video("a;b-x.mpg");
  // No FAT32 stick holds a file of 4 GiB; one byte less still goes.
  const std::string huge = Video("huge-x.mpg"), largest = Video("largest-x.mpg");
  env.fakeSizes[huge] = std::int64_t{4} << 30;
  env.fakeSizes[largest] = (std::int64_t{4} << 30) - 1;
  form.AddDroppedFiles({a, lyrics, folder, a, semicolon, huge, largest});
  ASSERT_EQ(form.Grid().RowCount(), 4);
  EXPECT_EQ(Cell(kColTitle, 0), "a");
  EXPECT_EQ(Cell(kColTitle, 1), "a") << "a-y.avi before b-x.MP4";
  EXPECT_EQ(Cell(kColSinger, 1), "y");
  EXPECT_EQ(Cell(kColTitle, 2), "b");
  EXPECT_EQ(Cell(kColTitle, 3), "largest");
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(gbk::ToUtf8(view.boxes[0].text),
            "以下文件没有添加：\r\nlyrics.txt（不是视频文件）\r\na-x.mpg（已经添加过）\r\n"
            "a;b-x.mpg（文件名中的歌名或歌星含有分号（;）或控制字符）\r\n"
            "huge-x.mpg（文件有 4.00G，太大：点歌机读的 FAT32 格式U盘放不下 4G 以上的文件）\r\n");
  // Through the new-song dialog the same: the file already there is refused.
  view.boxes.clear();
  AddFiles({a, Video("c-x.mpg")});
  EXPECT_EQ(form.Grid().RowCount(), 5);
  EXPECT_EQ(view.boxes.size(), 1u);
}

TEST_F(MainForm, MoreThan99RowsAreRefusedWhenAddedAndTextThatBreaksVodTxtWhereTyped) {
  Start(kProductOru);
  std::vector<std::string> files;
  for (int i = 0; i < 99; ++i) files.push_back(Video("s" + std::to_string(i) + "-x.mpg"));
  AddFiles(files);
  EXPECT_EQ(form.Grid().RowCount(), 99);
  AddFiles({Video("one-more.mpg")});
  EXPECT_EQ(form.Grid().RowCount(), 99);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_EQ(view.boxes.back(),
            (ShownBox{Gbk(u8"加歌错误提示"), Gbk(u8"用户加歌数量不能超过99首"), 1}));

  const std::string kept = Cell(kColTitle, 0);
  for (const std::string& typed : {std::string("a;b"), std::string("a\nb"), std::string("a\tb"),
                                   std::string("a\0b", 3), std::string("\r")}) {
    view.boxes.clear();
    form.EditCell(kColTitle, 0, typed);
    EXPECT_EQ(Cell(kColTitle, 0), kept) << "nothing stored";
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("不能含有分号"), std::string::npos);
  }
}

TEST_F(MainForm, ClearingAndClosingWithSongsNotCopiedAskFirst) {
  Start(kProductOru);
  EXPECT_TRUE(form.FormCloseQuery()) << "an empty grid closes";
  AddFiles({Video("a-x.mpg")});
  view.answers[TQuestion::Id::kClearGrid] = 1;
  form.N2Click();
  EXPECT_EQ(form.Grid().RowCount(), 1) << "no: nothing cleared";
  view.answers[TQuestion::Id::kCloseUncopied] = 1;
  EXPECT_FALSE(form.FormCloseQuery());
  view.answers[TQuestion::Id::kCloseUncopied] = 0;
  EXPECT_TRUE(form.FormCloseQuery());

  // Copied by a run that ended done: closing asks nothing, until a change.
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  form.btnCompleteClick();
  ASSERT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  view.questions.clear();
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_TRUE(view.questions.empty());
  form.EditCell(kColSinger, 0, "y");
  view.answers[TQuestion::Id::kCloseUncopied] = 1;
  EXPECT_FALSE(form.FormCloseQuery());

  view.answers[TQuestion::Id::kClearGrid] = 0;
  form.N2Click();
  EXPECT_EQ(form.Grid().RowCount(), 0);
  EXPECT_EQ(view.questions.back().id, TQuestion::Id::kClearGrid);
}

TEST_F(MainForm, ClosingTheSaveHintCancelsTheRunAndAUsbRunSaysTheStickMayGo) {
  Start(kProductOru);
  AddFiles({Video("a-x.mpg")});
  env.volumes = {dir.Gbk() + "usb/"};
  fs::create_directory(dir.path() / "usb");
  view.onSaveHint = [](TfrmSaveHint&) {};  // closed without a button
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kRefused);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(fs::is_empty(dir.path() / "usb"));

  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
  form.btnCompleteClick();
  ASSERT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(
      view.boxes.back(),
      (ShownBox{Gbk(u8"加歌完成"), Gbk(u8"用户加歌完成\r\n现在可以拔下U盘了。"), kMsgInformation}));
}

}  // namespace
