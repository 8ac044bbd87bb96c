#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_command.h"

namespace {

TEST(CliPinyin, PrintsTheInitialsOfAUtf8Title) {
  const struct {
    std::vector<std::string> words;
    std::string out;
  } cases[] = {
      {{"pinyin", "中国"}, "ZG\n"},
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
