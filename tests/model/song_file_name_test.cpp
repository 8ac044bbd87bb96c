// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/song_file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "text/gbk.h"
#include "text/uPublic.h"

namespace {

TEST(ParseSongFileName, TakesTitleAndSingerFromTheNameInTheOwnersOrder) {
  constexpr auto kTS = TNameOrder::kTitleSinger;
  constexpr auto kST = TNameOrder::kSingerTitle;
  struct Case {
    std::string file;
    TNameOrder order;
    std::string title;
    std::string singer;  // "old" means left unchanged
  };
  const Case cases[] = {
      // Names of the usual form, in any folder.
      {Gbk(u8"D:\\新歌\\月亮-歌手.mpg"), kTS, Gbk(u8"月亮"), Gbk(u8"歌手")},
      {Gbk(u8"/home/a/月亮-歌手.mpg"), kTS, Gbk(u8"月亮"), Gbk(u8"歌手")},
      {"song.avi", kTS, "song", "old"},
      {"a-b-c.avi", kTS, "a", "b"},
      {"noext-Li", kTS, "noext", "Li"},
      {"/folder.with.dots/x-y.z", kTS, "x", "y"},
      {"trailing/", kTS, "", "old"},
      // The extension is what follows the last dot.
      {"Mr. X-Li.mpg", kTS, "Mr. X", "Li"},
      {"Lydia-F.I.R..mpg", kTS, "Lydia", "F.I.R."},
      // Spaces around '-' belong to neither.
      {Gbk(u8"甜蜜蜜 - 邓丽君.mpg"), kTS, Gbk(u8"甜蜜蜜"), Gbk(u8"邓丽君")},
      // Track numbers are not part of the title.
      {Gbk(u8"01.月亮代表我的心-邓丽君.mpg"), kTS, Gbk(u8"月亮代表我的心"), Gbk(u8"邓丽君")},
      {Gbk(u8"07 甜蜜蜜-邓丽君.mpg"), kTS, Gbk(u8"甜蜜蜜"), Gbk(u8"邓丽君")},
      {Gbk(u8"3、小城故事-邓丽君.mpg"), kTS, Gbk(u8"小城故事"), Gbk(u8"邓丽君")},
      {"01. Song - Li.mpg", kTS, "Song", "Li"},
      // ... but digits that are the title, or four digits, stay.
      {Gbk(u8"2046-王菲.mpg"), kTS, "2046", Gbk(u8"王菲")},
      {Gbk(u8"1987 我们-歌手.mpg"), kTS, Gbk(u8"1987 我们"), Gbk(u8"歌手")},
      {"007 - Li.mpg", kTS, "007", "Li"},
      {"1.Li.mpg", kTS, "Li", "old"},
      // Singer first.
      {Gbk(u8"张学友-吻别.mpg"), kST, Gbk(u8"吻别"), Gbk(u8"张学友")},
      {Gbk(u8"02.张学友 - 吻别.dat.mpg"), kST, Gbk(u8"吻别.dat"), Gbk(u8"张学友")},
      {"a-b-c.avi", kST, "b", "a"},
  };
  for (const auto& c : cases) {
    TBaseSongData rec;
    rec.Singer = "old";
    ParseSongFileName(c.file, rec, c.order);
    EXPECT_EQ(rec.SongName, c.title) << gbk::Printable(c.file);
    EXPECT_EQ(rec.Singer, c.singer) << gbk::Printable(c.file);
  }
}

TEST(ParseSongFileName, EmptyNameChangesNothing) {
  TBaseSongData rec;
  rec.SongName = "t";
  rec.Singer = "s";
  ParseSongFileName("", rec);
  EXPECT_EQ(rec.SongName, "t");
  EXPECT_EQ(rec.Singer, "s");
}

TEST(ParseSongFileName, TrailByteThatLooksLikeABackslashIsNotAFolderSeparator) {
  // 0x81 0x5C is one double-byte character whose second byte equals '\'.
  const std::string title = std::string("A\x81\x5C") + "B";
  TBaseSongData rec;
  ParseSongFileName("C:\\dir\\" + title + "-Li.mpg", rec);
  EXPECT_EQ(rec.SongName, title);
  EXPECT_EQ(rec.Singer, "Li");
  EXPECT_EQ(ExtractFolder("C:\\dir\\" + title), "C:\\dir\\");
}

}  // namespace
