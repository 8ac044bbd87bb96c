// SPDX-License-Identifier: GPL-3.0-or-later
// The export command: a vod.txt's songs as the window's grid shows them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

TEST(ExportCommand, WritesTheTableAndTheSongBookOfEveryProductLine) {
  const struct {
    const char* file;
    int songs;
    const char* captions;  // the CSV's first line, after the byte-order mark
  } cases[] = {
      {"oru_vod.txt", 2, "编号,歌曲名称,歌星,拼音,字数,伴唱音轨,语种,分类,新歌,排行,视频文件"},
      {"tarvel_vod.txt", 1,
       "编号,歌曲名称,歌星,拼音,笔划,字数,伴唱音轨,语种,分类,新歌,排行,视频文件"},
      {"mirel_vod.txt", 1, "编号,歌曲名称,歌星,拼音,笔划,字数,伴唱音轨,语种,分类,新歌,视频文件"},
      {"dovan_vod.txt", 1,
       "编号,歌曲名称,歌星,拼音,笔划,字数,音轨类型,伴唱音轨,原唱音轨,语种,分类,风景类型,新歌,"
       "视频文件"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string csv = (dir.path() / "list.csv").string();
    const std::string book = (dir.path() / "book.html").string();
    const auto r = RunCli({"export", std::string(ADDSONGS_FIXTURES_DIR "/") + c.file, "--csv", csv,
                           "--book", book, "--by", "number"});
    ASSERT_EQ(r.status, 0) << c.file << r.err;
    const std::string count = std::to_string(c.songs);
    EXPECT_NE(r.out.find("wrote " + count + " songs to"), std::string::npos) << r.out;
    const std::string table = TempDir::Read(dir.path() / "list.csv");
    EXPECT_TRUE(table.starts_with(std::string("\xEF\xBB\xBF") + c.captions + "\r\n"))
        << c.file << ": " << table.substr(0, 120);
    EXPECT_NE(TempDir::Read(dir.path() / "book.html").find("共 " + count + " 首歌曲"),
              std::string::npos);
  }
}

TEST(ExportCommand, TheSongBookFollowsTheOrderAsked) {
  TempDir dir;
  const std::string book = (dir.path() / "b.html").string();
  ASSERT_EQ(RunCli({"export", ADDSONGS_FIXTURES_DIR "/oru_vod.txt", "--book", book}).status, 0);
  const std::string page = TempDir::Read(dir.path() / "b.html");
  // 海风 (HF) before 小河 (XH), under their letters.
  const std::size_t h = page.find("<h2>H</h2>");
  const std::size_t x = page.find("<h2>X</h2>");
  ASSERT_NE(h, std::string::npos);
  ASSERT_NE(x, std::string::npos);
  EXPECT_LT(h, page.find("海风"));
  EXPECT_LT(page.find("海风"), x);
}

TEST(ExportCommand, RefusesWhatItCannotDo) {
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"export"}, "give the vod.txt"},
      {{"export", ADDSONGS_FIXTURES_DIR "/oru_vod.txt"}, "give --csv or --book"},
      {{"export", ADDSONGS_FIXTURES_DIR "/oru_vod.txt", "--book", "b.html", "--by", "title"},
       "--by takes initials or number"},
      {{"export", "/nonexistent/vod.txt", "--csv", "x.csv"}, "no such file"},
      {{"export", ADDSONGS_FIXTURES_DIR "/oru_vod.txt", "--csv", "/nonexistent/dir/x.csv"}, ""},
  };
  for (const auto& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 2) << c.says;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

}  // namespace
