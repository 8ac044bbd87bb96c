// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a vod.txt drops nothing without the owner knowing: what cannot be
// read is named and kept, and what was read goes back as it was.
#include <filesystem>

#include "formats/product_lines.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

struct LoadedStick : MainForm {
  fs::path vod = dir.path() / "stick" / "vod";
  // Opens stick/vod/vod.txt (holding bytes) in the start-up window, adds one
  // new song and runs onto the stick; goOn answers the unread-lines question.
  void OpenAddAndRun(const std::string& bytes, int goOn = 0) {
    dir.Write("stick/vod/vod.txt", bytes);
    view.chosenFile = (vod / "vod.txt").string();
    view.onLogin = [](TfrmLogin& login) {
      login.btnVodClick();
      if (login.FChoice == 0) login.btnCloseClick();
    };
    view.answers[TQuestion::Id::kUnreadLines] = goOn;
    form.FormCreate();
    view.Drain();
    if (form.Terminated()) return;
    AddFiles({Video("new-x.mpg", 5)});
    view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    view.chosenFolder = dir.Gbk() + "stick";
    form.btnCompleteClick();
  }
};

TEST_F(LoadedStick, LinesThatCannotBeReadAreNamedAndKeptAtTheEnd) {
  const std::string good = "a;x;1;A;660000;2;1;1;1;0";
  // Codes outside the tables, lower-case pinyin, blanks around fields and a
  // hexadecimal word count: read, and written back exactly as they were.
  const std::string odd = "b;x; 0x1 ;b;660001;9;3;77;0;1";
  const std::string lines[] = {
      good,
      "c;x;1;C;660002;2;1;1;1;0;extra",                     // 11 fields
      std::string("d;x;1;D;660003;2;1;1;1;0\0", 26) + "x",  // a NUL inside
      "\xFF\xFE;x;1;E;660004;2;1;1;1;0",                    // not GBK text
      odd,
  };
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\r\n";
  for (const char* n : {"660000", "660001"}) dir.Write(std::string("stick/vod/") + n + ".dat", n);
  OpenAddAndRun(bytes);

  ASSERT_EQ(view.questions.size(), 1u);
  EXPECT_EQ(view.questions[0].id, TQuestion::Id::kUnreadLines);
  const std::string asked = gbk::ToUtf8(view.questions[0].text);
  EXPECT_NE(asked.find("有 3 行不能作为歌曲读取"), std::string::npos) << asked;
  EXPECT_NE(asked.find("第 2 行：有 11 个字段，应为 10 个"), std::string::npos) << asked;
  EXPECT_NE(asked.find("第 3 行：含有控制字符"), std::string::npos) << asked;
  EXPECT_NE(asked.find("第 4 行：不是 GBK 文字"), std::string::npos) << asked;

  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), good + "\r\n" + odd +
                                                "\r\nnew;x;1;NEW;660002;2;1;8;1;1\r\n" + lines[1] +
                                                "\r\n" + lines[2] + "\r\n" + lines[3] + "\r\n");
}

TEST_F(LoadedStick, DecliningTheUnreadLinesLoadsNothing) {
  OpenAddAndRun("a;x;1;A;660000;2;1;1;1;0\r\nbroken\r\n", 1);
  EXPECT_TRUE(form.Terminated()) << "the start-up window stayed open; the owner left";
  EXPECT_EQ(view.questions.size(), 1u);
}

TEST_F(LoadedStick, AnEditedLoadedSongKeepsTheCodesOfCellsLeftAlone) {
  dir.Write("stick/vod/660001.dat", "old");
  dir.Write("stick/vod/vod.txt", "b;x;1;B;660001;9;3;77;0;1\r\n");
  view.chosenFile = (vod / "vod.txt").string();
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  form.EditCell(kColTitle, 0, Gbk(u8"海风"));
  EXPECT_EQ(form.ListLines(), TStringList{Gbk(u8"海风;x;2;HF;660001;9;3;77;0;1")})
      << "the title and what it derives change; the codes no table has stay";
  form.EditCell(kColCategory, 0, Gbk(u8"军歌"));
  EXPECT_EQ(form.ListLines(), TStringList{Gbk(u8"海风;x;2;HF;660001;9;3;2;0;1")});
}

TEST_F(LoadedStick, AGbkListBehindAByteOrderMarkIsReadAsGbkWithAWarning) {
  dir.Write("stick/vod/660000.dat", "old");
  const std::string song = Gbk(u8"海风;林一;2;HF;660000;2;1;1;1;0") + "\r\n";
  OpenAddAndRun("\xEF\xBB\xBF" + song);
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("内容却是 GBK 文字"), std::string::npos);
  EXPECT_EQ(form.ProductLine(), kProductOru);
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), song + "new;x;1;NEW;660001;2;1;8;1;1\r\n")
      << "written back as the ORU list it is, without the mark";
}

TEST_F(LoadedStick, LinesBeyondTheHundredSlotsAreNamedAndKept) {
  std::string bytes;
  for (int i = 0; i < 101; ++i) {
    const std::string n = std::to_string(i + 10000).substr(1);
    bytes += "s" + n + ";x;1;S;66" + n + ";2;1;1;1;0\r\n";
  }
  dir.Write("stick/vod/vod.txt", bytes);
  view.chosenFile = (vod / "vod.txt").string();
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  EXPECT_EQ(form.Grid().RowCount(), 100);
  ASSERT_EQ(view.questions.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(view.questions[0].text).find("第 101 行：超出了 100 首歌曲的上限"),
            std::string::npos);
  EXPECT_EQ(form.LinesBeyondGrid(), TStringList{"s0100;x;1;S;660100;2;1;1;1;0"});
}

}  // namespace
