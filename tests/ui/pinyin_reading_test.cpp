// SPDX-License-Identifier: GPL-3.0-or-later
// The 拼音 column: read by words by default, character by character when the
// owner says so, and marked where a polyphone's reading was only guessed.
#include <optional>
#include <string>

#include "ui/pinyin_reading.h"
#include "ui/ui_fixture.h"
#include "ui/ui_texts.h"

namespace {

TEST_F(MainForm, RowsAreReadByWordsUntilTheSettingSaysCharacterByCharacter) {
  Start(2);
  EXPECT_EQ(form.PinyinReading(), TPinyinReading::kPhrases);
  AddFiles({Video("重庆森林-王菲.mpg")});  // the new-song dialog
  form.AddDroppedFiles({Video("长城谣-周小燕.mpg")});
  form.SetPinyinReading(TPinyinReading::kPerCharacter);
  AddFiles({Video("行走-许巍.mpg")});
  form.AddDroppedFiles({Video("乐队的夏天-x.mpg")});
  const struct {
    int row;
    std::string pinyin;
  } rows[] = {{0, "CQSL"}, {1, "CCY"}, {2, "HZ"}, {3, "LDDXT"}};
  for (const auto& r : rows) EXPECT_EQ(Cell(kColPinyin, r.row), r.pinyin) << r.row;

  // A row's title edited afterwards is read the way the setting says now.
  form.EditCell(kColTitle, 0, Gbk(u8"重逢"));
  EXPECT_EQ(Cell(kColPinyin, 0), "ZF");
  form.SetPinyinReading(TPinyinReading::kPhrases);
  form.EditCell(kColTitle, 2, Gbk(u8"行走的力量"));
  EXPECT_EQ(Cell(kColPinyin, 2), "XZDLL");
  EXPECT_EQ(Cell(kColPinyin, 3), "LDDXT");  // untouched
}

TEST_F(MainForm, APolyphoneNoPhraseSettledMarksThePinyinCellNamingItsReadings) {
  Start(2);
  form.Grid().AppendRows(1);
  const std::string polyphones = ui_text::PolyphoneTip(Gbk(u8"重"));
  const struct {
    const char8_t* title;
    TPinyinReading reading;
    std::string pinyin;
    std::string tip;  // "": no mark
  } cases[] = {
      {u8"重庆森林", TPinyinReading::kPhrases, "CQSL", ""},
      {u8"重", TPinyinReading::kPhrases, "Z", polyphones},
      {u8"很重", TPinyinReading::kPhrases, "HZ", polyphones},
      {u8"重庆森林", TPinyinReading::kPerCharacter, "ZQSL", polyphones},
      {u8"我的中国心", TPinyinReading::kPhrases, "WDZGX", ""},
      {u8"我的中国心", TPinyinReading::kPerCharacter, "WDZGX", ""},
      {u8"丆重", TPinyinReading::kPhrases, "Z",
       ui_text::NoPinyinTip(Gbk(u8"丆")) + "\n" + polyphones},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(reinterpret_cast<const char*>(c.title));
    form.SetPinyinReading(c.reading);
    form.EditCell(kColTitle, 0, Gbk(c.title));
    EXPECT_EQ(Cell(kColPinyin, 0), c.pinyin);
    const TMark& mark = form.Grid().Mark(kColPinyin, 0);
    EXPECT_EQ(mark.kind, c.tip.empty() ? TCellMark::kNone : TCellMark::kDoubtful);
    EXPECT_EQ(mark.tip, c.tip);
  }
}

TEST_F(MainForm, ThePinyinTheOwnerTypesIsNoLongerDoubtful) {
  Start(2);
  AddFiles({Video("心太重-x.mpg")});
  EXPECT_EQ(form.Grid().Mark(kColPinyin, 0).kind, TCellMark::kDoubtful);
  form.EditCell(kColPinyin, 0, "XTZ");  // confirmed as it was
  EXPECT_EQ(form.Grid().Mark(kColPinyin, 0).kind, TCellMark::kNone);
  EXPECT_EQ(Cell(kColPinyin, 0), "XTZ");
  form.EditCell(kColTitle, 0, Gbk(u8"重"));
  EXPECT_EQ(form.Grid().Mark(kColPinyin, 0).kind, TCellMark::kDoubtful);
  form.EditCell(kColPinyin, 0, "C");  // corrected
  EXPECT_EQ(form.Grid().Mark(kColPinyin, 0).kind, TCellMark::kNone);
  form.EditCell(kColSinger, 0, Gbk(u8"歌手"));  // another cell changes nothing
  EXPECT_EQ(form.Grid().Mark(kColPinyin, 0).kind, TCellMark::kNone);
  form.EditCell(kColTitle, 0, Gbk(u8"给"));  // a new title is read again
  EXPECT_EQ(Cell(kColPinyin, 0), "G");
  EXPECT_EQ(form.Grid().Mark(kColPinyin, 0).kind, TCellMark::kDoubtful);
}

TEST(PolyphoneTip, NamesEachCharacterWithItsReadingsOnALineOfItsOwn) {
  EXPECT_EQ(ui_text::PolyphoneTip(Gbk(u8"重长")),
            Gbk(u8"这些字有几种读音，请核对拼音：\n重：zhong / chong\n长：zhang / chang"));
}

TEST(PinyinReadingText, NamesEachChoiceForTheSettingsAndKnowsNoOther) {
  for (TPinyinReading reading : kPinyinReadings) {
    EXPECT_EQ(PinyinReadingFromText(PinyinReadingText(reading)), reading);
    EXPECT_FALSE(ui_text::PinyinReadingName(reading).empty());
  }
  EXPECT_EQ(PinyinReadingText(TPinyinReading::kPhrases), "phrases");
  EXPECT_EQ(PinyinReadingText(TPinyinReading::kPerCharacter), "characters");
  for (const char* text : {"", "Phrases", "per-character", "1"}) {
    EXPECT_EQ(PinyinReadingFromText(text), std::nullopt) << text;
  }
  EXPECT_NE(ui_text::PinyinReadingName(TPinyinReading::kPhrases),
            ui_text::PinyinReadingName(TPinyinReading::kPerCharacter));
}

}  // namespace
