// addsongs-cli add, run as an owner would run it.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace {

namespace fs = std::filesystem;

struct AddCommand : ::testing::Test {
  TempDir dir;
  // A video file in src/, its path quoted for the shell.
  std::string Video(const std::string& name, std::size_t size = 12800) {
    return ShellQuote(dir.Write("src/" + name, std::string(size, 'v')).string());
  }
  CommandResult Add(const std::string& args) { return RunCli("add " + args); }
  std::string Out() const { return (dir.path() / "out").string(); }
  std::string VodTxt() const { return gbk::ToUtf8(TempDir::Read(dir.path() / "out/vod/vod.txt")); }
};

TEST_F(AddCommand, EachProductLineWritesItsVodTxtAndCopiesTheSongs) {
  const struct {
    const char* line;
    std::string vod;
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
    const auto r = Add(std::string("--line ") + c.line + " --start 0100 --to " + ShellQuote(Out()) +
                       " " + Video("情歌-歌手甲.mpg") + " " + Video("夜曲-歌手乙.mpg", 3));
    EXPECT_EQ(r.status, 0) << c.line << r.out << r.err;
    const std::string bytes = TempDir::Read(dir.path() / "out/vod/vod.txt");
    EXPECT_EQ(bytes, std::string(c.line) == "dovan" ? c.vod : gbk::FromUtf8(c.vod)) << c.line;
    EXPECT_EQ(TempDir::Read(dir.path() / "out/vod/660101.dat"), "vvv") << c.line;
    EXPECT_NE(r.out.find("[加歌完成] (question) 用户加歌完成"), std::string::npos) << r.out;
  }
}

TEST_F(AddCommand, BadArgumentsAndInputsAreRefusedBeforeAnythingIsWritten) {
  const std::string song = Video("a-b.mpg");
  dir.Write("vod.txt", "nothing a jukebox reads\r\n");
  dir.Write("oru.txt", "A;B;2;AB;660001;2;1;1;1;0\r\n");
  const std::string to = " --to " + ShellQuote(Out()) + " ";
  const std::string cases[] = {
      "--line oru " + song,                 // neither --usb nor --to
      "--line oru --usb" + to + song,       // both
      "--line karaoke" + to + song,         // no such line
      "--line oru --start 12" + to + song,  // not four digits
      "--line oru" + to,                    // no file
      "--line oru" + to + ShellQuote((dir.path() / "missing.mpg").string()),
      "--line oru" + to + ShellQuote(dir.path().string()),                    // a folder
      "--line oru" + to + "$'\\xff\\xfe.mpg'",                                // no GBK form
      "--load " + ShellQuote((dir.path() / "vod.txt").string()) + to + song,  // no line known
      "--line tarvel --load " + ShellQuote((dir.path() / "oru.txt").string()) + to + song,
      "--line oru --csv " + ShellQuote((dir.path() / "oru.txt").string()) + to + song,
  };
  for (const auto& args : cases) {
    const auto r = Add(args);
    EXPECT_EQ(r.status, 2) << args << "\n" << r.out << r.err;
    EXPECT_FALSE(r.err.empty()) << args;
    EXPECT_FALSE(fs::exists(dir.path() / "out/vod/vod.txt")) << args;
  }
}

TEST_F(AddCommand, LoadedSongsKeepTheirLinesAndFilesNextToTheNewOnes) {
  const std::string old = "A;B;2;AB;660001;2;1;1;1;0\r\n";
  dir.Write("out/vod/vod.txt", old);
  dir.Write("out/vod/660001.dat", "on the stick");
  const auto r = Add("--load " + ShellQuote(Out() + "/vod/vod.txt") + " --start 0002 --to " +
                     ShellQuote(Out()) + " " + Video("c-d.mpg", 5));
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(VodTxt(), old + "c;d;1;C;660002;2;1;8;1;1\r\n");
  EXPECT_EQ(TempDir::Read(dir.path() / "out/vod/660001.dat"), "on the stick");
}

TEST_F(AddCommand, CsvCorrectsTheDerivedValuesLikeTheUsersEdits) {
  const auto csv = dir.Write("fix.csv",
                             "视频文件,歌曲名称,歌星,语种,排行\n"
                             "a-b.mpg,海风,林一,粤语,0\n");
  const auto r = Add("--line oru --csv " + ShellQuote(csv.string()) + " --to " + ShellQuote(Out()) +
                     " " + Video("a-b.mpg"));
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(VodTxt(), "海风;林一;2;HF;660000;2;3;8;1;0\r\n");
}

TEST_F(AddCommand, RefusedRunsGiveOneAndCopyErrorsThree) {
  const std::string song = Video("a-b.mpg");
  // The target folder cannot be made: refused with a message.
  dir.Write("blocked", "a file where the folder should be");
  auto r = Add("--line oru --to " + ShellQuote((dir.path() / "blocked").string()) + " " + song);
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("[保存信息失败]"), std::string::npos) << r.out;
  // A .dat that cannot be written: a copy error, told with its reason.
  fs::create_directories(dir.path() / "out/vod/660000.dat.part");
  r = Add("--line oru --to " + ShellQuote(Out()) + " " + song);
  EXPECT_EQ(r.status, 3) << r.out;
  EXPECT_NE(r.out.find("[加歌未完成] (error) 复制歌曲 660000 a 失败"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("用户加歌完成"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.path() / "out/vod/vod.txt"));
}

}  // namespace
