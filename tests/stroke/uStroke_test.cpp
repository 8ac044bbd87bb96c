// SPDX-License-Identifier: GPL-3.0-or-later
// The stroke text of a title, and the console command that shows it.
#include "text/uStroke.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "stroke/OruStroke.h"
#include "text/gbk.h"

namespace {

struct Case {
  const char* what;
  std::string title;
  std::string strokes;
};

TEST(StrokeText, JoinsTheCountOfEveryCodeUnitWithoutSeparators) {
  const std::vector<Case> cases = {
      {"two characters", Gbk(u8"海风"), "104"},
      {"empty title", "", ""},
      {"blank title", " \t\r\n", ""},
      {"blanks at both ends are trimmed", Gbk(u8"  海风 "), "104"},
      {"a tab at the end is trimmed", Gbk(u8"海风\t"), "104"},
      {"control bytes at the start are trimmed", "\x01\x1f" + Gbk(u8"中国"), "48"},
      {"a letter gives 0 and is joined", Gbk(u8"A海"), "010"},
      {"an inner blank gives 0", Gbk(u8"海 风"), "1004"},
      {"digits give 0 each", "2046", "0000"},
      {"full-width letters and punctuation give 0", Gbk(u8"Ａ。"), "00"},
      {"euro sign (single byte 80) gives 0", "\x80", "0"},
      {"two-digit counts stay whole", Gbk(u8"龍鑫龘"), "162448"},
      {"a longer title", Gbk(u8"月亮代表我的心"), "4958784"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrokeText(c.title), c.strokes) << c.what;
  }
}

TEST(StrokeText, RefusesATitleThatIsNotValidGbk) {
  const std::vector<std::string> bad = {
      "\x81",  // lead byte at the end
      "\xB0"
      "1",     // lead byte with a trail byte out of range
      "\xFF",  // not a character of the code page
      Gbk(u8"海") + "\xFF" + Gbk(u8"风"),
  };
  for (const auto& title : bad) {
    EXPECT_THROW(StrokeText(title), gbk::ConversionError) << title.size() << " bytes";
  }
}

// The library covers exactly the Han characters of the code page: every
// double-byte code whose character is a CJK ideograph has a count, and no
// character outside those blocks has one.
bool IsHanBlock(char16_t unit) {
  return (unit >= 0x3400 && unit <= 0x4DBF) || (unit >= 0x4E00 && unit <= 0x9FFF) ||
         (unit >= 0xF900 && unit <= 0xFAFF);
}

TEST(StrokeCoverage, EveryHanCharacterOfTheCodePageHasACountAndNothingElseHas) {
  int han = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const char16_t unit =
          gbk::DecodePair(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
      if (unit == 0) continue;
      const std::int32_t n = GetStroke_Unicode(unit);
      if (IsHanBlock(unit)) {
        ++han;
        EXPECT_GT(n, 0) << std::hex << "GBK " << lead << trail << " U+" << int(unit);
      } else {
        EXPECT_EQ(n, 0) << std::hex << "GBK " << lead << trail << " U+" << int(unit);
      }
    }
  }
  EXPECT_GT(han, 20000);  // the code page's 20902 unified ideographs and more
  for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
    if (GetStroke_Unicode(unit) != 0) {
      EXPECT_NE(gbk::EncodeUnit(static_cast<char16_t>(unit)), -1)
          << std::hex << "U+" << unit << " has a count but no GBK form";
    }
  }
}

}  // namespace
