#include "text/uPublic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "support/fake_window.h"
#include "text/gbk.h"

namespace {

TEST(SplitString, KeepsEveryEmptyPieceAndGivesOneMoreEntryThanSeparators) {
  struct Case {
    std::string text;
    char sep;
    TStringList want;
  };
  const Case cases[] = {
      {"", ';', {""}},
      {";", ';', {"", ""}},
      {"a;b;;c", ';', {"a", "b", "", "c"}},
      {"a;", ';', {"a", ""}},
      {"a;b;", ';', {"a", "b", ""}},
      {";a", ';', {"", "a"}},
      {"a-b-c", '-', {"a", "b", "c"}},
      {"abc", ';', {"abc"}},
  };
  for (const auto& c : cases) {
    TStringList got;
    SplitString(c.text, c.sep, got);
    EXPECT_EQ(got, c.want) << "text '" << c.text << "'";
  }
}

TEST(SplitString, AppendsToTheListWithoutClearingIt) {
  TStringList list{"kept"};
  SplitString("x;y", ';', list);
  EXPECT_EQ(list, (TStringList{"kept", "x", "y"}));
}

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

TEST(IsSongNumber, AcceptsExactlyFourAsciiDigits) {
  const std::pair<std::string, bool> cases[] = {
      {"0001", true},         {"9999", true},  {"123", false},
      {"12345", false},       {"12a4", false}, {"", false},
      {"+123", false},        {" 123", false}, {"123 ", false},
      {Gbk(u8"１２"), false},  // four bytes, full-width digits
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(IsSongNumber(text), want) << text;
}

TEST(FormatDiskSize, ShowsWholeGibAndLeftOverMib) {
  constexpr std::int64_t G = 1073741824, M = 1048576;
  const std::pair<std::int64_t, std::string> cases[] = {
      {0, "0M"},           {1048575, "0M"},  {M, "1M"},
      {300 * M, "300M"},   {G, "1G"},        {G + 512 * M, "1.512G"},
      {G + 5 * M, "1.5G"}, {5 * G, "5G"},    {-1, "0M"},
      {-G, "0M"},          {G - 1, "1023M"}, {1024 * G + M, "1024.1G"},
  };
  for (const auto& [bytes, want] : cases) EXPECT_EQ(FormatDiskSize(bytes), want) << bytes;
}

TEST(Trim, RemovesEveryByteUpToSpaceFromBothEndsOnly) {
  const std::pair<std::string, std::string> cases[] = {
      {"  a b  ", "a b"},
      {"\t\r\na\x01", "a"},
      {"", ""},
      {" \x1f ", ""},
      {Gbk(u8" 海风 "), Gbk(u8"海风")},
      {"\x7f"
       "a",
       "\x7f"
       "a"},
  };
  for (const auto& [in, want] : cases) {
    EXPECT_EQ(Trim(in), want);
    EXPECT_EQ(IsBlank(in), want.empty());
  }
}

TEST(TryStrToInt, AcceptsWholeSigned32BitIntegersInDecimalOrHex) {
  const std::pair<std::string, std::optional<std::int32_t>> cases[] = {
      {"0", 0},
      {"42", 42},
      {"-7", -7},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$1F", 31},
      {"x1f", 31},
      {"X10", 16},
      {"0x10", 16},
      {"0X10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"2a", std::nullopt},
      {" 2", std::nullopt},
      {"2 ", std::nullopt},
      {"1.0", std::nullopt},
      {"$G", std::nullopt},
      {"00012", 12},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(TryStrToInt(text), want) << "'" << text << "'";
  EXPECT_THROW(StrToInt("abc"), std::invalid_argument);
  EXPECT_EQ(StrToInt("660042"), 660042);
}

TEST(ShowMsg, ShowsKindsZeroToThreeAndNothingElse) {
  FakeWindow window;
  for (int kind = -1; kind <= 4; ++kind) ShowMsg(&window, "cap", "text", kind);
  ASSERT_EQ(window.boxes.size(), 4u);
  for (int kind = 0; kind < 4; ++kind) {
    EXPECT_EQ(window.boxes[static_cast<std::size_t>(kind)], (ShownBox{"cap", "text", kind}));
  }
  ShowMsg(nullptr, "cap", "text", 0);  // no window: nothing, no crash
}

TEST(FlagText, IsOneOrZero) {
  EXPECT_EQ(FlagText(true), "1");
  EXPECT_EQ(FlagText(false), "0");
}

TEST(DiskFreeBytes, IsMinusOneForAPathThatDoesNotExist) {
  EXPECT_EQ(DiskFreeBytes("/no/such/volume/anywhere/"), -1);
  EXPECT_GT(DiskFreeBytes("/"), 0);
}

}  // namespace
