// SPDX-License-Identifier: GPL-3.0-or-later
// A run reads back from the stick what it wrote before it says it is done:
// a counterfeit stick that threw bytes away, or a failing one, is told.
#include <filesystem>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(MainForm, OnlyAStickThatGivesBackWhatWasWrittenEndsDone) {
  struct Case {
    const char* what;
    std::optional<std::int64_t> keeps;  // a counterfeit stick keeps this many bytes
    bool readFails;
    bool verify;
    const char8_t* caption;            // of the one message; null: done
    std::vector<const char8_t*> says;  // in it
    std::vector<const char8_t*> notSaid;
  };
  const Case cases[] = {
      {"a stick that keeps everything", {}, false, true, nullptr, {}, {}},
      {"the second song thrown away",
       15000,
       false,
       true,
       u8"U盘没有保存好歌曲",
       {u8"660001 b", u8"没有加入新歌", u8"扩容盘"},
       {u8"660000 a"}},
      {"only vod.txt, written last, thrown away",
       20010,
       false,
       true,
       u8"U盘没有保存好歌曲",
       {u8"歌曲列表 vod.txt 写入U盘以后读回", u8"原来的歌曲列表没有改动", u8"扩容盘"},
       {u8"660000 a", u8"660001 b"}},
      // Pulled or failing is not counterfeit: what was checked and what not.
      {"a read error",
       {},
       true,
       true,
       u8"U盘已拔出或读写出错",
       {u8"没有能读回检查的", u8"660000 a", u8"660001 b", u8"Input/output error"},
       {u8"扩容盘"}},
      {"no check asked for", 15000, false, false, nullptr, {}, {}},
  };
  for (const Case& c : cases) {
    TestEnv e;
    Window w(&e);
    w.Start(kProductOru);
    w.AddFiles({Video("a-x.mpg", 10000), Video("b-x.mpg", 10000)});
    w.form.SetVerifyCopies(c.verify);
    w.view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    w.view.chosenFolder = dir.Gbk() + c.what;
    e.counterfeitKeeps = c.keeps;
    e.failReadBack = c.readFails;
    w.form.btnCompleteClick();

    ASSERT_EQ(w.view.boxes.size(), 1u) << c.what;
    const std::string said = gbk::ToUtf8(w.view.boxes[0].text);
    const fs::path list = dir.path() / c.what / "vod" / "vod.txt";
    if (c.caption == nullptr) {
      EXPECT_EQ(w.form.LastRun(), TfrmMain::TRunResult::kDone) << c.what;
      EXPECT_EQ(said, "用户加歌完成") << c.what;
      EXPECT_TRUE(fs::exists(list)) << c.what;
    } else {
      EXPECT_EQ(w.form.LastRun(), TfrmMain::TRunResult::kFailed) << c.what;
      EXPECT_EQ(w.view.boxes[0].caption, Gbk(c.caption)) << c.what;
      for (const char8_t* part : c.says) {
        EXPECT_NE(said.find(reinterpret_cast<const char*>(part)), std::string::npos)
            << c.what << ": " << said;
      }
      for (const char8_t* part : c.notSaid) {
        EXPECT_EQ(said.find(reinterpret_cast<const char*>(part)), std::string::npos)
            << c.what << ": " << said;
      }
      // The list names a song only once its file came back as written.
      EXPECT_FALSE(fs::exists(list)) << c.what;
    }
    // The check is a phase of the panel's own: the two songs.
    int checked = 0;
    for (const auto& panel : w.view.panels) {
      if (panel.visible && panel.checking && panel.percent == 0) ++checked;
    }
    EXPECT_EQ(checked, c.verify ? 2 : 0) << c.what;
  }
}

TEST_F(MainForm, StoppingTheCheckListsTheSongsCheckedAndSaysWhichWereNot) {
  Start(kProductOru);
  AddFiles({Video("a-x.mpg", 10000), Video("b-x.mpg", 10000)});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  view.onProcess = [this] {
    if (!view.panels.empty() && view.panels.back().checking && view.panels.back().song == 2) {
      view.onProcess = nullptr;
      form.CancelCopy();
    }
  };
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kFailed);
  ASSERT_EQ(view.boxes.size(), 1u);
  const std::string said = gbk::ToUtf8(view.boxes[0].text);
  EXPECT_NE(said.find("读回校验已被取消"), std::string::npos) << said;
  EXPECT_NE(said.find("没有列入歌曲列表的歌曲：660001"), std::string::npos) << said;
  EXPECT_EQ(view.boxes[0].kind, kMsgWarning);
  EXPECT_TRUE(fs::exists(dir.path() / "out" / "vod" / "660001.dat"));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod" / "vod.txt"), "a;x;1;A;660000;2;1;8;1;1\r\n");
}

}  // namespace
