// SPDX-License-Identifier: GPL-3.0-or-later
// The copies of stick lists this computer keeps, and what of one may be put
// back on a stick whose files changed since.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "run/list_copies.h"
#include "run/target_dir.h"
#include "support/temp_dir.h"
#include "support/test_env.h"

namespace fs = std::filesystem;

namespace {

std::string NumberField(const std::string& line) {
  const std::size_t at = line.find(";66");
  return at == std::string::npos ? "" : line.substr(at + 1, 6);
}

std::chrono::system_clock::time_point At(int minutes) {
  return std::chrono::system_clock::time_point{} + std::chrono::hours(24 * 365 * 50) +
         std::chrono::minutes(minutes);
}

TEST(ListCopies, TheNewestFewAreKeptPerStickAndARepeatIsNotKeptTwice) {
  TestEnv env;
  TListCopies copies(env);
  for (int i = 0; i < 7; ++i) {
    copies.Keep("volume-1A2B-3C4D", "/media/usb/vod/", "list " + std::to_string(i) + "\r\n", {},
                At(i));
  }
  copies.Keep("volume-1A2B-3C4D", "/media/usb/vod/", "list 6\r\n", {}, At(10));
  copies.Keep("volume-9999-0000", "/media/usb/vod/", "other stick\r\n", {}, At(11));
  const auto kept = copies.Copies("volume-1A2B-3C4D");
  ASSERT_EQ(kept.size(), TListCopies::kPerStick);
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(kept[i].bytes, "list " + std::to_string(6 - i) + "\r\n") << "newest first";
    EXPECT_EQ(kept[i].where, "/media/usb/vod/");
  }
  EXPECT_GT(kept[0].when, kept[1].when);
  EXPECT_EQ(copies.Copies("volume-9999-0000").size(), 1u);
  EXPECT_TRUE(copies.Copies("volume-0000-0000").empty());
  // Two copies in the same second are both kept.
  copies.Keep("folder-x", "/a/", "one\r\n", {}, At(20));
  copies.Keep("folder-x", "/a/", "two\r\n", {}, At(20));
  EXPECT_EQ(copies.Copies("folder-x").size(), 2u);
}

TEST(ListCopies, AStickIsKnownByItsVolumeAndFolderWhereverItIsMountedAndInAnyCase) {
  using L = TListCopies;
  // The same stick at another mount point, its folder in another case.
  EXPECT_EQ(L::StickKey("1A2B-3C4D", "/media/a/vod/", "/media/a/"),
            L::StickKey("1A2B-3C4D", "/media/b/VOD/", "/media/b/"));
  EXPECT_EQ(L::StickKey("1A2B-3C4D", "E:\\vod\\", "E:\\"),
            L::StickKey("1A2B-3C4D", "/media/b/vod/", "/media/b/"));
  // Two folders of one disk, two sticks, two folders without a volume.
  EXPECT_NE(L::StickKey("1A2B-3C4D", "C:\\songs\\vod\\", "C:\\"),
            L::StickKey("1A2B-3C4D", "C:\\other\\vod\\", "C:\\"));
  EXPECT_NE(L::StickKey("1A2B-3C4D", "/media/a/vod/", "/media/a/"),
            L::StickKey("9999-0000", "/media/a/vod/", "/media/a/"));
  EXPECT_NE(L::StickKey("", "/media/a/vod/", ""), L::StickKey("", "/media/b/vod/", ""));
  EXPECT_EQ(L::StickKey("", "F:\\VOD\\", ""), L::StickKey("", "F:\\vod\\", ""));
}

TEST(ListCopies, ACopyGoesBackWithoutTheSongsWhoseFileChangedOrWent) {
  TempDir dir;
  for (const char* n : {"660000", "660001", "660002"}) {
    dir.Write(std::string("vod/") + n + ".dat", std::string(70000, n[5]));
  }
  TestEnv env;
  TListCopies::TCopy copy;
  {
    TTargetDir then(env, dir.Gbk() + "vod/", NumberField);
    then.Inspect();
    for (const char* n : {"660000", "660001", "660002"}) {
      copy.files[n] = TListCopies::FactsOf(*then.Held(), std::string(n) + ".dat");
    }
  }
  copy.bytes =
      "\xEF\xBB\xBF"
      "a;660000\r\nb;660001\r\nc;660002\r\nnot a song\r\n\r\nd;660003\r\n";

  // Since then: 660001 holds another song of the same size (its first bytes
  // differ), 660002 is gone, 660003 came and was never in the copy's facts.
  dir.Write("vod/660001.dat", std::string(1, 'x') + std::string(69999, '1'));
  fs::remove(dir.path() / "vod" / "660002.dat");
  dir.Write("vod/660003.dat", "d");
  TTargetDir now(env, dir.Gbk() + "vod/", NumberField);
  now.Inspect();
  const TListCopies::TPutBack back = TListCopies::PutBack(copy, now, NumberField);
  EXPECT_EQ(back.bytes,
            "\xEF\xBB\xBF"
            "a;660000\r\nnot a song\r\n");
  EXPECT_EQ(back.songs, 1);
  EXPECT_EQ(back.leftOut, (std::vector<std::string>{"b;660001", "c;660002", "d;660003"}));
}

}  // namespace
