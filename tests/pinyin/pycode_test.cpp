// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/pycode.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text/gbk.h"

namespace {

constexpr int kWhole = kPinyinWholeSyllables;
constexpr int kMark = kPinyinMarkUnknown;
constexpr int kKeep = kPinyinKeepOthers;

struct InitialsCase {
  std::string text;  // GBK
  int options;
  int maxLength;
  std::string want;
};

void Check(const InitialsCase& c) {
  EXPECT_EQ(PinyinInitials(c.text, c.options, c.maxLength), c.want)
      << "text '" << gbk::TryToUtf8(c.text).value_or("(bytes)") << "' options " << c.options
      << " max " << c.maxLength;
}

TEST(PinyinInitials, GivesInitialsOrWholeSyllablesOfChineseAndKeepsLettersAndDigits) {
  const InitialsCase cases[] = {
      {Gbk(u8"中国"), 0, 255, "ZG"},
      {Gbk(u8"中国"), kWhole, 255, "ZHONGGUO"},
      {Gbk(u8"长城"), 0, 255, "ZC"},
      {Gbk(u8"Love你"), 0, 255, "LOVEN"},
      {Gbk(u8"Love你"), kWhole, 255, "LOVENI"},
      {Gbk(u8"我的1990年"), 0, 255, "WD1990N"},
      {Gbk(u8"女人"), kWhole, 255, "NVREN"},
      {Gbk(u8"二〇一二"), 0, 255, "ELYE"},  // 〇 is the 零 of a year
      {Gbk(u8"〇"), kWhole | kMark, 255, "LING"},
      {"", 0, 255, ""},
      {"", kWhole | kMark | kKeep, 255, ""},
  };
  for (const auto& c : cases) Check(c);
}

TEST(PinyinInitials, DropsOtherSingleBytesUnlessBitTwoKeepsThem) {
  const InitialsCase cases[] = {
      {"A-1 B", 0, 255, "A1B"},
      {"A-1 B", kKeep, 255, "A-1 B"},
      {"a-b c!", kKeep, 255, "A-B C!"},  // kept, but still upper-cased
      {"\x80", 0, 255, ""},              // the euro sign is a single byte
      {"\x80", kKeep, 255, "\x80"},
      {"\xB0", 0, 255, ""},  // a lead byte at the end stands alone
      {"\xB0", kKeep, 255, "\xB0"},
      {"\xB0"
       "1",
       0, 255, "1"},  // a lead byte before a byte below 0x40 too
  };
  for (const auto& c : cases) Check(c);
}

TEST(PinyinInitials, TurnsFullWidthAsciiIntoAsciiKeepingItsCase) {
  const InitialsCase cases[] = {
      {Gbk(u8"ｌｏｖｅ"), 0, 255, "love"}, {Gbk(u8"ＬＯＶＥ"), 0, 255, "LOVE"},
      {Gbk(u8"０９"), 0, 255, "09"},       {Gbk(u8"，"), 0, 255, ""},
      {Gbk(u8"，"), kMark, 255, ""},  // dropped, not unknown
      {Gbk(u8"，"), kKeep, 255, ","},      {Gbk(u8"！ａ＃"), kKeep, 255, "!a#"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(PinyinInitials, WritesNumeralsAsDigitsAndGreekLettersInLatin) {
  const InitialsCase cases[] = {
      {Gbk(u8"Ⅻ号"), 0, 255, "12H"},
      {Gbk(u8"ⅰⅹ"), 0, 255, "110"},
      {Gbk(u8"⒈⒛"), 0, 255, "120"},
      {Gbk(u8"⑴⒇"), 0, 255, "120"},
      {Gbk(u8"①⑩"), 0, 255, "110"},
      {Gbk(u8"㈠㈩"), 0, 255, "110"},
      {Gbk(u8"Ⅰ"), kWhole, 255, "1"},
      {"\xA2\xAB", kMark, 255, ""},   // numeral row, no numeral: empty piece
      {"\xA2\xA0", kMark, 255, "?"},  // below the numerals: no reading
      {Gbk(u8"θ"), 0, 255, "TH"},
      {Gbk(u8"Θ"), 0, 255, "TH"},
      {Gbk(u8"αΩψ"), 0, 255, "AOPS"},
      {Gbk(u8"βγδεζηικλμνξοπρστυφχ"), 0, 255, "BGDEZEIKLMNXOPRSTUPHKH"},
      {"\xA6\xB9", kMark, 255, "?"},  // Greek row, between capitals and small letters
      {"\xA6\xE0", kMark, 255, "?"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(PinyinInitials, GivesNothingOrAQuestionMarkForCharactersWithoutReading) {
  const InitialsCase cases[] = {
      {Gbk(u8"丆"), 0, 255, ""},
      {Gbk(u8"丆"), kMark, 255, "?"},
      {Gbk(u8"。"), 0, 255, ""},
      {Gbk(u8"。"), kMark, 255, "?"},
      {Gbk(u8"ā"), 0, 255, ""},
      {Gbk(u8"ā"), kMark, 255, "?"},
      {Gbk(u8"　"), kMark, 255, "?"},  // the full-width space
      {Gbk(u8"丆中"), kMark | kWhole, 255, "?ZHONG"},
      {"\xFF\x41", kMark, 255, "?"},  // 0xFF takes the next byte with it
      {"\xB0\xFF", kMark, 255, "?"},
      {"\xB0\xFF", 0, 255, ""},
      {"\xB0\x7F", kMark, 255, "?"},  // trail 0x7F is no character
      // Row 0xA3 below the full-width ASCII is user-defined: no byte of
      // its own (0xA3 0x9E once gave the control byte 0x1E, 0xA3 0x41 0xC1).
      {"\xA3\x9E", kKeep, 255, ""},
      {"\xA3\x80", kKeep, 255, ""},
      {"\xA3\x41", kKeep | kMark, 255, "?"},
      {std::string("\xA3\xA0") + "a", kKeep, 255, "A"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(PinyinInitials, CutsTheResultToTheMaximumLength) {
  const std::string letters(300, 'a');
  const InitialsCase cases[] = {
      {letters, 0, 255, std::string(255, 'A')},
      {letters, 0, 300, std::string(300, 'A')},
      {letters, 0, 1000, std::string(300, 'A')},
      {Gbk(u8"中国"), kWhole, 3, "ZHO"},  // also inside a syllable
      {Gbk(u8"中国"), kWhole, 5, "ZHONG"},
      {Gbk(u8"Ⅻ"), 0, 1, "1"},
      {Gbk(u8"中国"), 0, 0, ""},
      {Gbk(u8"中国"), 0, -1, ""},
      {Gbk(u8"中国"), 0, INT_MIN, ""},
  };
  for (const auto& c : cases) Check(c);
}

TEST(PinyinInitials, NegativeOptionsGiveTheEmptyText) {
  for (int options : {-1, -2, -8, INT_MIN}) {
    EXPECT_EQ(PinyinInitials(Gbk(u8"中国abc"), options, 255), "") << options;
  }
}

TEST(PinyinInitials, UsesTheChosenReadingOfCharactersWithSeveralReadings) {
  const struct {
    const char8_t* character;
    const char* syllable;
  } rows[] = {
      {u8"长", "ZHANG"}, {u8"行", "HANG"}, {u8"重", "ZHONG"}, {u8"还", "HUAN"},  {u8"觉", "JIAO"},
      {u8"调", "TIAO"},  {u8"地", "DI"},   {u8"藏", "CANG"},  {u8"薄", "BAO"},   {u8"乐", "LE"},
      {u8"了", "LE"},    {u8"会", "HUI"},  {u8"和", "HE"},    {u8"女", "NV"},    {u8"吕", "LV"},
      {u8"给", "GEI"},   {u8"嗲", "DIA"},  {u8"岑", "CEN"},   {u8"中", "ZHONG"}, {u8"国", "GUO"},
      {u8"海", "HAI"},   {u8"丆", "?"},    {u8"乊", "?"},     {u8"乤", "?"},
  };
  for (const auto& row : rows) {
    const std::string text = Gbk(row.character);
    EXPECT_EQ(PinyinInitials(text, kWhole | kMark, 255), row.syllable) << gbk::ToUtf8(text);
    EXPECT_EQ(PinyinInitials(text, kMark, 255), std::string(row.syllable, 1)) << gbk::ToUtf8(text);
  }
}

TEST(PinyinInitials, ReadsCharactersWhoseFirstReadingIsNoListedSyllableByAnotherReading) {
  const InitialsCase cases[] = {
      {Gbk(u8"谁"), kWhole, 255, "SHUI"},       // shei is no syllable of the list
      {Gbk(u8"噷"), kWhole, 255, "XIN"},        // hm
      {Gbk(u8"嗯"), kWhole, 255, "N"},          // ng
      {Gbk(u8"剋"), kWhole, 255, "KE"},         // kei
      {Gbk(u8"覅"), kWhole | kMark, 255, "?"},  // fiao and nothing else
      {"\xFD\x9C", kWhole, 255, "LANG"},        // compatibility form of 郎
  };
  for (const auto& c : cases) Check(c);
}

TEST(CountTitleWords, CountsChineseCharactersAndWesternWords) {
  const struct {
    std::string text;
    int want;
  } cases[] = {
      {Gbk(u8"你好"), 2},
      {"Hello World", 2},
      {"abc.def", 2},
      {"abc,def", 1},
      {"a-b", 1},
      {Gbk(u8"Love你"), 2},
      {Gbk(u8"你好，世界"), 5},  // full-width punctuation counts
      {Gbk(u8"你　好"), 3},      // so does the full-width space
      {"abc,", 0},
      {"", 0},
      {"   ", 0},
      {"a  b ", 2},
      {"a;b/c\\d\"e", 1},
      {"..a..", 1},
      {"1990", 1},
      {Gbk(u8"我的1990"), 3},
      {Gbk(u8"1990年"), 2},
      {"\xB0\x20", 1},  // a lead byte before a space is a character of its own
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountTitleWords(c.text), c.want)
        << "text '" << gbk::TryToUtf8(c.text).value_or("(bytes)") << "'";
  }
}

}  // namespace
