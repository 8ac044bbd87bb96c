#include "model/song_file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "text/gbk.h"
#include "text/uPublic.h"

namespace {

TEST(ParseSongFileName, TakesTitleBeforeFirstDashAndSingerAfterIt) {
  struct Case {
    std::string file;
    std::string title;
    std::string singer;  // "old" means left unchanged
  };
  const Case cases[] = {
      {Gbk(u8"D:\\新歌\\月亮-歌手.mpg"), Gbk(u8"月亮"), Gbk(u8"歌手")},
      {Gbk(u8"/home/a/月亮-歌手.mpg"), Gbk(u8"月亮"), Gbk(u8"歌手")},
      {Gbk(u8"C:月亮-歌手.mpg"), Gbk(u8"月亮"), Gbk(u8"歌手")},
      {"song.avi", "song", "old"},
      {"Mr. X-Li.mpg", "Mr", "old"},
      {"a-b-c.avi", "a", "b"},
      {"a - b.mpg", "a ", " b"},
      {"noext-Li", "noext", "Li"},
      {"/folder.with.dots/x-y.z", "x", "y"},
      {"trailing/", "", "old"},
  };
  for (const auto& c : cases) {
    TBaseSongData rec;
    rec.Singer = "old";
    ParseSongFileName(c.file, rec);
    EXPECT_EQ(rec.SongName, c.title) << c.file;
    EXPECT_EQ(rec.Singer, c.singer) << c.file;
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
