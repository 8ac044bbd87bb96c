// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "support/run_command.h"
#include "text/gbk.h"
#include "text/pinyin_tables.h"

namespace {

bool IsHan(char16_t u) {
  return (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) ||
         (u >= 0xF900 && u <= 0xFAFF);
}

std::string Syllable(int number) {
  return std::string(PinyinSyllables[number - 1]);
}

TEST(PinyinSyllables, HoldsTheStandardSyllablesThenAnEmptyOneThenTheTwelveOthers) {
  ASSERT_EQ(std::size(PinyinSyllables), 406u);
  const char* const head[] = {"a", "ai", "an", "ang", "ao", "ba"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Syllable(i + 1), head[i]);
  EXPECT_EQ(Syllable(391), "zui");
  EXPECT_EQ(Syllable(392), "zun");
  EXPECT_EQ(Syllable(393), "zuo");
  EXPECT_EQ(Syllable(394), "");
  const char* const others[] = {"ei", "m",  "n",  "dia", "cen", "nou",
                                "jv", "qv", "xv", "lv",  "nv",  "gei"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(Syllable(395 + i), others[i]);

  for (int w = 1; w <= 406; ++w) {
    if (w == 394) continue;
    const std::string s = Syllable(w);
    EXPECT_TRUE(!s.empty() && s.size() <= 6 &&
                std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        << w << " '" << s << "'";
    if (w >= 2 && w <= 393) {
      EXPECT_LT(Syllable(w - 1), s) << "not in order at " << w;
    }
    if (w <= 393) {
      for (int o = 395; o <= 406; ++o) EXPECT_NE(s, Syllable(o)) << w;
    }
  }
}

TEST(PinyinIndex, GivesAReadingToHanIdeographsAndTheIdeographicZeroOnly) {
  int han = 0;
  int withReading = 0;
  int others = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::uint16_t w =
          PinyinIndexAt(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
      const char16_t u =
          gbk::DecodePair(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
      EXPECT_TRUE(w <= 406 && w != 394) << std::hex << lead << trail << ": " << w;
      if (u == 0x3007) {  // 〇, read as the 零 it stands for
        EXPECT_EQ(Syllable(w), "ling");
      } else if (u != 0 && IsHan(u)) {
        ++han;
        if (w != 0) ++withReading;
      } else {
        ++others;
        // Symbols, letters, user-defined and unassigned codes.
        EXPECT_EQ(w, 0) << std::hex << "code " << lead << trail << " U+" << int{u};
      }
    }
  }
  EXPECT_EQ(han, 20923);
  EXPECT_EQ(withReading, 20889);
  EXPECT_EQ(han - withReading, 34);
  EXPECT_EQ(others, 126 * 191 - 20923 - 1);  // all but the ideographs and 〇
}

TEST(PinyinIndex, LeavesTheGreekNumeralAndFullWidthRowsEmpty) {
  for (int lead : {0xA2, 0xA3, 0xA6}) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      EXPECT_EQ(PinyinIndexAt(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail)), 0)
          << std::hex << lead << trail;
    }
  }
}

TEST(PinyinIndex, MatchesItsGeneratorRunOnTheInstalledUnicodeData) {
#if defined(_WIN32)
  GTEST_SKIP() << "the table generators are Linux tools, checked by the Linux build";
#endif
  const std::filesystem::path unihan = "/usr/share/unicode/Unihan_Readings.txt.bz2";
  if (!std::filesystem::exists(unihan)) {
    GTEST_SKIP() << unihan << " is missing (Debian package unicode-data)";
  }
  const std::string other =
      DataVersionDiffers("src/text/pinyin_index.inc", "bzcat " + unihan.string() + " | head -n 20",
                         "Unicode version: ");
  if (!other.empty()) GTEST_SKIP() << other;
  std::string why;
  EXPECT_TRUE(GeneratorReproduces("tools/gen_pinyin_index.py", "src/text/pinyin_index.inc", why))
      << why;
}

}  // namespace
