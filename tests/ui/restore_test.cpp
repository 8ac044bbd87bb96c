// SPDX-License-Identifier: GPL-3.0-or-later
// A stick's list is never gone without a copy: the run keeps it on this
// computer before it changes it, and the owner can put it back; a list a
// stopped run left only under its temporary name is found again.
#include <filesystem>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

const std::string kOldList =
    "a;x;1;A;660000;2;1;1;1;0\r\nb;x;1;B;660001;2;1;1;1;0\r\nc;x;1;C;660002;2;1;1;1;0\r\n";

struct StickList : MainForm {
  fs::path vod = dir.path() / "stick" / "vod";
  StickList() {
    dir.Write("stick/vod/vod.txt", kOldList);
    for (const char* n : {"660000", "660001", "660002"}) {
      dir.Write(std::string("stick/vod/") + n + ".dat", std::string("old ") + n);
    }
    view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    view.chosenFolder = dir.Gbk() + "stick";
  }
  // A run of one new song, numbered 0000, that replaces the stick's list.
  void ReplaceWithOneSong() {
    AddFiles({Video("d-x.mpg", 5)});
    view.answers[TQuestion::Id::kExistingSongs] = 1;
    view.answers[TQuestion::Id::kConfirmReplace] = 1;
    form.btnCompleteClick();
    ASSERT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
    ASSERT_EQ(TempDir::Read(vod / "vod.txt"), "d;x;1;D;660000;2;1;8;1;1\r\n");
  }
  // "恢复以前的歌曲列表…" answering the copy to put back.
  void Restore(int copy) {
    view.questions.clear();
    view.boxes.clear();
    view.answers[TQuestion::Id::kRestoreList] = copy;
    form.btnRestoreClick();
  }
};

TEST_F(StickList, AReplacedListCanBePutBackWithoutTheSongsWhoseFileWasGivenAway) {
  Start(kProductOru);
  ReplaceWithOneSong();
  Restore(0);
  ASSERT_EQ(view.questions.size(), 1u);
  const TQuestion& asked = view.questions[0];
  EXPECT_EQ(asked.id, TQuestion::Id::kRestoreList);
  ASSERT_EQ(asked.buttons.size(), 2u) << "one copy, and cancel";
  EXPECT_NE(gbk::ToUtf8(asked.buttons[0]).find("（3 首）"), std::string::npos);
  EXPECT_NE(gbk::ToUtf8(asked.text).find("现在列出 1 首歌曲"), std::string::npos);
  // 660000.dat holds the new song now: its old line stays out, named.
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"),
            "b;x;1;B;660001;2;1;1;1;0\r\nc;x;1;C;660002;2;1;1;1;0\r\n");
  ASSERT_EQ(view.boxes.size(), 1u);
  const std::string told = gbk::ToUtf8(view.boxes[0].text);
  EXPECT_NE(told.find("（2 首歌曲）"), std::string::npos) << told;
  EXPECT_NE(told.find("a;x;1;A;660000"), std::string::npos) << told;
  EXPECT_EQ(view.boxes[0].kind, kMsgWarning);

  // Putting back changed the list too: the one-song list was kept, newest.
  Restore(0);
  ASSERT_EQ(view.questions.size(), 1u);
  ASSERT_EQ(view.questions[0].buttons.size(), 3u);
  EXPECT_NE(gbk::ToUtf8(view.questions[0].buttons[0]).find("（1 首）"), std::string::npos);
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), "d;x;1;D;660000;2;1;8;1;1\r\n");
}

TEST_F(StickList, NothingIsWrittenWithoutACopyOrWhenTheOwnerCancels) {
  Start(kProductOru);
  Restore(0);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("没有保存过"), std::string::npos);
  EXPECT_TRUE(view.questions.empty());

  ReplaceWithOneSong();
  Restore(-1);  // the question closed
  EXPECT_EQ(view.questions.size(), 1u);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), "d;x;1;D;660000;2;1;8;1;1\r\n");
}

TEST_F(StickList, AStickPulledInsideTheRenameOfItsListKeepsItsSongsOnTheNextRun) {
  // FAT removed vod.txt before it wrote the new name: the whole list is
  // left only under the temporary name.
  fs::rename(vod / "vod.txt", vod / "vod.txt.part");
  dir.Write("stick/vod/vod.txt", "");
  Start(kProductOru);
  AddFiles({Video("d-x.mpg", 5)});
  view.answers[TQuestion::Id::kExistingSongs] = 0;  // keep
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("完整列表 vod.txt.part 将作为歌曲列表"),
            std::string::npos)
      << gbk::ToUtf8(view.boxes[0].text);
  ASSERT_FALSE(view.questions.empty());
  EXPECT_NE(gbk::ToUtf8(view.questions[0].text).find("vod.txt 列出的 3 首"), std::string::npos);
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), kOldList + "d;x;1;D;660003;2;1;8;1;1\r\n");
  EXPECT_FALSE(fs::exists(vod / "vod.txt.part"));
}

TEST_F(StickList, OpeningAnEmptyListBesideAWholeOneLeftByAStoppedRunOpensThatOne) {
  fs::rename(vod / "vod.txt", vod / "vod.txt.part");
  dir.Write("stick/vod/vod.txt", "");
  view.chosenFile = gbk::FromUtf8((vod / "vod.txt").string());
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  ASSERT_FALSE(form.Terminated());
  EXPECT_EQ(form.Grid().RowCount(), 3);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("vod.txt.part"), std::string::npos);
}

}  // namespace
