// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/phrase_pinyin.h"

#include <gtest/gtest.h>

#include <string>

#include "text/gbk.h"
#include "text/pycode.h"

namespace {

struct TitleCase {
  std::string text;  // GBK
  std::string want;
};

std::string Shown(const std::string& gbkText) {
  return gbk::TryToUtf8(gbkText).value_or("(bytes)");
}

TEST(PhraseInitials, ReadsPolyphonesInPhrasesAsCustomersTypeThem) {
  const TitleCase cases[] = {
      {Gbk(u8"重庆森林"), "CQSL"},    {Gbk(u8"长城谣"), "CCY"},  // 长城, then 谣 alone
      {Gbk(u8"长城"), "CC"},          {Gbk(u8"行走"), "XZ"},
      {Gbk(u8"乐队"), "YD"},          {Gbk(u8"会计"), "KJ"},
      {Gbk(u8"银行"), "YH"},          {Gbk(u8"音乐"), "YY"},  // yin yue
      {Gbk(u8"快乐"), "KL"},          {Gbk(u8"长大"), "ZD"},
      {Gbk(u8"重逢"), "CF"},          {Gbk(u8"久别重逢"), "JBCF"},
      {Gbk(u8"自行车"), "ZXC"},       {Gbk(u8"旅行的意义"), "LXDYY"},
      {Gbk(u8"天长地久"), "TCDJ"},    {Gbk(u8"青藏高原"), "QZGY"},
      {Gbk(u8"倔强"), "JJ"},          {Gbk(u8"朝花夕拾"), "ZHXS"},
      {Gbk(u8"弹唱"), "TC"},          {Gbk(u8"蓝调"), "LD"},
      {Gbk(u8"哪儿"), "NE"},  // the 儿 of erhua is typed as er
      {Gbk(u8"我的中国心"), "WDZGX"}, {Gbk(u8"北京欢迎你"), "BJHYN"},
  };
  for (const auto& c : cases) EXPECT_EQ(PhraseInitials(c.text, 255), c.want) << Shown(c.text);
}

TEST(PhraseInitials, ReadsOurOwnRowsWhereTheDictionaryLacksTheSongsSense) {
  const TitleCase cases[] = {
      {Gbk(u8"长亭外"), "CTW"},       {Gbk(u8"长路漫漫"), "CLMM"},
      {Gbk(u8"最长的电影"), "ZCDDY"}, {Gbk(u8"一路同行"), "YLTX"},
      {Gbk(u8"迎着朝阳"), "YZZY"},    {Gbk(u8"重头再来"), "CTZL"},
      {Gbk(u8"给我一个吻"), "GWYGW"}, {Gbk(u8"弹起我心爱的土琵琶"), "TQWXADTPP"},
      {Gbk(u8"长长久久"), "CCJJ"},
  };
  for (const auto& c : cases) EXPECT_EQ(PhraseInitials(c.text, 255), c.want) << Shown(c.text);
}

TEST(PhraseInitials, ReadsCharactersOutsidePhrasesOneByOne) {
  const TitleCase cases[] = {
      {Gbk(u8"重"), "Z"},  // the per-character readings
      {Gbk(u8"长"), "Z"},          {Gbk(u8"行"), "H"},
      {Gbk(u8"乐"), "L"},          {Gbk(u8"重 庆"), "ZQ"},  // a space parts a phrase
      {Gbk(u8"重-庆"), "ZQ"},      {Gbk(u8"长ａ城"), "ZaC"},
      {Gbk(u8"二〇一二"), "ELYE"},  // 〇 reads ling here too
      {Gbk(u8"机会计划"), "JHJH"},  // 机会 comes first, then 计划: not 会计
  };
  for (const auto& c : cases) EXPECT_EQ(PhraseInitials(c.text, 255), c.want) << Shown(c.text);
}

TEST(PhraseInitials, KeepsEveryOtherRuleOfThePerCharacterReading) {
  const std::string texts[] = {
      Gbk(u8"K歌之王"),
      "2046",
      Gbk(u8"Ｌ.Ｏ.Ｖ.Ｅ"),
      Gbk(u8"ｌｏｖｅ你"),
      Gbk(u8"恋曲1990"),
      Gbk(u8"野狼disco"),
      Gbk(u8"Ⅻ号θ①"),
      Gbk(u8"，。！　"),
      Gbk(u8"丆中"),  // no reading: dropped
      "\xB0",         // a lead byte at the end
      "\xB0"
      "1",
      "\xFF\x41",
      "\xA3\x9E",
      "A-1 b;c",
      "",
  };
  for (const auto& text : texts) {
    EXPECT_EQ(PhraseInitials(text, 255), PinyinInitials(text, 0, 255)) << Shown(text);
  }
}

TEST(PhraseInitials, CutsTheResultAsThePerCharacterReadingDoes) {
  std::string longTitle;
  for (int i = 0; i < 80; ++i) longTitle += Gbk(u8"重庆森林");
  const struct {
    std::string text;
    int maxLength;
    std::string want;
  } cases[] = {
      {longTitle, 255,
       [] {
         std::string want;
         for (int i = 0; i < 64; ++i) want += "CQSL";
         return want.substr(0, 255);
       }()},
      {Gbk(u8"重庆森林"), 3, "CQS"},
      {Gbk(u8"重庆森林"), 1, "C"},  // also inside a phrase
      {Gbk(u8"重庆"), 0, ""},
      {Gbk(u8"重庆"), -1, ""},
      {std::string(300, 'a'), 255, std::string(255, 'A')},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PhraseInitials(c.text, c.maxLength), c.want) << c.maxLength;
  }
}

TEST(UnsettledPolyphones, NamesThePolyphonesNoPhraseSettled) {
  const struct {
    std::string text;
    bool byPhrases;
    std::string want;
  } cases[] = {
      {Gbk(u8"重庆森林"), true, ""},
      {Gbk(u8"重庆森林"), false, Gbk(u8"重")},  // no phrase settles a per-character reading
      {Gbk(u8"重"), true, Gbk(u8"重")},
      {Gbk(u8"重重"), true, Gbk(u8"重")},  // zhong zhong or chong chong: once
      {Gbk(u8"我的中国心"), true, ""},
      {Gbk(u8"我的中国心"), false, ""},
      {Gbk(u8"银行"), true, ""},
      {Gbk(u8"同行"), true, ""},
      {Gbk(u8"行长"), false, Gbk(u8"行长")},
      {Gbk(u8"给"), true, Gbk(u8"给")},
      {Gbk(u8"给我一个吻"), true, ""},
      {Gbk(u8"一行白鹭"), true, Gbk(u8"行")},  // yi hang or yi xing: our rows leave it open
      {Gbk(u8"重 庆"), true, Gbk(u8"重")},
      {"\xD6", true, ""},  // half a 重
      {"", false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnsettledPolyphones(c.text, c.byPhrases), c.want)
        << Shown(c.text) << (c.byPhrases ? " by phrases" : " by characters");
  }
}

TEST(PolyphoneReadings, GivesThePerCharacterReadingFirst) {
  const struct {
    std::string character;
    std::string want;
  } cases[] = {
      {Gbk(u8"重"), "zhong / chong"},
      {Gbk(u8"长"), "zhang / chang"},
      {Gbk(u8"行"), "hang / xing"},
      {Gbk(u8"乐"), "le / yue"},
      {Gbk(u8"率"), Gbk(u8"lü / shuai")},
      {Gbk(u8"中"), ""},
      {Gbk(u8"重庆"), ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PolyphoneReadings(c.character), c.want) << Shown(c.character);
  }
}

}  // namespace
