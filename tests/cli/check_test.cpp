// SPDX-License-Identifier: GPL-3.0-or-later
// The check command, run as a newcomer would run it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace {

TEST(CheckCommand, NamesTheProductLineAndJudgesEveryLine) {
  const auto r = RunCli({"check", ADDSONGS_FIXTURES_DIR "/oru_vod.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "product line: ORU 2.0\n"
            "line 1: accepted | 海风;林一;2;HF;660001;2;1;1;1;0\n"
            "line 2: accepted | 小河;歌手甲;2;XH;660002;3;3;14;1;1\n"
            "2 accepted, 0 refused\n");
}

TEST(CheckCommand, RecognisesEveryProductLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"oru_vod.txt", "ORU 2.0"},
      {"tarvel_vod.txt", "Tarvel"},
      {"mirel_vod.txt", "Mirel"},
      {"dovan_vod.txt", "Dovan"},  // told by its UTF-8 mark
  };
  for (const auto& [file, name] : cases) {
    const auto r = RunCli({"check", std::string(ADDSONGS_FIXTURES_DIR "/") + file});
    EXPECT_EQ(r.status, 0) << file << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), std::string("product line: ") + name) << file;
  }
}

TEST(CheckCommand, LinesOfAnotherProductLineAreJudgedByTheFirstRecognisedOne) {
  TempDir dir;
  const auto file = dir.Write("vod.txt",
                              "a;b;2;HF;104;660001;2;1;1;1;1\r\n"  // Tarvel
                              "a;b;2;HF;660001;2;1;1;1;0\r\n");    // ORU
  const auto r = RunCli({"check", file.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("product line: Tarvel\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("line 2: refused: 10 fields, 11 expected"), std::string::npos) << r.out;
}

TEST(CheckCommand, DovanFileWithTextThatHasNoGbkFormIsRefusedLineByLine) {
  TempDir dir;
  const auto file = dir.Write("vod.txt",
                              "\xEF\xBB\xBF"
                              "a;b;2;XH;38;660001;1;1;0;1;5;3;1\r\n"
                              "\xF0\x9F\x98\x80;b;2;XH;38;660001;1;1;0;1;5;3;1\r\n");
  const auto r = RunCli({"check", file.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("line 1: accepted"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("line 2: refused: not UTF-8 text with a GBK form"), std::string::npos)
      << r.out;
}

TEST(CheckCommand, RefusedLinesSayWhyAndGiveStatusOne) {
  TempDir dir;
  const auto file = dir.Write("vod.txt",
                              "  \r\n"
                              "a;b;2;HF;123;2;1;1;1;0\r\n"
                              "a;b;2;HF;660001;2;1;1;1;0\n"
                              "a;b;2;HF;660001;2;1;1;1;0;\r"
                              "a;b;2;HF;660001;2;1;1;1;2\r\n"
                              "a;b;x;HF;660001;2;1;1;1;0\r\n"
                              "\xFF\r\n");
  const auto r = RunCli({"check", file.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.out,
      "product line: ORU 2.0\n"
      "line 1: blank\n"
      "line 2: refused: field 5 (SongNo) does not begin with 66 | a;b;2;HF;123;2;1;1;1;0\n"
      "line 3: accepted | a;b;2;HF;660001;2;1;1;1;0\n"
      "line 4: refused: 11 fields, 10 expected | a;b;2;HF;660001;2;1;1;1;0;\n"
      "line 5: refused: field 10 (Ranking) is not exactly 0 or 1 | a;b;2;HF;660001;2;1;1;1;2\n"
      "line 6: refused: field 3 (WordCount) is not an integer | a;b;x;HF;660001;2;1;1;1;0\n"
      "line 7: refused: not GBK text | \\xFF\n"
      "1 accepted, 5 refused\n");
}

TEST(CheckCommand, NamesTitleCharactersWithoutPinyinOrStrokesPerLine) {
  TempDir dir;
  const auto tarvel =
      dir.Write("tarvel.txt", gbk::FromUtf8("丆さ海;x;3;H;2010;660001;2;1;1;1;1\r\n"
                                            "海风;x;2;HF;104;660002;2;1;1;1;1\r\n"));
  auto r = RunCli({"check", tarvel.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "product line: Tarvel\n"
            "line 1: accepted | 丆さ海;x;3;H;2010;660001;2;1;1;1;1\n"
            "  no pinyin reading for: 丆さ\n"
            "  no stroke count for: さ\n"
            "line 2: accepted | 海风;x;2;HF;104;660002;2;1;1;1;1\n"
            "2 accepted, 0 refused\n");
}

TEST(CheckCommand, NamesPolyphonesNoPhraseDecides) {
  TempDir dir;
  const auto tarvel =
      dir.Write("tarvel.txt", gbk::FromUtf8("重庆森林;x;4;CQSL;1;660001;2;1;1;1;1\r\n"
                                            "好长好重;x;4;HZHZ;1;660002;2;1;1;1;1\r\n"));
  auto r = RunCli({"check", tarvel.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "product line: Tarvel\n"
            "line 1: accepted | 重庆森林;x;4;CQSL;1;660001;2;1;1;1;1\n"
            "line 2: accepted | 好长好重;x;4;HZHZ;1;660002;2;1;1;1;1\n"
            "  several readings, no phrase decides: 长 (zhang / chang), 重 (zhong / chong)\n"
            "2 accepted, 0 refused\n");
}

TEST(CheckCommand, FileWithoutAnyAcceptedLineHasNoProductLine) {
  TempDir dir;
  const auto file = dir.Write("vod.txt", "hello\r\n");
  const auto r = RunCli({"check", file.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "product line: unknown (no line is accepted)\n"
            "line 1: refused: no product line accepts it | hello\n"
            "0 accepted, 1 refused\n");
}

TEST(CheckCommand, UnreadableFileOrBadUsageGivesStatusTwo) {
  TempDir dir;
#if defined(_WIN32)
  const std::string device = "NUL";
#else
  const std::string device = "/dev/zero";
#endif
  const std::vector<std::string> cases[] = {
      {(dir.path() / "missing.txt").string()}, {dir.path().string()}, {device}, {}, {"a", "b"}};
  for (const std::vector<std::string>& args : cases) {
    std::vector<std::string> words = {"check"};
    words.insert(words.end(), args.begin(), args.end());
    const auto r = RunCli(words);
    const std::string shown = testing::PrintToString(args);
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_FALSE(r.err.empty()) << shown;
    EXPECT_EQ(r.out, "") << shown;
  }
}

}  // namespace
