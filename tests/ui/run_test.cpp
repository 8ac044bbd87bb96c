// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <filesystem>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(MainForm, TarvelRunIntoAChosenFolderWritesVodTxtAndTheSong) {
  Start(kProductTarvel);
  EXPECT_EQ(view.caption, Gbk(u8"用户加歌工具(V5.0)--Tarvel版本加歌工具"));
  AddFiles({Video("情歌-歌手甲.mpg", 12800)});
  ASSERT_EQ(form.Grid().RowCount(), 1);
  EXPECT_EQ(Cell(kColNumber, 0), "0000");
  EXPECT_EQ(Cell(kColTitle, 0), Gbk(u8"情歌"));
  EXPECT_EQ(Cell(kColNewKind, 0), Gbk(u8"国语新歌"));
  EXPECT_TRUE(view.enabled[1]);

  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  fs::create_directory(dir.path() / "out");
  form.btnCompleteClick();
  view.Drain();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_EQ(view.boxes.back(),
            (ShownBox{Gbk(u8"加歌完成"), Gbk(u8"用户加歌完成"), kMsgInformation}));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod" / "660000.dat"), std::string(12800, 'v'));
  EXPECT_EQ(gbk::ToUtf8(TempDir::Read(dir.path() / "out" / "vod" / "vod.txt")),
            "情歌;歌手甲;2;QG;1114;660000;2;1;0;1;1\r\n");
}

}  // namespace

namespace {

// The run's checks refuse the grid before anything is written, every
// problem in one message, the cursor on the first.
TEST_F(MainForm, RunRefusesTooManyRowsAndTellsEveryFaultAtOnce) {
  Start(kProductOru);
  const std::string problems = Gbk(u8"不能开始加歌");
  const std::string head = Gbk(u8"以下问题改正后才能开始加歌：\r\n");
  const struct {
    std::vector<std::string> numbers;  // of rows with a video each
    int emptied;                       // the singer of this row emptied, -1 none
    ShownBox box;
    int col, row;  // the cursor afterwards
  } cases[] = {
      {{"0001", "12a4", "0002"},
       -1,
       {problems, head + Gbk(u8"第 2 行（编号 12a4）编号：编号要是4位数字\r\n"), 1},
       kColNumber,
       1},
      {{"0001", "0001", "0002"},
       -1,
       {problems,
        head + Gbk(u8"第 1 行（编号 0001）编号：与第 2 行编号相同\r\n"
                   u8"第 2 行（编号 0001）编号：与第 1 行编号相同\r\n"),
        1},
       kColNumber,
       0},
      {{"0001", "0002", "00x3"},
       0,
       {problems,
        head + Gbk(u8"第 1 行（编号 0001）歌星：不能为空\r\n"
                   u8"第 3 行（编号 00x3）编号：编号要是4位数字\r\n"),
        1},
       kColSinger,
       0},
      {std::vector<std::string>(100, "0001"),
       -1,
       {Gbk(u8"加歌错误提示"), Gbk(u8"用户加歌数量不能超过99首"), 1},
       -1,
       -1},
  };
  bool hintShown = false;
  view.onSaveHint = [&](TfrmSaveHint&) { hintShown = true; };
  const std::string video = Video("a-x.mpg");
  for (const auto& c : cases) {
    form.Grid().Clear();
    const int rows = static_cast<int>(c.numbers.size());
    for (int i = 0; i < rows; ++i) {
      form.Grid().AppendRows(1);
      form.Grid().SetCell(kColTitle, i, "a");
      form.Grid().SetCell(kColSinger, i, i == c.emptied ? "" : "x");
      form.Grid().SetCell(kColVideo, i, video);
      form.Grid().SetCell(kColNumber, i, c.numbers[static_cast<std::size_t>(i)]);
    }
    form.Grid().SetCurrent(0, -1);
    view.boxes.clear();
    form.btnCompleteClick();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(gbk::ToUtf8(view.boxes[0].text), gbk::ToUtf8(c.box.text));
    EXPECT_EQ(view.boxes[0], c.box);
    EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kRefused);
    if (c.row >= 0) {
      EXPECT_EQ(form.Grid().CurrentCol(), c.col);
      EXPECT_EQ(form.Grid().CurrentRow(), c.row);
      EXPECT_EQ(form.Grid().Mark(kColNumber, c.row).kind,
                c.col == kColNumber ? TCellMark::kInvalid : TCellMark::kNone);
    }
  }
  EXPECT_FALSE(hintShown);
}

TEST_F(MainForm, GridToSongsTurnsEachRowIntoARecordOfItsOwn) {
  Start(kProductDovan);
  AddFiles({Video("a-b.mpg"), Video("c-d.mpg")});
  form.EditCell(kColNumber, 0, " 0042 ");  // trimmed by the run
  form.EditCell(kColMedia, 0, "DVD");
  form.EditCell(kColVocal, 0, Gbk(u8"DVD 5 轨"));
  form.EditCell(kColAccomp, 1, Gbk(u8"没有的音轨"));
  form.EditCell(kColStyle, 1, Gbk(u8"没有的风景"));
  form.Grid().SetCell(kColWords, 1, "");
  // Row 2's style, a name in no list, is no style at all (not the row
  // above's): the run stops for it below. With a style it is a line.
  form.EditCell(kColStyle, 1, Gbk(u8"风景1"));
  const TStringList lines = form.ListLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(gbk::ToUtf8(lines[0]), "a;b;1;A;0;660042;1;0;5;1;0;1;1")
      << "trimmed number, DVD, accompaniment track 0, vocal track 5";
  EXPECT_EQ(gbk::ToUtf8(lines[1]), "c;d;0;C;0;660001;0;2;3;1;0;1;1")
      << "VCD, a track in no list the table's default 2, no word count 0";
  form.EditCell(kColStyle, 1, Gbk(u8"没有的风景"));

  // The empty style stops the run with the completeness error, before the
  // owner is asked where to, naming the song and the column.
  bool asked = false;
  view.onSaveHint = [&](TfrmSaveHint& h) {
    asked = true;
    h.RzButton2Click();
  };
  view.chosenFolder = dir.Gbk();
  form.btnCompleteClick();
  EXPECT_FALSE(asked);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_EQ(
      view.boxes.back(),
      (ShownBox{Gbk(u8"不能开始加歌"),
                Gbk(u8"以下问题改正后才能开始加歌：\r\n第 2 行（编号 0001）风景类型：不能为空\r\n"),
                1}));
  EXPECT_EQ(form.Grid().CurrentCol(), kColStyle);
  EXPECT_EQ(form.Grid().CurrentRow(), 1);
  EXPECT_EQ(form.Grid().Mark(kColStyle, 1).kind, TCellMark::kMissing) << "marked when edited";
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "vod"));
}

TEST_F(MainForm, WithoutAUsbDiskTheOwnerIsToldBeforeChoosingAFolderAndMayCancel) {
  Start(kProductOru);
  AddFiles({Video("a-b.mpg")});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };  // the USB disk
  std::size_t boxesWhenAsked = 0;
  view.onChooseFolder = [&] { boxesWhenAsked = view.boxes.size(); };
  view.chosenFolder.reset();  // cancelled
  form.btnCompleteClick();
  EXPECT_EQ(boxesWhenAsked, 1u) << "the notice comes first";
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0], (ShownBox{Gbk(u8"查找U盘"), Gbk(u8"没有找到U盘"), kMsgWarning}));
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kRefused);
}

TEST_F(MainForm, RunOntoTheUsbDiskAndTheLowSpaceDialogNamesTheMountPoint) {
  Start(kProductMirel);
  AddFiles({Video("a-b.mpg", 12800)});
  env.volumes = {dir.Gbk() + "usb/"};
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
  std::vector<std::string> labels;
  view.onDiskFree = [&](TfrmDiskFree& d) { labels = {d.Label5, d.Label3, d.Label2, d.Label4}; };
  env.freeBytes = 4096;
  env.volumeOf = "/media/usb/";
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kLowSpace);
  EXPECT_EQ(labels, (std::vector<std::string>{Gbk(u8"/media/usb 盘可用空间不足,请删除部分歌曲"),
                                              "0M", Gbk(u8"/media/usb 盘可用空间:"), "0M"}));
  EXPECT_TRUE(view.enabled[0] && view.enabled[1] && view.enabled[2]);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "usb" / "vod" / "vod.txt"));

  env.freeBytes.reset();
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(TempDir::Read(dir.path() / "usb" / "vod" / "660000.dat"), std::string(12800, 'v'));
  ASSERT_FALSE(view.panels.empty());
  EXPECT_FALSE(view.panels.back().visible);
  const auto shown = std::find_if(view.panels.begin(), view.panels.end(),
                                  [](const TCopyPanel& p) { return p.percent == 80; });
  ASSERT_NE(shown, view.panels.end());
  EXPECT_EQ(Slashes(shown->to), Slashes(dir.Gbk() + "usb/vod/660000.dat"));
  EXPECT_EQ(shown->song, 1);
  EXPECT_EQ(shown->overall, 80);
}

TEST_F(MainForm, FailedOrCancelledCopyTellsWhatIsWhereAndNeverThatItIsDone) {
  const struct {
    const char* why;
    bool cancel;
    int kind;
  } cases[] = {{"a write fails in the second song", false, 1},
               {"the user cancels in the second song", true, 0}};
  for (const auto& c : cases) {
    Window w(&env);
    auto& [v, f] = w;
    w.Start(kProductOru);
    w.AddFiles({Video("a-x.mpg", 10), Video("b-x.mpg", 20000), Video("c-x.mpg", 10)});
    v.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    v.chosenFolder = dir.Gbk() + c.why;
    std::filesystem::create_directories(dir.path() / c.why);
    bool clicked = false;
    if (c.cancel) {
      v.onProcess = [&] {
        if (!clicked && !v.panels.empty() && v.panels.back().song == 2 &&
            v.panels.back().percent > 0) {
          f.CancelCopy();  // one click
          clicked = true;
        }
      };
    } else {
      env.failWriteAfter = 12000;
    }
    f.btnCompleteClick();
    env.failWriteAfter.reset();
    EXPECT_EQ(f.LastRun(), TfrmMain::TRunResult::kFailed) << c.why;
    ASSERT_EQ(v.boxes.size(), 1u) << c.why;
    EXPECT_EQ(v.boxes[0].caption, Gbk(u8"加歌未完成"));
    EXPECT_EQ(v.boxes[0].kind, c.kind);
    const std::string text = gbk::ToUtf8(v.boxes[0].text);
    EXPECT_NE(text.find("660001 b"), std::string::npos) << text;
    EXPECT_NE(text.find("已复制并列入歌曲列表的歌曲：660000\r\n没有复制的歌曲：660001 660002"),
              std::string::npos)
        << text;
    const auto out = dir.path() / c.why / "vod";
    EXPECT_EQ(TempDir::Read(out / "vod.txt"), "a;x;1;A;660000;2;1;8;1;1\r\n") << c.why;
    EXPECT_FALSE(std::filesystem::exists(out / "660001.dat"));
    EXPECT_TRUE(v.enabled[0] && v.enabled[2]) << "the window is usable again";
  }
}

TEST_F(MainForm, NoSecondAddDeleteClearOrRunStartsWhileALoopRuns) {
  Start(kProductOru);
  AddFiles({Video("a-b.mpg")});
  int nested = 0;
  view.onProcess = [&] {
    view.onProcess = nullptr;  // once: act as a user clicking meanwhile
    form.Grid().SetCurrent(kColTitle, 0);
    form.N1Click();
    form.N2Click();
    form.btnCompleteClick();
    ++nested;
  };
  bool added = false;
  view.onAddNewSong = [&](TfrmAddNewSong&) { added = true; };
  form.UpdateTotalSize();  // a loop that lets the message loop run
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(form.Grid().RowCount(), 1);
  EXPECT_TRUE(view.boxes.empty());
  view.onProcess = [&] {
    view.onProcess = nullptr;
    form.btnAddClick();
  };
  AddFiles({Video("c-d.mpg")});
  EXPECT_FALSE(added) << "no second new-song dialog during the first";
}

}  // namespace

namespace {

TEST_F(MainForm, ClosingDuringACopyAsksThenCancelsAndClosesWhenTheRunHasEnded) {
  Start(kProductOru);
  AddFiles({Video("a-b.mpg", 20000), Video("c-d.mpg", 20000)});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk();
  bool allowed = true;
  view.onProcess = [&] {
    if (!view.panels.empty() && view.panels.back().visible && view.panels.back().percent > 0) {
      view.onProcess = nullptr;
      allowed = form.FormCloseQuery();
    }
  };
  EXPECT_TRUE(form.FormCloseQuery()) << "no copy: the window may close";
  view.questions.clear();
  form.btnCompleteClick();
  EXPECT_FALSE(allowed) << "not in the middle of a copy";
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kFailed);
  EXPECT_TRUE(view.closed) << "closed once the run ended, without asking again";
  ASSERT_EQ(view.questions.size(), 1u) << "asked once";
  EXPECT_EQ(view.questions[0].id, TQuestion::Id::kCloseDuringCopy);
  ASSERT_EQ(view.boxes.size(), 1u) << "what was copied is told before the window closes";
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("没有复制的歌曲"), std::string::npos);
}

}  // namespace
