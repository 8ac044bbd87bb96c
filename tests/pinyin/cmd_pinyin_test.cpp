#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

// Runs addsongs-cli with the words and collects its exit status and output.
CliResult Cli(const std::vector<std::string>& words) {
  TempDir temp;
  std::string command = Quote(ADDSONGS_CLI);
  for (const auto& w : words) command += " " + Quote(w);
  const auto out = temp.path() / "out";
  const auto err = temp.path() / "err";
  const auto status = temp.path() / "status";
  command += " > " + Quote(out.string()) + " 2> " + Quote(err.string()) + "; echo $? > " +
             Quote(status.string());
  if (std::system(command.c_str()) != 0) return {-1, "", "the shell failed"};
  return {std::stoi(TempDir::Read(status)), TempDir::Read(out), TempDir::Read(err)};
}

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
    const CliResult run = Cli(c.words);
    EXPECT_EQ(run.status, 0) << c.words.back() << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.words.back();
  }
}

TEST(CliPinyin, RefusesTextWithoutGbkFormAndBadUsageWithStatusTwo) {
  const struct {
    std::vector<std::string> words;
    std::string errPart;
  } cases[] = {
      {{"pinyin", "한국"}, "no GBK form"},
      {{"words", "a😀"}, "no GBK form"},
      {{"pinyin", "\xC3"}, "no GBK form"},  // broken UTF-8
      {{"pinyin"}, "usage:"},
      {{"pinyin", "a", "b"}, "usage:"},
      {{"pinyin", "--options", "x", "a"}, "usage:"},
      {{"pinyin", "--max"}, "usage:"},
      {{"pinyin", "--bogus", "a"}, "usage:"},
      {{"words"}, "usage:"},
      {{"words", "a", "b"}, "usage:"},
  };
  for (const auto& c : cases) {
    const CliResult run = Cli(c.words);
    EXPECT_EQ(run.status, 2) << c.words.back();
    EXPECT_EQ(run.out, "") << c.words.back();
    EXPECT_NE(run.err.find(c.errPart), std::string::npos) << c.words.back() << ": " << run.err;
  }
}

}  // namespace
