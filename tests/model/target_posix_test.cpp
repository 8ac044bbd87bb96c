// SPDX-License-Identifier: GPL-3.0-or-later
// The target of a run against links and other runs, on a POSIX system.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/errors.h"
#include "run/target_dir.h"
#include "support/fake_window.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/video_file.h"
#include "test_song.h"
#include "text/gbk.h"

namespace fs = std::filesystem;

namespace {

TEST(TargetOnPosix, ALinkAsTheTargetOrTheFolderThatHoldsItIsRefusedBeforeAnything) {
  TempDir dir;
  fs::create_directories(dir.path() / "elsewhere" / "vod");
  fs::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "link");
  fs::create_directory(dir.path() / "stick");
  fs::create_directory_symlink(dir.path() / "elsewhere" / "vod", dir.path() / "stick" / "vod");
  const std::string targets[] = {
      dir.Gbk() + "link/",       // the target itself
      dir.Gbk() + "link/vod/",   // the folder the owner chose
      dir.Gbk() + "stick/vod/",  // the vod folder on the stick
  };
  for (const std::string& target : targets) {
    TestSong list;
    const auto prepared = list.PrepareTarget(false, [&] { return target; });
    EXPECT_EQ(prepared.result, 6) << target;
    EXPECT_NE(gbk::ToUtf8(prepared.message).find("是一个链接"), std::string::npos)
        << gbk::ToUtf8(prepared.message);
  }
  EXPECT_TRUE(fs::is_empty(dir.path() / "elsewhere" / "vod"));
}

TEST(TargetOnPosix, AnotherProcessWritingTheTargetRefusesTheRunAtOnce) {
  TempDir dir;
  fs::create_directories(dir.path() / "out" / "vod");
  TTargetDir held(*platform::Env::Default(), dir.Gbk() + "out/vod/");
  held.Inspect();  // holds the vod folder, locked, as a run does
  const std::string song = dir.Write("src/a-b.mpg", VideoFile(5000, 1)).string();
  const auto r = RunCli({"add", "--line", "oru", "--to", (dir.path() / "out").string(), song});
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("另一个加歌程序正在向"), std::string::npos) << r.out;
  EXPECT_TRUE(fs::is_empty(dir.path() / "out" / "vod"));
}

}  // namespace
