// SPDX-License-Identifier: GPL-3.0-or-later
// A run onto a target that already holds songs: they are never lost, and
// never replaced without the owner's word.
#include <algorithm>
#include <filesystem>
#include <set>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

const std::string kOldList =
    "a;x;1;A;660000;2;1;1;1;0\r\nb;x;1;B;660001;2;1;1;1;0\r\nc;x;1;C;660002;2;1;1;1;0\r\n";

// An ORU stick with three listed songs and one song file no list names.
struct StickWithSongs : MainForm {
  fs::path vod = dir.path() / "stick" / "vod";
  StickWithSongs() {
    dir.Write("stick/vod/vod.txt", kOldList);
    for (const char* n : {"660000", "660001", "660002", "660007"}) {
      dir.Write(std::string("stick/vod/") + n + ".dat", std::string("old ") + n);
    }
    view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    view.chosenFolder = dir.Gbk() + "stick";
  }
  // Every .dat that was there is as it was.
  void ExpectOldFilesIntact() {
    for (const char* n : {"660000", "660001", "660002", "660007"}) {
      EXPECT_EQ(TempDir::Read(vod / (std::string(n) + ".dat")), std::string("old ") + n) << n;
    }
  }
};

TEST_F(StickWithSongs, TheOwnerKeepsReplacesOrCancelsAndNothingIsWrittenBeforeThat) {
  const struct {
    const char* what;
    int answer;    // to "目标文件夹中已有歌曲"
    int confirm;   // to "确实要替换原有歌曲吗？", asked after "替换原有歌曲"
    int renumber;  // to "歌曲编号重复", when asked
    TfrmMain::TRunResult result;
    std::string vodTxt;  // afterwards
    const char* newDat;  // where the new song went ("" nowhere)
  } cases[] = {
      {"keep, renumbered after the highest number there", 0, 0, 0, TfrmMain::TRunResult::kDone,
       kOldList + "d;x;1;D;660008;2;1;8;1;1\r\n", "660008.dat"},
      {"keep, renumbering declined", 0, 0, 1, TfrmMain::TRunResult::kRefused, kOldList, ""},
      {"replace, and sure", 1, 1, 0, TfrmMain::TRunResult::kDone, "d;x;1;D;660000;2;1;8;1;1\r\n",
       "660000.dat"},
      {"replace, then the default of the second question: keep", 1, 0, 0,
       TfrmMain::TRunResult::kDone, kOldList + "d;x;1;D;660008;2;1;8;1;1\r\n", "660008.dat"},
      {"replace, then cancel", 1, 2, 0, TfrmMain::TRunResult::kRefused, kOldList, ""},
      {"cancel", 2, 0, 0, TfrmMain::TRunResult::kRefused, kOldList, ""},
      {"the question closed", -1, 0, 0, TfrmMain::TRunResult::kRefused, kOldList, ""},
  };
  for (const auto& c : cases) {
    dir.Write("stick/vod/vod.txt", kOldList);
    for (const char* n : {"660000", "660008"}) fs::remove(vod / (std::string(n) + ".dat"));
    dir.Write("stick/vod/660000.dat", "old 660000");
    TestEnv e;
    Window w(&e);
    w.Start(kProductOru);
    w.AddFiles({Video("d-x.mpg", 5)});
    w.view.onSaveHint = view.onSaveHint;
    w.view.chosenFolder = view.chosenFolder;
    w.view.answers[TQuestion::Id::kExistingSongs] = c.answer;
    w.view.answers[TQuestion::Id::kConfirmReplace] = c.confirm;
    w.view.answers[TQuestion::Id::kRenumber] = c.renumber;
    w.form.btnCompleteClick();
    if (c.answer == 1) {
      // Asked once more, naming the songs that leave the list; keeping them
      // is the first button, the default.
      ASSERT_GE(w.view.questions.size(), 2u) << c.what;
      const TQuestion& sure = w.view.questions[1];
      EXPECT_EQ(sure.id, TQuestion::Id::kConfirmReplace);
      EXPECT_NE(gbk::ToUtf8(sure.text).find("原有的 3 首歌曲"), std::string::npos);
      EXPECT_EQ(sure.buttons.front(), Gbk(u8"保留原有歌曲，添加新歌"));
    }

    EXPECT_EQ(w.form.LastRun(), c.result) << c.what;
    ASSERT_FALSE(w.view.questions.empty()) << c.what;
    EXPECT_EQ(w.view.questions[0].id, TQuestion::Id::kExistingSongs);
    EXPECT_NE(gbk::ToUtf8(w.view.questions[0].text).find("vod.txt 列出的 3 首"), std::string::npos)
        << gbk::ToUtf8(w.view.questions[0].text);
    // The file no list names is a question of its own, after the songs'
    // (kept by default), unless the run was cancelled there.
    const bool goesOn = c.answer == 0 || (c.answer == 1 && c.confirm != 2);
    const auto strays =
        std::find_if(w.view.questions.begin(), w.view.questions.end(),
                     [](const TQuestion& q) { return q.id == TQuestion::Id::kCleanStrays; });
    ASSERT_EQ(strays != w.view.questions.end(), goesOn) << c.what;
    if (goesOn) {
      EXPECT_EQ(gbk::ToUtf8(strays->text), "清理U盘上没有列出的歌曲文件（1 个，共 0M）?");
    }
    EXPECT_EQ(TempDir::Read(vod / "vod.txt"), c.vodTxt) << c.what;
    if (*c.newDat != 0) {
      EXPECT_EQ(TempDir::Read(vod / c.newDat), "vvvvv") << c.what;
    }
    if (c.answer != 1 || c.confirm != 1) ExpectOldFilesIntact();
    if (c.result == TfrmMain::TRunResult::kRefused) {
      EXPECT_EQ(NamesIn(vod), (std::set<std::string>{"660000.dat", "660001.dat", "660002.dat",
                                                     "660007.dat", "vod.txt"}))
          << c.what << ": nothing written";
    }
  }
}

TEST_F(StickWithSongs, KeptSongsComeFirstInTheGridAndTheNextNumberFollowsThem) {
  Start(kProductOru);
  AddFiles({Video("d-x.mpg", 5)});
  form.btnCompleteClick();
  ASSERT_EQ(form.Grid().RowCount(), 4);
  EXPECT_EQ(Cell(kColTitle, 0), "a");
  EXPECT_EQ(Cell(kColNumber, 3), "0008");
  EXPECT_EQ(Cell(kColTitle, 3), "d");
  // The next proposal follows the grid, and a second run onto the stick
  // asks nothing: the window holds every song of the list it wrote.
  AddFiles({Video("e-x.mpg", 5)});
  EXPECT_EQ(Cell(kColNumber, 4), "0009");
  view.questions.clear();
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_TRUE(view.questions.empty());
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"),
            kOldList + "d;x;1;D;660008;2;1;8;1;1\r\ne;x;1;E;660009;2;1;8;1;1\r\n");
  ExpectOldFilesIntact();
}

TEST_F(StickWithSongs, ALoadedListIsNotAskedAboutAndAListOfAnotherProductLineIsNotKept) {
  // Loaded at start-up: its songs are in the grid, only the stray file is asked about.
  view.chosenFile = (vod / "vod.txt").string();
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  AddFiles({Video("d-x.mpg", 5)});
  EXPECT_EQ(Cell(kColNumber, 3), "0003") << "the proposal follows the loaded songs";
  form.btnCompleteClick();
  ASSERT_EQ(view.questions.size(), 1u);
  EXPECT_EQ(view.questions[0].id, TQuestion::Id::kCleanStrays);
  EXPECT_EQ(view.questions[0].buttons[0], Gbk(u8"保留这些文件")) << "kept by default";
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), kOldList + "d;x;1;D;660003;2;1;8;1;1\r\n");
  ExpectOldFilesIntact();

  // A Tarvel list on the stick of an ORU window: told, nothing written.
  const std::string tarvel = Gbk(u8"情歌;歌手甲;2;QG;1114;660000;2;1;0;1;1\r\n");
  dir.Write("stick/vod/vod.txt", tarvel);
  TestEnv e;
  Window w(&e);
  w.Start(kProductOru);
  w.AddFiles({Video("f-x.mpg", 5)});
  w.view.onSaveHint = view.onSaveHint;
  w.view.chosenFolder = view.chosenFolder;
  w.form.btnCompleteClick();
  EXPECT_EQ(w.form.LastRun(), TfrmMain::TRunResult::kRefused);
  ASSERT_EQ(w.view.boxes.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(w.view.boxes[0].text).find("是 Tarvel 系列的歌曲列表"), std::string::npos);
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), tarvel);
  EXPECT_EQ(w.form.Grid().RowCount(), 1);
}

TEST_F(MainForm, ASecondRunOntoATargetInUseIsRefusedAtOnce) {
  Start(kProductOru);
  AddFiles({Video("a-x.mpg", 12000), Video("b-x.mpg", 12000)});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "stick";
  TestEnv otherEnv;
  Window other(&otherEnv);
  other.Start(kProductOru);
  other.AddFiles({Video("c-x.mpg", 10)});
  other.view.onSaveHint = view.onSaveHint;
  other.view.chosenFolder = view.chosenFolder;
  // The other window starts its run while this one copies its second song.
  view.onProcess = [&] {
    if (view.panels.empty() || view.panels.back().song != 2) return;
    view.onProcess = nullptr;
    other.form.btnCompleteClick();
  };
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(other.form.LastRun(), TfrmMain::TRunResult::kRefused);
  ASSERT_EQ(other.view.boxes.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(other.view.boxes[0].text).find("另一个加歌程序正在向"), std::string::npos);
  const fs::path vod = dir.path() / "stick" / "vod";
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"),
            "a;x;1;A;660000;2;1;8;1;1\r\nb;x;1;B;660001;2;1;8;1;1\r\n");
  EXPECT_EQ(NamesIn(vod), (std::set<std::string>{"660000.dat", "660001.dat", "vod.txt"}));
}

}  // namespace
