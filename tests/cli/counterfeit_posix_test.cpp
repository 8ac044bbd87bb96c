// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli add onto a counterfeit stick (tests/tools/counterfeit_fs.cpp)
// that acknowledges more than it keeps: the run reads back what it wrote and
// does not say the songs were added when the stick lost them. Needs FUSE and
// the right to mount; skipped otherwise.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "support/counterfeit_stick.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/video_file.h"

namespace {

TEST(CounterfeitStickRun, AStickThatLosesWhatItAcknowledgedFailsTheRun) {
  const struct {
    std::uint64_t keep;  // the bytes the stick really holds
    int status;
    bool counterfeit;  // the run names the stick as one that claims more room than it has
  } cases[] = {
      // Two videos of 2,000,000 bytes: the second one, and vod.txt after it,
      // go past what the stick keeps.
      {3000000, 3, true},
      // A stick that keeps everything written.
      {100000000, 0, false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    CounterfeitStick stick(dir.path() / "stick", c.keep);
    if (!stick.Mounted()) GTEST_SKIP() << stick.WhyNot();
    // Named "song-singer": a song without a singer is refused before copying.
    const std::string a = dir.Write("src/a-x.mpg", VideoFile(2000000, 1)).string();
    const std::string b = dir.Write("src/b-x.mpg", VideoFile(2000000, 2)).string();
    const auto r = RunCli({"add", "--line", "oru", "--to", stick.Path().string(), a, b});
    const std::string said = r.out + r.err;
    EXPECT_EQ(r.status, c.status) << "keep " << c.keep << "\n" << said;
    EXPECT_EQ(said.find("扩容盘") != std::string::npos, c.counterfeit) << "keep " << c.keep << "\n"
                                                                       << said;
    EXPECT_EQ(said.find("用户加歌完成") != std::string::npos, !c.counterfeit)
        << "keep " << c.keep << "\n"
        << said;
  }
}

}  // namespace
