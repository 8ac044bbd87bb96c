// SPDX-License-Identifier: GPL-3.0-or-later
// The stick as the owner's library, week after week: what it holds is shown
// before anything is written, the cap counts what a run adds, a stopped run
// goes on where it stopped, deleted songs leave the stick, numbers follow
// the highest, and the stick's own vod folder is understood.
#include <filesystem>
#include <set>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

// An ORU line of song number n ("title;singer;...;66NNNN;...").
std::string OruLine(const std::string& title, int n) {
  const std::string digits = std::to_string(n);
  return title + ";x;1;" + title.substr(0, 1) + ";66" + std::string(4 - digits.size(), '0') +
         digits + ";2;1;1;1;0\r\n";
}

// A USB disk below the test's folder: its root and vod folder.
struct Stick : MainForm {
  fs::path root = dir.path() / "usb";
  fs::path vod = root / "vod";
  void SetUp() override {
    fs::create_directories(root);
    env.volumes = {dir.Gbk() + "usb/"};
  }
  // A list of songs 0..count-1 (each with its .dat) and the extra .dat files.
  void Fill(int count, const std::vector<int>& unlisted = {}) {
    std::string list;
    for (int n = 0; n < count; ++n) {
      const std::string name = "s" + std::to_string(n);
      list += OruLine(name, n);
      dir.Write("usb/vod/66" + Four(n) + ".dat", "song " + name);
    }
    if (count > 0) dir.Write("usb/vod/vod.txt", list);
    for (const int n : unlisted) dir.Write("usb/vod/66" + Four(n) + ".dat", "left " + Four(n));
  }
  static std::string Four(int n) {
    const std::string digits = std::to_string(n);
    return std::string(4 - digits.size(), '0') + digits;
  }
  void ToUsb() {
    view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
  }
  const TQuestion* Asked(TQuestion::Id id) const {
    for (const TQuestion& q : view.questions) {
      if (q.id == id) return &q;
    }
    return nullptr;
  }
};

TEST_F(Stick, TheStripShowsWhatTheStickHoldsAndTheNextSongFollowsItsHighestNumber) {
  const struct {
    const char* what;
    int listed;
    std::vector<int> unlisted;
    bool usb;
    const char* says;  // what the strip says after the disk's root
    const char* next;  // the new-song dialog's proposal
  } cases[] = {
      {"no USB disk", 0, {}, false, "没有找到U盘", "0000"},
      {"an empty disk", 0, {}, true, "：还没有歌曲", "0000"},
      {"three songs", 3, {}, true, "：列表有 3 首歌曲", "0003"},
      {"and a file no list names", 3, {7}, true, "，另有没有列出的歌曲文件 1 个", "0003"},
  };
  for (const auto& c : cases) {
    fs::remove_all(root);
    fs::create_directories(root);
    Fill(c.listed, c.unlisted);
    const std::set<std::string> before = fs::exists(vod) ? NamesIn(vod) : std::set<std::string>();
    TestEnv e;
    if (c.usb) e.volumes = env.volumes;
    e.freeBytes = std::int64_t{1} << 30;
    Window w(&e);
    w.Start(kProductOru);
    ASSERT_FALSE(w.view.sticks.empty()) << c.what << ": shown when the window opens";
    const TStickView& shown = w.view.sticks.back();
    EXPECT_NE(gbk::ToUtf8(shown.text).find(c.says), std::string::npos)
        << c.what << ": " << gbk::ToUtf8(shown.text);
    EXPECT_EQ(shown.found, c.usb) << c.what;
    EXPECT_EQ(shown.nextNumber, c.next) << c.what;
    if (c.usb) {
      EXPECT_NE(gbk::ToUtf8(shown.text).find("可用 1.00G"), std::string::npos)
          << c.what << ": " << gbk::ToUtf8(shown.text);
    }
    w.AddFiles({Video("n-x.mpg")});
    EXPECT_EQ(w.form.Grid().Cell(kColNumber, 0), c.next) << c.what;
    // The folder browser starts on the disk, and looking wrote nothing.
    w.view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    w.view.chosenFolder.reset();
    w.form.btnCompleteClick();
    ASSERT_FALSE(w.view.foldersOffered.empty());
    EXPECT_EQ(w.view.foldersOffered.back(), c.usb ? dir.Gbk() + "usb/" : "") << c.what;
    EXPECT_EQ(fs::exists(vod) ? NamesIn(vod) : std::set<std::string>(), before) << c.what;
  }
}

TEST_F(Stick, AStickPluggedInLaterIsShownAndTheStripFollowsTheGrid) {
  env.volumes.clear();
  Fill(2);
  Start(kProductOru);
  ASSERT_FALSE(view.sticks.empty());
  EXPECT_FALSE(view.sticks.back().found);
  const std::size_t shown = view.sticks.size();
  form.PollUsb();
  EXPECT_EQ(view.sticks.size(), shown) << "nothing changed, nothing redrawn";
  env.volumes = {dir.Gbk() + "usb/"};
  form.PollUsb();
  ASSERT_GT(view.sticks.size(), shown);
  EXPECT_EQ(view.sticks.back().songs, 2);
  EXPECT_EQ(view.sticks.back().nextNumber, "0002");
  AddFiles({Video("a-x.mpg"), Video("b-x.mpg")});
  EXPECT_EQ(Cell(kColNumber, 1), "0003");
  EXPECT_EQ(form.Stick().nextNumber, "0004") << "the strip follows the new songs";
}

TEST_F(Stick, TheCapCountsTheNewSongsAndTellsHowManyMoreFitBesideTheSticksList) {
  const struct {
    int listed;  // songs on the stick
    int adding;
    int added;            // rows afterwards
    const char* refusal;  // "" none
  } cases[] = {
      {95, 10, 0, "U盘上已有 95 首，这次最多还能添加 4 首"},
      {95, 4, 4, ""},
      {0, 99, 99, ""},
      {0, 100, 0, "用户加歌数量不能超过99首"},
      {99, 1, 0, "U盘上已有 99 首，这次最多还能添加 0 首"},
  };
  for (const auto& c : cases) {
    fs::remove_all(root);
    fs::create_directories(root);
    Fill(c.listed);
    TestEnv e;
    e.volumes = env.volumes;
    Window w(&e);
    w.Start(kProductOru);
    std::vector<std::string> files;
    for (int i = 0; i < c.adding; ++i) files.push_back(Video("n" + std::to_string(i) + "-x.mpg"));
    w.AddFiles(files);
    EXPECT_EQ(w.form.Grid().RowCount(), c.added) << c.listed << "+" << c.adding;
    if (*c.refusal != 0) {
      ASSERT_EQ(w.view.boxes.size(), 1u);
      EXPECT_EQ(gbk::ToUtf8(w.view.boxes[0].text), c.refusal);
    } else {
      EXPECT_TRUE(w.view.boxes.empty()) << gbk::ToUtf8(w.view.boxes[0].text);
      EXPECT_NE(gbk::ToUtf8(w.view.status).find("已加入 " + std::to_string(c.added) + " 首"),
                std::string::npos)
          << "the stick's songs are not counted as added: " << gbk::ToUtf8(w.view.status);
    }
  }
}

TEST_F(Stick, ARunThatStoppedGoesOnWithoutCopyingWhatIsAlreadyThere) {
  // Three new songs; a run pulled out half way left the first two .dat files.
  Start(kProductOru);
  const std::string a = Video("a-x.mpg", 3000), b = Video("b-x.mpg", 3000);
  AddFiles({a, b, Video("c-x.mpg", 3000)});
  dir.Write("usb/vod/660000.dat", std::string(3000, 'v'));
  dir.Write("usb/vod/660001.dat", std::string(3000, 'v'));
  const auto written = fs::last_write_time(vod / "660000.dat");
  ToUsb();
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_TRUE(view.questions.empty()) << "the files are the songs', not strays";
  EXPECT_EQ(Cell(kColNumber, 0), "0000") << "nothing renumbered";
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"),
            "a;x;1;A;660000;2;1;8;1;1\r\nb;x;1;B;660001;2;1;8;1;1\r\nc;x;1;C;660002;2;1;8;1;1\r\n");
  EXPECT_EQ(fs::last_write_time(vod / "660000.dat"), written) << "not copied again";
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_NE(gbk::ToUtf8(view.boxes.back().text).find("已在U盘上，不再复制：660000 a；660001 b"),
            std::string::npos)
      << gbk::ToUtf8(view.boxes.back().text);
  int copied = 0;
  for (const TCopyPanel& p : view.panels) copied = std::max(copied, p.checking ? 0 : p.songs);
  EXPECT_EQ(copied, 1) << "the panel counts the songs copied";
}

TEST_F(Stick, DeletedSongsLeaveTheStickAndFilesNoListNamesGoWhenTheOwnerSays) {
  const struct {
    const char* what;
    bool undo;                   // the delete is undone before the run
    int clean;                   // the answer to the question about the file no list names
    std::set<std::string> left;  // the stick's files afterwards
  } cases[] = {
      {"deleted, stray kept", false, 0, {"660000.dat", "660002.dat", "660007.dat", "vod.txt"}},
      {"deleted, stray cleaned", false, 1, {"660000.dat", "660002.dat", "vod.txt"}},
      {"undone", true, 0, {"660000.dat", "660001.dat", "660002.dat", "660007.dat", "vod.txt"}},
  };
  for (const auto& c : cases) {
    fs::remove_all(root);
    fs::create_directories(root);
    Fill(3, {7});
    TestEnv e;
    e.volumes = env.volumes;
    Window w(&e);
    w.view.chosenFile = (vod / "vod.txt").string();
    w.view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
    w.form.FormCreate();
    w.view.Drain();
    ASSERT_EQ(w.form.Grid().RowCount(), 3);
    w.form.Grid().SetCurrent(kColTitle, 1);
    w.form.N1Click();
    ASSERT_EQ(w.form.Grid().RowCount(), 2);
    ASSERT_TRUE(w.form.CanUndo());
    if (c.undo) {
      w.form.Undo();
      ASSERT_EQ(w.form.Grid().RowCount(), 3);
      EXPECT_EQ(w.form.Grid().Cell(kColTitle, 1), "s1");
      EXPECT_FALSE(w.form.CanUndo());
    }
    w.view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
    w.view.answers[TQuestion::Id::kCleanStrays] = c.clean;
    w.form.btnCompleteClick();
    EXPECT_EQ(w.form.LastRun(), TfrmMain::TRunResult::kDone) << c.what;
    EXPECT_EQ(NamesIn(vod), c.left) << c.what;
    const std::string list = TempDir::Read(vod / "vod.txt");
    EXPECT_EQ(list.find("s1;") != std::string::npos, c.undo) << c.what;
    const std::string said = gbk::ToUtf8(w.view.boxes.back().text);
    const int removed = (c.undo ? 0 : 1) + c.clean;
    EXPECT_EQ(
        said.find("已从U盘删除 " + std::to_string(removed) + " 个歌曲文件") != std::string::npos,
        removed > 0)
        << c.what << ": " << said;
  }
}

TEST_F(Stick, AnUndoAfterARunChangesTheGridOnlyAndNeverBringsBackASongItRemoved) {
  Fill(3);
  view.chosenFile = gbk::FromUtf8((vod / "vod.txt").string());
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  form.EditCell(kColSinger, 0, "y");
  form.Grid().SetCurrent(kColTitle, 1);
  form.N1Click();
  ToUsb();
  form.btnCompleteClick();
  ASSERT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  ASSERT_FALSE(fs::exists(vod / "660001.dat"));
  const std::string list = TempDir::Read(vod / "vod.txt");
  view.boxes.clear();

  form.Undo();  // the delete: its song's file is gone
  EXPECT_EQ(form.Grid().RowCount(), 2);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("这一步和更早的改动不能撤销"), std::string::npos);
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), list) << "the stick is never touched";
  EXPECT_EQ(Cell(kColSinger, 0), "y");
  EXPECT_FALSE(form.CanUndo());
}

TEST_F(Stick, NewSongsAfterKeptOnesStartAfterTheHighestNumberTheListHolds) {
  const struct {
    int kept, adding;
    const char* first;  // the first new song's number after the run
  } cases[] = {{3, 2, "0003"}, {5, 10, "0005"}};
  for (const auto& c : cases) {
    fs::remove_all(root);
    fs::create_directories(root);
    Fill(c.kept);
    TestEnv e;  // no USB disk while adding: the numbers start at 0000
    Window w(&e);
    w.Start(kProductOru);
    std::vector<std::string> files;
    for (int i = 0; i < c.adding; ++i) files.push_back(Video("n" + std::to_string(i) + "-x.mpg"));
    w.AddFiles(files);
    e.volumes = env.volumes;
    w.view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
    w.form.btnCompleteClick();
    EXPECT_EQ(w.form.LastRun(), TfrmMain::TRunResult::kDone);
    ASSERT_EQ(w.form.Grid().RowCount(), c.kept + c.adding);
    EXPECT_EQ(w.form.Grid().Cell(kColNumber, c.kept), c.first) << c.kept << "+" << c.adding;
    // Kept songs are not shown as copies.
    for (const TCopyPanel& p : w.view.panels) {
      if (p.visible && !p.checking) {
        EXPECT_FALSE(p.from.empty());
      }
    }
  }
}

TEST_F(Stick, TheSticksOwnVodFolderChosenAsTargetIsTakenAsItIs) {
  Fill(2);
  Start(kProductOru);
  AddFiles({Video("n-x.mpg")});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = gbk::FromUtf8(vod.string());
  view.answers[TQuestion::Id::kVodFolderChosen] = 1;  // cancel
  form.btnCompleteClick();
  ASSERT_NE(Asked(TQuestion::Id::kVodFolderChosen), nullptr);
  EXPECT_EQ(gbk::ToUtf8(Asked(TQuestion::Id::kVodFolderChosen)->text),
            "这是U盘上的 vod 文件夹，要把歌曲存在这里吗？");
  EXPECT_EQ(NamesIn(vod), (std::set<std::string>{"660000.dat", "660001.dat", "vod.txt"}));

  view.questions.clear();
  view.answers[TQuestion::Id::kVodFolderChosen] = 0;
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_FALSE(fs::exists(vod / "vod")) << "never vod/vod";
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"),
            OruLine("s0", 0) + OruLine("s1", 1) + "n;x;1;N;660002;2;1;8;1;1\r\n");
}

TEST_F(MainForm, UndoPutsBackWhatADeleteOrClearTookWithItsMarks) {
  Start(kProductOru);
  AddFiles({Video("a-x.mpg"), Video("b-x.mpg"), Video("c-x.mpg")});
  form.EditCell(kColSinger, 1, "");  // a mark that must come back with the row
  const TGrid::TRow before = form.Grid().SavedRow(1);
  form.Grid().SetCurrent(kColTitle, 1);
  form.N1Click();
  EXPECT_EQ(Cell(kColTitle, 1), "c");
  form.Undo();
  ASSERT_EQ(form.Grid().RowCount(), 3);
  EXPECT_EQ(form.Grid().SavedRow(1).cells, before.cells);
  EXPECT_EQ(form.Grid().Mark(kColSinger, 1).kind, TCellMark::kMissing);
  form.Undo();
  EXPECT_EQ(form.Grid().RowCount(), 3) << "once";

  view.answers[TQuestion::Id::kClearGrid] = 0;
  form.N2Click();
  EXPECT_EQ(form.Grid().RowCount(), 0);
  form.Undo();
  ASSERT_EQ(form.Grid().RowCount(), 3);
  EXPECT_EQ(Cell(kColTitle, 2), "c");
  AddFiles({Video("d-x.mpg")});
  EXPECT_EQ(Cell(kColNumber, 3), "0003") << "the numbers go on after the rows put back";
}

TEST_F(MainForm, RepeatsAreNamedOnceAndCanBeLeftOut) {
  Start(kProductOru);
  AddFiles({Video("a-x.mpg"), Video("b-x.mpg"), Video("dir2/a-x.mpg"), Video("dir3/a-x.mpg")});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  view.answers[TQuestion::Id::kDuplicates] = 1;  // 跳过重复的歌曲
  form.btnCompleteClick();
  ASSERT_FALSE(view.questions.empty());
  const TQuestion& q = view.questions[0];
  EXPECT_EQ(q.buttons,
            (std::vector<std::string>{Gbk(u8"继续"), Gbk(u8"跳过重复的歌曲"), Gbk(u8"取消")}));
  const std::string text = gbk::ToUtf8(q.text);
  EXPECT_NE(text.find("第 3 行（编号 0002）a-x 与第 1 行重复"), std::string::npos) << text;
  EXPECT_NE(text.find("第 4 行（编号 0003）a-x 与第 1 行重复"), std::string::npos) << text;
  EXPECT_EQ(text.find("第 1 行（编号"), std::string::npos) << "each pair once: " << text;
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(form.Grid().RowCount(), 2);
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod" / "vod.txt"),
            "a;x;1;A;660000;2;1;8;1;1\r\nb;x;1;B;660001;2;1;8;1;1\r\n");
  EXPECT_TRUE(form.CanUndo()) << "the repeats can be put back";
}

TEST_F(MainForm, ALoadedListsFaultsAreMarkedWhereTheyAreWhenItLoads) {
  dir.Write("list/vod.txt",
            "a;x;1;A;660000;2;1;1;1;0\r\nb;x;1;B;660000;2;1;1;1;0\r\nc;;1;C;660002;2;1;1;1;0\r\n");
  view.chosenFile = gbk::FromUtf8((dir.path() / "list" / "vod.txt").string());
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  ASSERT_EQ(form.Grid().RowCount(), 3);
  EXPECT_EQ(form.Grid().Mark(kColNumber, 0).kind, TCellMark::kInvalid);
  EXPECT_EQ(form.Grid().Mark(kColNumber, 1).kind, TCellMark::kInvalid);
  EXPECT_EQ(gbk::ToUtf8(form.Grid().Mark(kColNumber, 1).tip), "与第 1 行编号相同");
  EXPECT_EQ(form.Grid().Mark(kColNumber, 2).kind, TCellMark::kNone);
  EXPECT_EQ(form.Grid().Mark(kColSinger, 2).kind, TCellMark::kDoubtful)
      << "kept as it is, but told";
  form.EditCell(kColNumber, 1, "0001");
  EXPECT_EQ(form.Grid().Mark(kColNumber, 0).kind, TCellMark::kNone);
  EXPECT_EQ(form.Grid().Mark(kColNumber, 1).kind, TCellMark::kNone);
}

}  // namespace

namespace {

TEST_F(Stick, ANewSongWhoseBytesAFileNoListNamesHoldsTakesItsNumber) {
  // A run renumbered the new songs after the stick's two and was pulled out
  // after the first copy: its file is there, no list names it.
  Fill(2);
  const std::string a = Video("a-x.mpg", 4000);
  dir.Write("usb/vod/660002.dat", std::string(4000, 'v'));
  dir.Write("usb/vod/660009.dat", std::string(4000, 'w'));  // another tool's, same size
  env.volumes.clear();  // added before the stick was plugged in: numbered from 0000
  Start(kProductOru);
  AddFiles({a, Video("b-x.mpg", 4000)});
  env.volumes = {dir.Gbk() + "usb/"};
  ToUsb();
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  ASSERT_EQ(form.Grid().RowCount(), 4);
  EXPECT_EQ(Cell(kColNumber, 2), "0002") << "the file's number";
  EXPECT_EQ(Cell(kColNumber, 3), "0010") << "after the highest file kept";
  ASSERT_NE(Asked(TQuestion::Id::kCleanStrays), nullptr);
  EXPECT_NE(gbk::ToUtf8(Asked(TQuestion::Id::kCleanStrays)->text).find("（1 个"), std::string::npos)
      << "only the other tool's file is asked about";
  EXPECT_EQ(TempDir::Read(vod / "660009.dat"), std::string(4000, 'w'));
  EXPECT_NE(gbk::ToUtf8(view.boxes.back().text).find("已在U盘上，不再复制：660002 a"),
            std::string::npos);
}

}  // namespace

namespace {

TEST_F(Stick, ARunOntoAStickWhoseListWouldPassNinetyNineSaysHowManyFitAndWritesNothing) {
  Fill(95);
  env.volumes.clear();  // the stick was not there while adding
  Start(kProductOru);
  std::vector<std::string> files;
  for (int i = 0; i < 10; ++i) files.push_back(Video("n" + std::to_string(i) + "-x.mpg"));
  AddFiles(files);
  env.volumes = {dir.Gbk() + "usb/"};
  const std::set<std::string> before = NamesIn(vod);
  ToUsb();
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kRefused);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_EQ(gbk::ToUtf8(view.boxes.back().text), "U盘上已有 95 首，这次最多还能添加 4 首");
  EXPECT_EQ(NamesIn(vod), before);
}

}  // namespace

namespace {

TEST_F(Stick, TheSameSongsAgainInPlaceOfTheListAreNotCopiedAgain) {
  Start(kProductOru);
  const std::string a = Video("a-x.mpg", 5000), b = Video("b-x.mpg", 5000);
  AddFiles({a, b});
  dir.Write("usb/vod/vod.txt", OruLine("old", 0) + OruLine("older", 1));
  dir.Write("usb/vod/660000.dat", std::string(5000, 'v'));
  dir.Write("usb/vod/660001.dat", std::string(4999, 'v'));  // another song's
  view.answers[TQuestion::Id::kExistingSongs] = 1;
  view.answers[TQuestion::Id::kConfirmReplace] = 1;
  ToUsb();
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(TempDir::Read(vod / "660001.dat"), std::string(5000, 'v')) << "copied: other bytes";
  const std::string said = gbk::ToUtf8(view.boxes.back().text);
  EXPECT_NE(said.find("已在U盘上，不再复制：660000 a"), std::string::npos) << said;
  EXPECT_EQ(said.find("660001 b"), std::string::npos) << said;
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"),
            "a;x;1;A;660000;2;1;8;1;1\r\nb;x;1;B;660001;2;1;8;1;1\r\n");
}

}  // namespace

namespace {

TEST_F(Stick, ANumberTheOwnerTypesIsKeptForEveryFileAddedWhateverTheStripShows) {
  Fill(2);
  Start(kProductOru);
  AddFiles({Video("a-x.mpg"), Video("b-x.mpg"), Video("c-x.mpg")}, "0000");
  EXPECT_EQ(Cell(kColNumber, 0), "0000");
  EXPECT_EQ(Cell(kColNumber, 1), "0001") << "the strip's look does not move the count";
  EXPECT_EQ(Cell(kColNumber, 2), "0002");
  EXPECT_EQ(form.Stick().nextNumber, "0003");
}

}  // namespace
