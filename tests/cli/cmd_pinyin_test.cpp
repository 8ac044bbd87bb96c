// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_command.h"

namespace {

TEST(CliPinyin, PrintsTheInitialsOfAUtf8TitleByWordsOrCharacterByCharacter) {
  const struct {
    std::vector<std::string> words;
    std::string out;
  } cases[] = {
      {{"pinyin", "中国"}, "ZG\n"},
      {{"pinyin", "重庆森林"}, "CQSL\n"},  // what the grid fills
      {{"pinyin", "--per-character", "重庆森林"}, "ZQSL\n"},
      {{"pinyin", "重庆森林", "--per-character"}, "ZQSL\n"},
      {{"pinyin", "--options", "0", "长城"}, "ZC\n"},  // option bits read per character
      {{"pinyin", "--max", "3", "重庆森林"}, "CQS\n"},
      {{"pinyin", "--per-character", "--max", "3", "重庆森林"}, "ZQS\n"},
      {{"pinyin", "二〇一二"}, "ELYE\n"},
      {{"pinyin", "--per-character", "二〇一二"}, "ELYE\n"},
      {{"pinyin", "K歌之王"}, "KGZW\n"},
      {{"pinyin", "Ｌ.Ｏ.Ｖ.Ｅ"}, "LOVE\n"},
      {{"pinyin", "--", "--per-character"}, "PERCHARACTER\n"},
      {{"pinyin", "--options", "1", "中国"}, "ZHONGGUO\n"},
      {{"pinyin", "--max", "3", "--options", "1", "中国"}, "ZHO\n"},
      {{"pinyin", "--options", "4", "ｌｏｖｅ，"}, "love,\n"},
      {{"pinyin", "--options", "-1", "中国"}, "\n"},
      {{"pinyin", "--", "--max"}, "MAX\n"},
      {{"pinyin", ""}, "\n"},
      {{"words", "你好，世界"}, "5\n"},
      {{"words", "Hello World"}, "2\n"},
  };
  for (const auto& c : cases) {
    const CommandResult run = RunCli(c.words);
    EXPECT_EQ(run.status, 0) << c.words.back() << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.words.back();
  }
}

TEST(CliPinyin, RefusesTextWithoutGbkFormAndBadUsageWithStatusTwo) {
  struct Case {
    std::vector<std::string> words;
    std::string errPart;
  };
  std::vector<Case> cases = {
      {{"pinyin", "한국"}, "no GBK form"},
      {{"words", "a😀"}, "no GBK form"},
      {{"pinyin"}, "usage:"},
      {{"pinyin", "a", "b"}, "usage:"},
      {{"pinyin", "--per-character"}, "usage:"},
      {{"pinyin", "--options", "x", "a"}, "usage:"},
      {{"pinyin", "--max"}, "usage:"},
      {{"pinyin", "--bogus", "a"}, "usage:"},
      {{"words"}, "usage:"},
      {{"words", "a", "b"}, "usage:"},
  };
#if !defined(_WIN32)  // a Windows command line is UTF-16: it cannot hold broken UTF-8
  cases.push_back({{"pinyin", "\xC3"}, "no GBK form"});
#endif
  for (const auto& c : cases) {
    const CommandResult run = RunCli(c.words);
    EXPECT_EQ(run.status, 2) << c.words.back();
    EXPECT_EQ(run.out, "") << c.words.back();
    EXPECT_NE(run.err.find(c.errPart), std::string::npos) << c.words.back() << ": " << run.err;
  }
}

}  // namespace
