// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the song grid: columns per product line, what editing a cell
// derives and checks, deleting and clearing, the status line.
#include <algorithm>

#include "ui/grid_rules.h"
#include "ui_fixture.h"

namespace {

TEST_F(MainForm, EachProductLineShowsItsOwnColumns) {
  const struct {
    std::uint8_t product;
    std::vector<int> shown;
  } cases[] = {
      {kProductOru, {0, 1, 2, 3, 4, 6, 8, 10, 11, 13, 14, 17}},
      {kProductTarvel, {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 15, 16, 17}},
      {kProductMirel, {0, 1, 2, 3, 4, 5, 6, 8, 10, 11, 13, 17}},
      {kProductDovan, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17}},
  };
  for (const auto& c : cases) {
    Window w(&env);
    auto& [v, f] = w;
    w.Start(c.product);
    std::vector<int> shown;
    for (int col = 0; col < kGridColumns; ++col) {
      if (f.Grid().Column(col).visible) shown.push_back(col);
    }
    EXPECT_EQ(shown, c.shown) << int(c.product);
    EXPECT_FALSE(v.enabled[1]) << "开始加歌 starts disabled";
    EXPECT_EQ(v.status, Gbk(u8"您目前已加入 0 首歌曲"));
  }
}

TEST_F(MainForm, TitleFillsPinyinWordsAndStrokesExceptOruStrokes) {
  for (std::uint8_t product : {1, 2}) {
    Window w(&env);
    auto& f = w.form;
    w.Start(product);
    f.Grid().AppendRows(1);
    f.EditCell(kColTitle, 0, Gbk(u8" 海风 "));
    EXPECT_EQ(f.Grid().Cell(kColPinyin, 0), "HF");
    EXPECT_EQ(f.Grid().Int(kColWords, 0), 2);
    EXPECT_EQ(f.Grid().Cell(kColStrokes, 0), product == 1 ? "" : "104") << int(product);
  }
}

TEST_F(MainForm, WordCountOutsideItsRangeIsRefusedWithAMessageAndKept) {
  Start(kProductOru);
  form.Grid().AppendRows(1);
  form.EditCell(kColWords, 0, "12");
  const struct {
    const char* typed;
    const char* kept;
  } cases[] = {{"123456", "12"}, {"-1", "12"}, {"2x", "12"}, {" 7 ", " 7 "}, {"", ""}};
  for (const auto& c : cases) {
    view.boxes.clear();
    form.EditCell(kColWords, 0, c.typed);
    EXPECT_EQ(form.Grid().Cell(kColWords, 0), c.kept) << c.typed;
    EXPECT_EQ(view.boxes.size(), std::string(c.kept) == c.typed ? 0u : 1u) << c.typed;
  }
}

TEST_F(MainForm, NumberCheckAfterAnEditShowsOneOrBothMessages) {
  Start(kProductOru);
  form.Grid().AppendRows(2);
  form.Grid().SetCell(kColNumber, 0, "0003");
  const std::string caption = Gbk(u8"编号错误提示");
  const std::string bad = Gbk(u8"歌曲编号错误");
  const struct {
    std::string typed;
    std::vector<std::string> texts;
  } cases[] = {
      {"12a4", {bad}},
      {"0003", {Gbk(u8"编号0003重复，请更改")}},
      {" 0003", {bad, Gbk(u8"编号 0003重复，请更改")}},  // checked untrimmed, then trimmed
      {"0004", {}},
  };
  for (const auto& c : cases) {
    view.boxes.clear();
    form.Grid().SetCell(kColNumber, 1, "");
    form.Grid().SetCurrent(kColTitle, 0);
    form.EditCell(kColNumber, 1, c.typed);
    std::vector<std::string> texts;
    for (const auto& box : view.boxes) {
      EXPECT_EQ(box.caption, caption);
      texts.push_back(box.text);
    }
    EXPECT_EQ(texts, c.texts) << c.typed;
    EXPECT_EQ(form.Grid().Cell(kColNumber, 1), c.typed) << "the text stays";
    EXPECT_EQ(form.Grid().CurrentRow(), c.texts.empty() ? 0 : 1) << c.typed;
  }
  view.boxes.clear();
  form.EditCell(kColNumber, 1, "0004");  // unchanged text: no after-edit check
  form.EditCell(kColTitle, 1, "12a4");   // another column: no number check
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(MainForm, DovanMediaTypeSwitchesBothTrackColumnsAndTheirLists) {
  Start(kProductDovan);
  AddFiles({Video("a-b.mpg")});
  const struct {
    const char8_t* media;
    const char8_t* accomp;
    const char8_t* vocal;
    std::size_t listSize;
  } cases[] = {
      {u8"DVD", u8"DVD 0 轨", u8"DVD 1 轨", 8},
      {u8"VCD", u8"VCD伴唱", u8"VCD原唱", 2},
      {u8"DVD", u8"DVD 0 轨", u8"DVD 1 轨", 8},
      {u8"蓝光", u8"VCD伴唱", u8"VCD原唱", 2},  // in no list: code 1, not DVD
  };
  for (const auto& c : cases) {
    form.EditCell(kColMedia, 0, Gbk(c.media));
    EXPECT_EQ(Cell(kColAccomp, 0), Gbk(c.accomp)) << gbk::ToUtf8(Gbk(c.media));
    EXPECT_EQ(Cell(kColVocal, 0), Gbk(c.vocal));
    EXPECT_EQ(form.Grid().Column(kColAccomp).items.size(), c.listSize);
    EXPECT_EQ(form.Grid().Column(kColVocal).items.size(), c.listSize);
  }
  // The lists belong to the column: a click follows the clicked row.
  AddFiles({Video("c-d.mpg")});
  form.EditCell(kColMedia, 0, "DVD");
  form.lvListCellClick(kColTitle, 1);
  EXPECT_EQ(form.Grid().Column(kColAccomp).items.size(), 2u);
  form.lvListCellClick(kColTitle, 0);
  EXPECT_EQ(form.Grid().Column(kColAccomp).items.size(), 8u);
}

TEST_F(MainForm, DeletingTheOnlyRowIsClearingAndNoCurrentRowDeletesNothing) {
  Start(kProductOru);
  AddFiles({Video("a-b.mpg"), Video("c-d.mpg")});
  form.Grid().SetCurrent(kColTitle, -1);
  form.N1Click();
  EXPECT_EQ(form.Grid().RowCount(), 2);
  form.Grid().SetCurrent(kColTitle, 0);
  form.N1Click();
  view.Drain();
  EXPECT_EQ(Cell(kColNumber, 0), "0001") << "the other rows keep their numbers";
  EXPECT_TRUE(view.enabled[1]);
  form.Grid().SetCurrent(kColTitle, 0);
  form.N1Click();
  view.Drain();
  EXPECT_EQ(form.Grid().RowCount(), 0);
  EXPECT_EQ(view.status, Gbk(u8"您目前已加入 0 首歌曲, 所需空间 0M"));
  EXPECT_FALSE(view.enabled[1]);
  AddFiles({Video("z-x.mpg")});
  EXPECT_EQ(Cell(kColNumber, 0), "0000") << "numbered from 0000 again";
}

TEST_F(MainForm, StatusLineCountsTheSongsAndTheRoomTheirFilesNeed) {
  Start(kProductMirel);
  env.fakeSizes = {
      {"/v/a-x.mpg", 1073741824}, {"/v/b-x.mpg", 268435456}, {"/v/c-x.mpg", 268435456}};
  AddFiles({"/v/a-x.mpg", "/v/b-x.mpg", "/v/c-x.mpg", "/v/missing-x.mpg"});
  EXPECT_EQ(view.status, Gbk(u8"您目前已加入 4 首歌曲, 所需空间 1.50G"));
}

}  // namespace

namespace {

// UTF-8 text as the std::string a file dialog's path is.
std::string Utf8Of(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

TEST(RefusedPaths, TheMessageSaysWhyThenNamesEachPathOnALineOfItsOwnInUtf8) {
  const std::string why =
      Utf8Of(u8"以下文件的名字含有不能保存的字符（只能使用简体中文GBK字符），没有添加：");
  const std::string korean = Utf8Of(u8"/home/k/노래.mpg"), emoji = Utf8Of(u8"/home/k/歌🎤.mpg");
  const struct {
    std::vector<std::string> refused;
    std::string lines;  // what follows the reason's line
  } cases[] = {
      {{korean}, korean},
      {{korean, emoji}, korean + "\r\n" + emoji},
  };
  for (const auto& c : cases) {
    const std::string message = RefusedPathsMessage(c.refused);
    EXPECT_EQ(message, why + "\r\n" + c.lines);
    EXPECT_TRUE(gbk::IsUtf8(message));
  }
}

TEST(RefusedPaths, ThePathsOfNoGbkFormAreTheOnesRefusedInOrder) {
  const std::string korean = Utf8Of(u8"/k/노래.mpg"), chinese = Utf8Of(u8"/k/月亮.mpg"),
                    emoji = Utf8Of(u8"/k/🎤.mpg");
  const TChosenPaths paths = GbkPathsOf({korean, chinese, "", emoji, "/k/a.mpg"});
  EXPECT_EQ(paths.gbk, (std::vector<std::string>{Gbk(u8"/k/月亮.mpg"), "/k/a.mpg"}));
  EXPECT_EQ(paths.refused, (std::vector<std::string>{korean, "", emoji}));
}

TEST(SpinText, AnIntegerEditorLeavesTheNumberTypedInItsRangeOrTheCellsNumber) {
  TGrid grid;
  grid.AppendRows(1);
  grid.SetCell(kColWords, 0, "7");
  const struct {
    std::string typed, kept;
  } cases[] = {
      {"42", "42"},
      {"0", "0"},
      {"9999", "9999"},
      {"123456", "9999"},
      {"-5", "0"},
      {"12ab", "12"},
      {"", "7"},
      {"ab", "7"},
      {" 3", "7"},                    // no number where the text starts
      {"99999999999999999999", "7"},  // too long for any number: none typed
  };
  for (const auto& c : cases) {
    EXPECT_EQ(grid.SpinText(kColWords, 0, c.typed), c.kept) << '"' << c.typed << '"';
  }
}

}  // namespace
