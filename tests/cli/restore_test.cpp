// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli restore: the copies this computer kept of a stick's list,
// and putting one back.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/video_file.h"

namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

TEST(RestoreCommand, ListsTheCopiesAndPutsTheChosenOneBackWithTheSongsStillThere) {
  TempDir dir;
  const std::string out = Utf8(dir.path() / "out");
  const fs::path vod = dir.path() / "out" / "vod";
  auto video = [&](const std::string& name) {
    return Utf8(dir.Write("src/" + name, VideoFile(5000, static_cast<unsigned char>(name[0]))));
  };
  ASSERT_EQ(
      RunCli({"add", "--line", "oru", "--to", out, video("a-x.mpg"), video("b-x.mpg")}).status, 0);
  // A replace: the new song takes 660000, the file of a.
  const auto replaced =
      RunCli({"add", "--line", "oru", "--to", out, "--replace", video("c-x.mpg")});
  ASSERT_EQ(replaced.status, 0) << replaced.out;
  EXPECT_NE(replaced.out.find("确实要替换原有歌曲吗？"), std::string::npos) << replaced.out;
  ASSERT_EQ(TempDir::Read(vod / "vod.txt"), "c;x;1;C;660000;2;1;8;1;1\r\n");

  auto listed = RunCli({"restore", "--to", out});
  EXPECT_EQ(listed.status, 0) << listed.out;
  EXPECT_NE(listed.out.find("（2 首）"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("> 取消"), std::string::npos) << listed.out;
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), "c;x;1;C;660000;2;1;8;1;1\r\n") << "nothing changed";

  EXPECT_EQ(RunCli({"restore", "--to", out, "--copy", "9"}).status, 1);
  const auto back = RunCli({"restore", "--to", out, "--copy", "1"});
  EXPECT_EQ(back.status, 0) << back.out;
  EXPECT_NE(back.out.find("a;x;1;A;660000"), std::string::npos) << "named as left out";
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"), "b;x;1;B;660001;2;1;8;1;1\r\n");
}

TEST(RestoreCommand, RefusesBadWordsAndSaysWhenNoCopyWasKept) {
  TempDir dir;
  const struct {
    Words words;
    int status;
  } cases[] = {
      {{"restore"}, 2},
      {{"restore", "--usb", "--to", Utf8(dir.path())}, 2},
      {{"restore", "--to", Utf8(dir.path()), "--copy", "x"}, 2},
      {{"restore", "--to", Utf8(dir.path()), "--copy", "0"}, 2},
      {{"restore", "--to", Utf8(dir.path()), "--what"}, 2},
      {{"restore", "--to", Utf8(dir.path())}, 1},
  };
  for (const auto& c : cases) {
    const auto r = RunCli(c.words);
    EXPECT_EQ(r.status, c.status) << ::testing::PrintToString(c.words) << r.out << r.err;
  }
  EXPECT_NE(RunCli({"restore", "--to", Utf8(dir.path())}).out.find("没有保存过"),
            std::string::npos);
}

}  // namespace
