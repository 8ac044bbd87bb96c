// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/videos_to_add.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/test_env.h"
#include "text/gbk.h"

namespace {

TEST(VideosToAdd, TakesEachVideoOnceAFoldersInNameOrderAndNamesEveryOneLeftOut) {
  TempDir dir;
  TestEnv env;
  for (const char* name : {"b-x.mpg", "a-x.avi", "notes.txt"})
    dir.Write(std::string("songs/") + name, "v");
  const std::string at = dir.Gbk();
  env.fakeSizes = {{at + "big-x.mpg", std::int64_t{1} << 32},
                   {at + "ok-x.mpg", 10},
                   {at + "semi;colon-x.mpg", 10},
                   {at + "in-grid.mpg", 10}};
  const TVideosToAdd got =
      VideosToAdd({at + "songs", at + "ok-x.mpg", at + "ok-x.mpg", at + "big-x.mpg",
                   at + "semi;colon-x.mpg", at + "in-grid.mpg", at + "song.txt"},
                  {at + "in-grid.mpg"}, TNameOrder::kTitleSinger, std::int64_t{1} << 32, env);
  const std::string songs = at + "songs" + env.PathSeparator();
  EXPECT_EQ(got.files, (TStringList{songs + "a-x.avi", songs + "b-x.mpg", at + "ok-x.mpg"}));
  const std::string refused = gbk::ToUtf8(got.refused);
  for (const char* line : {"ok-x.mpg（", "big-x.mpg（文件有 4.00G", "semi;colon-x.mpg（",
                           "in-grid.mpg（", "song.txt（"}) {
    EXPECT_NE(refused.find(line), std::string::npos) << line << " in " << refused;
  }
  EXPECT_EQ(refused.find("notes.txt"), std::string::npos) << "a folder's other files are not named";
}

}  // namespace
