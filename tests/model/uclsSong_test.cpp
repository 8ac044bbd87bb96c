// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/uclsSong.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "model/errors.h"
#include "support/temp_dir.h"
#include "test_song.h"
#include "text/gbk.h"

namespace {

struct OtherData : TBaseSongData {};

TEST(SongCounter, StartsAt660000AndFollowsTheStartNumber) {
  TestSong list;
  EXPECT_EQ(list.NextSongNo(), "660000");
  EXPECT_EQ(list.NextSongNo(), "660001");
  list.SetStartNumber("0042");
  EXPECT_EQ(list.NextSongNo(), "660042");
  list.SetStartNumber("9999");
  EXPECT_EQ(list.NextSongNo(), "669999");
  EXPECT_EQ(list.NextSongNo(), "670000");
  EXPECT_EQ(list.NextSongNo().substr(2, 4), "0001");
  list.SetStartNumber("0000");
  EXPECT_EQ(list.NextSongNo(), "660000");
  EXPECT_THROW(list.SetStartNumber("12a4"), std::invalid_argument);
}

TEST(LookupTables, CodeByNameFallsBackToEachTablesDefault) {
  TestSong list;
  list.Table(TTableId::kLanguages).Add(3, Gbk(u8"粤语"));
  EXPECT_EQ(list.Table(TTableId::kLanguages).CodeOf(Gbk(u8"粤语")), "3");
  // No row has the name: each table answers its own default.
  const std::string unknown = Gbk(u8"火星语");
  EXPECT_EQ(list.Table(TTableId::kLanguages).CodeOf(unknown), "1");
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).CodeOf(unknown), "2");
  EXPECT_EQ(list.Table(TTableId::kCategories).CodeOf(unknown), "0");
  EXPECT_EQ(list.Table(TTableId::kDvdTracks).CodeOf(unknown), "0");
  EXPECT_EQ(list.Table(TTableId::kTrackTypes).CodeOf(unknown), "1");
  EXPECT_EQ(list.Table(TTableId::kStyles).CodeOf(unknown), "");
}

TEST(LookupTables, FirstMatchWinsAndComparisonIsExactBytes) {
  TestSong list;
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).Add(2, "VCD"), 0);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).Add(3, "VCD"), 1);    // same name again
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).Add(2, "again"), 2);  // same code again
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).Count(), 3);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).CodeOf("VCD"), "2");
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).IndexOf("2"), 0);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).IndexOf("3"), 1);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).IndexOf("02"), -1);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).IndexOf(" 2"), -1);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).CodeOf("vcd"),
            "2");  // not found: the default, not row 0 by case
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).CodeOf("VCD "), "2");
  list.Table(TTableId::kCategories).Add(1, "One");
  EXPECT_EQ(list.Table(TTableId::kCategories).CodeOf("one"), "0");
  EXPECT_EQ(list.Table(TTableId::kDvdTracks).IndexOf("8"), -1);
}

TEST(LookupTables, RowsCarryCodeItsDecimalTextAndName) {
  TestSong list;
  list.Table(TTableId::kStyles).Add(0, "zero");
  list.Table(TTableId::kStyles).Add(14, "fourteen");
  list.Table(TTableId::kStyles).Add(-5, "negative");
  EXPECT_EQ(list.Table(TTableId::kStyles).Item(0).CodeStr, "0");
  EXPECT_EQ(list.Table(TTableId::kStyles).Item(1).Code, 14);
  EXPECT_EQ(list.Table(TTableId::kStyles).Item(1).CodeStr, "14");
  EXPECT_EQ(list.Table(TTableId::kStyles).Item(2).CodeStr, "-5");
  EXPECT_EQ(list.Table(TTableId::kStyles).Item(2).Name, "negative");
  EXPECT_THROW(list.Table(TTableId::kStyles).Item(3), std::out_of_range);
  EXPECT_THROW(list.Table(TTableId::kStyles).Item(-1), std::out_of_range);
  EXPECT_EQ(list.Table(TTableId::kTrackTypes).Count(), 0);
}

TEST(Songs, SongAtIsNullOutsideTheSlotsInUse) {
  TestSong list;
  EXPECT_EQ(list.SongAt(0), nullptr);
  const TestData a = Song("a");
  list.PutSong(&a);
  list.PutSong(nullptr);
  EXPECT_EQ(list.FCount, 1);
  ASSERT_NE(list.SongAt(0), nullptr);
  EXPECT_EQ(list.SongAt(0)->SongName, "a");
  EXPECT_EQ(list.SongAt(1), nullptr);
  EXPECT_EQ(list.SongAt(-1), nullptr);
}

TEST(Songs, AddedRecordIsACopyWithEveryField) {
  TestSong list;
  TestData a = Song("a", "extra");
  a.ReservedFlag = 1;
  a.VideoFile = "/v.mpg";
  list.PutSong(&a);
  a.SongName = "changed";
  const auto* got = static_cast<const TestData*>(list.SongAt(0));
  EXPECT_EQ(got->SongName, "a");
  EXPECT_EQ(got->Extra, "extra");
  EXPECT_EQ(got->ReservedFlag, 1);
  EXPECT_EQ(got->VideoFile, "/v.mpg");
}

TEST(Songs, StoreRefusesForeignRecordsAndAHundredAndFirstSong) {
  TestSong list;
  OtherData other;
  EXPECT_THROW(list.PutSong(&other), std::invalid_argument);
  const TestData a = Song("a");
  for (int i = 0; i < kSongSlots; ++i) list.PutSong(&a);
  EXPECT_EQ(list.FCount, 100);
  EXPECT_THROW(list.PutSong(&a), std::length_error);
  EXPECT_EQ(list.FCount, 100);
  EXPECT_THROW(list.GetSong(100), std::out_of_range);
}

TEST(Songs, ResetPutsDefaultsBackAndKeepsTheCount) {
  TestSong list;
  const TestData a = Song("a");
  list.PutSong(&a);
  list.InitSongs();
  EXPECT_EQ(list.FCount, 1);
  const auto* slot = static_cast<const TestData*>(list.GetSong(0));
  EXPECT_EQ(slot->SongName, "");
  EXPECT_EQ(slot->Language, "9");
  EXPECT_EQ(slot->Extra, "x");
}

TEST(BuildLines, StopsAtFirstIncompleteSongKeepingEarlierLines) {
  TestSong list;
  const TestData good = Song("one");
  const TestData blank = Song("two", " \t");
  list.PutSong(&good);
  list.PutSong(&blank);
  list.PutSong(&good);
  try {
    list.BuildLines();
    FAIL() << "an incomplete song must be refused";
  } catch (const TUserError& e) {
    EXPECT_EQ(std::string(e.what()), Gbk(u8"加歌信息不完整,不能有空项"));
  }
  EXPECT_EQ(list.FLines, (TStringList{"one;e"}));
}

TEST(ParseLine, EmptyLineAndSlotsOutsideTheStoreAreRejected) {
  TestSong list;
  EXPECT_EQ(list.ParseLine("", 0), 6);
  EXPECT_EQ(list.ParseLine("x", 100), 6);
  EXPECT_EQ(list.ParseLine("x", -1), 6);
  EXPECT_EQ(list.ParseLine("bad", 0), 6);
  EXPECT_EQ(list.ParseLine("x", 99), 0);
  EXPECT_EQ(list.GetSong(99)->SongName, "x");
}

TEST(SaveLines, WritesGbkLinesEachEndedByCrLfWithoutMark) {
  TempDir dir;
  TestSong list;
  const auto file = dir.path() / "vod.txt";
  list.SaveLines({Gbk(u8"海风;林一"), "", "b"}, file.string());
  EXPECT_EQ(TempDir::Read(file), "\xBA\xA3\xB7\xE7;\xC1\xD6\xD2\xBB\r\n\r\nb\r\n");
}

TEST(SaveLines, ReplacesAnOldFileWholeAndLeavesNoTemporaryFile) {
  TempDir dir;
  const auto file = dir.Write("vod.txt", "old line that is longer than the new content\r\n");
  TestSong list;
  list.SaveLines({"new"}, file.string());
  EXPECT_EQ(TempDir::Read(file), "new\r\n");
  list.SaveLines({}, file.string());
  EXPECT_EQ(TempDir::Read(file), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(SaveLines, FailureIntoAMissingFolderIsReported) {
  TempDir dir;
  TestSong list;
  EXPECT_THROW(list.SaveLines({"a"}, (dir.path() / "missing" / "vod.txt").string()),
               std::system_error);
}

}  // namespace
