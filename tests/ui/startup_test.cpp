// SPDX-License-Identifier: GPL-3.0-or-later
// The start of the program: the product-line choice, leaving, and opening an
// existing vod.txt, whose songs the grid then shows.
#include <filesystem>

#include "ui_fixture.h"

namespace {

TEST_F(MainForm, LeavingOrClosingTheStartUpWindowEndsTheProgram) {
  const std::function<void(TfrmLogin&)> scripts[] = {
      [](TfrmLogin& l) { l.btnCloseClick(); },
      [](TfrmLogin& l) { l.FormClose(); },  // the system's close, no choice
      [](TfrmLogin&) {},                    // the window went away somehow
  };
  for (const auto& script : scripts) {
    Window w(&env);
    auto& [v, f] = w;
    v.onLogin = script;
    f.FormCreate();
    EXPECT_TRUE(f.Terminated());
  }
}

TEST_F(MainForm, OpeningAVodTxtRecognisesItsProductLine) {
  const std::string dovanLine = gbk::ToUtf8(Gbk(u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1"));
  const struct {
    std::string bytes;
    std::uint8_t product;  // 0: not recognised
  } cases[] = {
      {"\r\n  \r\nnot a song\r\nA;B;2;AB;12;660001;2;1;1;1\r\n", 3},  // blank, unknown, Mirel
      {"A;B;2;AB;660001;2;1;1;1;0\r\n", 1},  // ORU and Mirel both read ten fields: ORU first
      {"A;B;2;AB;12;660001;2;1;1;1;1\r\n", 2},
      {"\xEF\xBB\xBF" + dovanLine + "\r\n", 4},
      {"nothing here\r\n", 0},
  };
  for (const auto& c : cases) {
    const auto file = dir.Write("vod.txt", c.bytes);
    Window w(&env);
    auto& [v, f] = w;
    v.chosenFile = file.string();
    bool stayedOpen = false;
    v.onLogin = [&](TfrmLogin& login) {
      login.btnVodClick();
      if (login.FChoice == 0) {
        stayedOpen = true;
        login.btnCloseClick();
      }
    };
    f.FormCreate();
    v.Drain();
    if (c.product == 0) {
      EXPECT_TRUE(stayedOpen);
      EXPECT_TRUE(f.Terminated());
      ASSERT_EQ(v.boxes.size(), 1u);
      EXPECT_NE(v.boxes[0].text.find(file.string()), std::string::npos) << "names the file";
      continue;
    }
    ASSERT_FALSE(f.Terminated()) << c.bytes;
    EXPECT_EQ(f.ProductLine(), c.product) << c.bytes;
    EXPECT_EQ(f.Grid().RowCount(), 1) << c.bytes;
  }
}

TEST_F(MainForm, LoadedDovanSongsShowTheirMediaTracksAndStyle) {
  const auto file =
      dir.Write("vod.txt",
                "\xEF\xBB\xBF" + gbk::ToUtf8(Gbk(u8"小河;歌手甲;2;XH;38;660001;1;1;5;1;5;3;0\r\n"
                                                 u8"海风;林一;2;HF;104;660002;0;3;2;3;0;2;1\r\n")));
  view.chosenFile = file.string();
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  ASSERT_EQ(form.Grid().RowCount(), 2);
  const struct {
    int col;
    const char8_t* first;
    const char8_t* second;
  } cells[] = {
      {kColNumber, u8"0001", u8"0002"},
      {kColTitle, u8"小河", u8"海风"},
      {kColPinyin, u8"XH", u8"HF"},
      {kColStrokes, u8"38", u8"104"},
      {kColMedia, u8"DVD", u8"VCD"},
      {kColAccomp, u8"DVD 1 轨", u8"VCD原唱"},
      {kColVocal, u8"DVD 5 轨", u8"VCD伴唱"},
      {kColLanguage, u8"国语", u8"粤语"},
      {kColStyle, u8"风景3", u8"风景2"},
      {kColNewFlag, u8"0", u8"1"},
      {kColVideo, u8"", u8""},
  };
  for (const auto& c : cells) {
    EXPECT_EQ(Cell(c.col, 0), Gbk(c.first)) << c.col;
    EXPECT_EQ(Cell(c.col, 1), Gbk(c.second)) << c.col;
  }
  EXPECT_EQ(view.status, Gbk(u8"您目前已加入 0 首歌曲, 所需空间 0M（另有原有歌曲 2 首）"))
      << "loaded songs are kept, not added";
}

TEST_F(MainForm, LoadedSongsAndNewOnesRunTogetherKeepingTheLoadedLinesAndFiles) {
  const std::string old = "A;B;2;AB;660001;2;1;1;1;0\r\n";
  const auto vod = dir.Write("usb/vod/vod.txt", old);
  dir.Write("usb/vod/660001.dat", "already on the stick");
  view.chosenFile = vod.string();
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  AddFiles({Video("c-d.mpg", 3)}, "0002");
  env.volumes = {dir.Gbk() + "usb/"};
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(TempDir::Read(vod), old + "c;d;1;C;660002;2;1;8;1;1\r\n");
  EXPECT_EQ(TempDir::Read(dir.path() / "usb/vod/660001.dat"), "already on the stick");
  EXPECT_EQ(TempDir::Read(dir.path() / "usb/vod/660002.dat"), "vvv");
}

}  // namespace
