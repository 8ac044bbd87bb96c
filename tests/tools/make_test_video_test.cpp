// SPDX-License-Identifier: GPL-3.0-or-later
// make_test_video, run as the scripts run it, writes what VideoFile gives.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/video_file.h"

namespace {

CommandResult MakeTestVideo(const std::string& words) {
  return RunShell(ShellQuote(ADDSONGS_MAKE_TEST_VIDEO) + " " + words);
}

TEST(MakeTestVideo, WritesTheBytesOfVideoFileForEverySizeAndSeed) {
  TempDir dir;
  const std::string file = (dir.path() / "v.mpg").string();
  constexpr std::size_t kPacket = 65541;  // the largest padding packet
  const struct {
    std::size_t size;
    unsigned seed;
  } cases[] = {
      {0, 1},  // below the clip and a padding header: a few bytes more
      {297, 1},
      {300, 2},
      {kPacket + 290, 3},  // one full packet after the clip
      {kPacket + 293, 4},  // a full one would leave less than a header
      {3 * kPacket + 284 + 3, 5},
      {3 << 20, 6},
      {3 << 20, 4000000000u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " bytes, seed " + std::to_string(c.seed));
    const auto r = MakeTestVideo(ShellQuote(file) + " " + std::to_string(c.size) + " " +
                                 std::to_string(c.seed));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(TempDir::Read(file) == VideoFile(c.size, c.seed)) << "not VideoFile's bytes";
  }
  ASSERT_EQ(MakeTestVideo(ShellQuote(file) + " 5000").status, 0);
  EXPECT_TRUE(TempDir::Read(file) == VideoFile(5000, 1)) << "the seed is 1 when not given";
}

TEST(MakeTestVideo, RefusesWordsThatAreNoFileSizeAndSeed) {
  TempDir dir;
  const std::string file = ShellQuote((dir.path() / "v.mpg").string());
  for (const std::string& words :
       {std::string(), file, file + " 12x", file + " -5", file + " 5000 seed",
        file + " 5000 4294967296", file + " 5000 1 more"}) {
    const auto r = MakeTestVideo(words);
    EXPECT_EQ(r.status, 2) << words;
    EXPECT_NE(r.err.find("usage: make_test_video FILE SIZE [SEED]"), std::string::npos) << words;
  }
  EXPECT_EQ(MakeTestVideo(ShellQuote((dir.path() / "no" / "v.mpg").string()) + " 5000").status, 1);
}

}  // namespace
