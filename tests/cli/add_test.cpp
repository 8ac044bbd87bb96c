// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli add, run as an owner would run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/video_file.h"
#include "text/gbk.h"

namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

// A path as the UTF-8 word a command line gives.
Words operator+(Words a, const Words& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct AddCommand : ::testing::Test {
  TempDir dir;
  // The bytes last written to each video, by name.
  std::map<std::string, std::string> written;
  unsigned seed = 0;
  // A video file in src/ that the program's probe takes, each one written
  // different from the others; its path as a word.
  std::string Video(const std::string& name, std::size_t size = 12800) {
    written[name] = VideoFile(size, ++seed);
    return Utf8(dir.Write("src/" + name, written[name]));
  }
  CommandResult Add(const Words& words) { return RunCli(Words{"add"} + words); }
  std::string Out() const { return Utf8(dir.path() / "out"); }
  fs::path Vod() const { return dir.path() / "out" / "vod"; }
};

TEST_F(AddCommand, EachProductLineWritesItsVodTxtAndCopiesTheSongs) {
  const struct {
    const char* product;
    std::string vod;  // UTF-8; every product but Dovan writes it in GBK
  } cases[] = {
      {"oru", "情歌;歌手甲;2;QG;660100;2;1;8;1;1\r\n夜曲;歌手乙;2;YQ;660101;2;1;8;1;1\r\n"},
      {"tarvel",
       "情歌;歌手甲;2;QG;1114;660100;2;1;0;1;1\r\n夜曲;歌手乙;2;YQ;86;660101;2;1;0;1;1\r\n"},
      {"mirel", "情歌;歌手甲;2;QG;1114;660100;2;1;0;1\r\n夜曲;歌手乙;2;YQ;86;660101;2;1;0;1\r\n"},
      {"dovan",
       "\xEF\xBB\xBF情歌;歌手甲;2;QG;1114;660100;0;2;3;1;0;1;1\r\n"
       "夜曲;歌手乙;2;YQ;86;660101;0;2;3;1;0;1;1\r\n"},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir.path() / "out");
    const auto r = Add({"--line", c.product, "--start", "0100", "--to", Out(),
                        Video("情歌-歌手甲.mpg"), Video("夜曲-歌手乙.mpg", 3000)});
    EXPECT_EQ(r.status, 0) << c.product << r.out << r.err;
    const std::string bytes = TempDir::Read(Vod() / "vod.txt");
    EXPECT_EQ(bytes, std::string(c.product) == "dovan" ? c.vod : gbk::FromUtf8(c.vod)) << c.product;
    EXPECT_TRUE(TempDir::Read(Vod() / "660101.dat") == written["夜曲-歌手乙.mpg"])
        << c.product << ": 660101.dat is not the video";
    EXPECT_NE(r.out.find("[加歌完成] (information) 用户加歌完成"), std::string::npos) << r.out;
  }
}

TEST_F(AddCommand, BadArgumentsAndInputsAreRefusedBeforeAnythingIsWritten) {
  const std::string song = Video("a-b.mpg");
  const std::string unknown = Utf8(dir.Write("vod.txt", "nothing a jukebox reads\r\n"));
  const std::string oru = Utf8(dir.Write("oru.txt", "A;B;2;AB;660001;2;1;1;1;0\r\n"));
  const Words to{"--to", Out()};
  std::vector<Words> cases = {
      {"--line", "oru", song},                                     // neither --usb nor --to
      Words{"--line", "oru", "--usb"} + to + Words{song},          // both
      Words{"--line", "karaoke"} + to + Words{song},               // no such line
      Words{"--line", "oru", "--start", "12"} + to + Words{song},  // not four digits
      Words{"--line", "oru"} + to,                                 // no file
      Words{"--line", "oru"} + to + Words{Utf8(dir.path() / "missing.mpg")},
      Words{"--line", "oru"} + to + Words{Utf8(dir.path())},        // a folder
      Words{"--load", unknown} + to + Words{song},                  // no line recognised
      Words{"--line", "tarvel", "--load", oru} + to + Words{song},  // another line
      Words{"--line", "oru", "--csv", oru} + to + Words{song},      // a table without 视频文件
      Words{"--line", "oru", "--name-order", "backwards"} + to + Words{song},
      Words{"--line", "oru"} + to + Words{song, "--name-order"},  // no order given
  };
#ifndef _WIN32
  cases.push_back(Words{"--line", "oru"} + to + Words{"\xFF\xFE.mpg"});  // no GBK form
#endif
  for (const auto& words : cases) {
    const auto r = Add(words);
    std::string shown;
    for (const auto& w : words) shown += w + " ";
    EXPECT_EQ(r.status, 2) << shown << "\n" << r.out << r.err;
    EXPECT_FALSE(r.err.empty()) << shown;
    EXPECT_FALSE(fs::exists(Vod() / "vod.txt")) << shown;
  }
}

TEST_F(AddCommand, LoadedSongsKeepTheirLinesAndFilesNextToTheNewOnes) {
  const std::string old = "A;B;2;AB;660001;2;1;1;1;0\r\n";
  const auto vod = dir.Write("out/vod/vod.txt", old);
  dir.Write("out/vod/660001.dat", "on the stick");
  const auto r =
      Add({"--load", Utf8(vod), "--start", "0002", "--to", Out(), Video("c-d.mpg", 5000)});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(TempDir::Read(vod), old + "c;d;1;C;660002;2;1;8;1;1\r\n");
  EXPECT_EQ(TempDir::Read(Vod() / "660001.dat"), "on the stick");
}

TEST_F(AddCommand, LoadedSongsWithoutAStartNumberGetTheNextFreeNumber) {
  const std::string old = "A;B;2;AB;660001;2;1;1;1;0\r\nC;D;2;CD;660007;2;1;1;1;0\r\n";
  const auto vod = dir.Write("out/vod/vod.txt", old);
  dir.Write("out/vod/660001.dat", "on the stick");
  dir.Write("out/vod/660007.dat", "on the stick");
  const auto r = Add({"--load", Utf8(vod), "--to", Out(), Video("e-f.mpg", 5000)});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(TempDir::Read(vod), old + "e;f;1;E;660008;2;1;8;1;1\r\n");
}

TEST_F(AddCommand, SongsAlreadyOnTheTargetAreRefusedKeptOrReplacedAsTheCommandSays) {
  const std::string old = "a;x;1;A;660000;2;1;8;1;1\r\nb;x;1;B;660001;2;1;8;1;1\r\n";
  const struct {
    Words options;
    int status;
    std::string vod;  // afterwards
    const char* said;
  } cases[] = {
      {{}, 1, old, "vod.txt 列出的 2 首"},
      {{"--merge"}, 0, old + "n;x;1;N;660002;2;1;8;1;1\r\n", "> 重新编号"},
      {{"--merge", "--start", "0001"}, 1, old, "新歌的编号 0001 与保留的歌曲重复"},
      {{"--merge", "--start", "0005"}, 0, old + "n;x;1;N;660005;2;1;8;1;1\r\n", "> 保留原有歌曲"},
      {{"--replace"}, 0, "n;x;1;N;660000;2;1;8;1;1\r\n", "> 替换原有歌曲"},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir.path() / "out");
    dir.Write("out/vod/vod.txt", old);
    dir.Write("out/vod/660000.dat", "a");
    dir.Write("out/vod/660001.dat", "b");
    const auto r =
        Add(Words{"--line", "oru", "--to", Out()} + c.options + Words{Video("n-x.mpg", 3000)});
    EXPECT_EQ(r.status, c.status) << r.out << r.err;
    EXPECT_EQ(TempDir::Read(Vod() / "vod.txt"), c.vod) << r.out;
    EXPECT_NE(r.out.find(c.said), std::string::npos) << r.out;
    if (c.options.empty() || c.options[0] != "--replace") {
      EXPECT_EQ(TempDir::Read(Vod() / "660000.dat"), "a") << r.out;
    }
  }
  EXPECT_EQ(Add({"--line", "oru", "--to", Out(), "--merge", "--replace", Video("n-x.mpg")}).status,
            2);
}

TEST_F(AddCommand, CsvCorrectionsAreRefusedWhereTheGridWouldRefuseThem) {
  const struct {
    const char* table;
    const char* says;  // in the error; "" for accepted
  } cases[] = {
      {"视频文件,分类\na-b.mpg,x\n",
       "table row 2: column 分类: 'x' is none of 情歌对唱, 军歌, 儿歌"},
      {"视频文件,新歌\na-b.mpg,yes\n", "table row 2: column 新歌: a check box takes 1 or 0"},
      {"视频文件,歌曲名称\na-b.mpg,海;风\n", "column 歌曲名称: a ';', a line break"},
      {"视频文件,字数\na-b.mpg,123456\n",
       "column 字数: '123456' is no whole number from 0 to 9999"},
      {"视频文件,字数\na-b.mpg,2x\n", "column 字数: '2x' is no whole number"},
      {"视频文件,语种,分类\na-b.mpg,3,电影\n", ""},  // a code and a name
  };
  for (const auto& c : cases) {
    fs::remove_all(dir.path() / "out");
    const auto csv = dir.Write("fix.csv", c.table);
    const auto r = Add({"--line", "oru", "--csv", Utf8(csv), "--to", Out(), Video("a-b.mpg")});
    if (*c.says == 0) {
      EXPECT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(gbk::ToUtf8(TempDir::Read(Vod() / "vod.txt")), "a;b;1;A;660000;2;3;9;1;1\r\n");
      continue;
    }
    EXPECT_EQ(r.status, 2) << c.table << r.out;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "out")) << c.table;
  }
}

TEST_F(AddCommand, CsvCorrectsTheDerivedValuesLikeTheUsersEdits) {
  const auto csv = dir.Write("fix.csv",
                             "视频文件,歌曲名称,歌星,语种,排行\n"
                             "a-b.mpg,海风,林一,粤语,0\n");
  const auto r = Add({"--line", "oru", "--csv", Utf8(csv), "--to", Out(), Video("a-b.mpg")});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(gbk::ToUtf8(TempDir::Read(Vod() / "vod.txt")), "海风;林一;2;HF;660000;2;3;8;1;0\r\n");
}

TEST_F(AddCommand, NamesAreReadInTheGivenOrderWithoutTrackNumbers) {
  const auto r = Add({"--line", "oru", "--name-order", "singer-title", "--to", Out(),
                      Video("01.张学友 - 吻别.mpg")});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(gbk::ToUtf8(TempDir::Read(Vod() / "vod.txt")), "吻别;张学友;2;WB;660000;2;1;8;1;1\r\n");
}

TEST_F(AddCommand, PinyinIsReadByWordsUnlessReadPerCharacter) {
  const struct {
    Words option;
    std::string vod;
  } cases[] = {
      {{}, "重庆森林;王菲;4;CQSL;660000;2;1;8;1;1\r\n"},
      {{"--per-character-pinyin"}, "重庆森林;王菲;4;ZQSL;660000;2;1;8;1;1\r\n"},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir.path() / "out");
    const auto r =
        Add(Words{"--line", "oru", "--to", Out()} + c.option + Words{Video("重庆森林-王菲.mpg")});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(gbk::ToUtf8(TempDir::Read(Vod() / "vod.txt")), c.vod);
  }
}

TEST_F(AddCommand, SongsInTheListTwiceAreRefusedByNameUnlessAllowed) {
  const Words twice{Video("月亮-邓丽君.mpg"), Video("月亮 - 邓丽君.avi"), Video("海风-林一.mpg")};
  auto r = Add(Words{"--line", "oru", "--to", Out()} + twice);
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("第 2 行（编号 0001）月亮-邓丽君 与第 1 行重复"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("--allow-duplicates"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(Vod() / "vod.txt"));
  r = Add(Words{"--line", "oru", "--allow-duplicates", "--to", Out()} + twice);
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(fs::exists(Vod() / "660002.dat"));
}

TEST_F(AddCommand, RunsRefusedBeforeAnythingIsWrittenGiveOne) {
  const std::string song = Video("a-b.mpg");
  // The target folder cannot be made: refused with a message.
  const auto blocked = dir.Write("blocked", "a file where the folder should be");
  auto r = Add({"--line", "oru", "--to", Utf8(blocked), song});
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("[保存信息失败]"), std::string::npos) << r.out;
  // A folder under a song file's name, in any case: refused, naming it.
  fs::create_directories(Vod() / "660000.DAT" / "inside");
  r = Add({"--line", "oru", "--to", Out(), song});
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("660000.DAT 不是普通文件"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("用户加歌完成"), std::string::npos);
  EXPECT_FALSE(fs::exists(Vod() / "vod.txt"));
}

}  // namespace
