// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/uclsOru.h"

#include <gtest/gtest.h>

#include <string>

#include "model/errors.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace {

TOruData Haifeng() {
  TOruData d;
  d.SongName = Gbk(u8"海风");
  d.Singer = Gbk(u8"林一");
  d.WordCount = "2";
  d.Pinyin = "hf";
  d.SongNo = "660001";
  d.NewSong = 1;
  d.Ranking = 0;
  return d;
}

TEST(OruSong, TablesHoldTheOruRowsInOrder) {
  TOruSong list;
  EXPECT_EQ(list.FProductLine, kProductOru);
  ASSERT_EQ(list.Table(TTableId::kLanguages).Count(), 7);
  EXPECT_EQ(list.Table(TTableId::kLanguages).Item(2).Name, Gbk(u8"粤语"));
  EXPECT_EQ(list.Table(TTableId::kLanguages).CodeOf(Gbk(u8"粤语")), "3");
  ASSERT_EQ(list.Table(TTableId::kCategories).Count(), 14);
  EXPECT_EQ(list.Table(TTableId::kCategories).Item(0).Name, Gbk(u8"情歌对唱"));
  EXPECT_EQ(list.Table(TTableId::kCategories).Item(13).CodeStr, "14");
  EXPECT_EQ(list.Table(TTableId::kCategories).Item(13).Name, Gbk(u8"祝福歌曲"));
  ASSERT_EQ(list.Table(TTableId::kAudioTracks).Count(), 2);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).IndexOf("3"), 1);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).Item(1).Name, Gbk(u8"VCD原唱"));
  EXPECT_EQ(list.Table(TTableId::kDvdTracks).Count() + list.Table(TTableId::kTrackTypes).Count() +
                list.Table(TTableId::kStyles).Count(),
            0);
  EXPECT_EQ(list.Table(TTableId::kCategories).CodeOf(Gbk(u8"不存在")), "0");
  EXPECT_EQ(list.ToolTitle(), Gbk(u8"ORU 2.0 版本加歌工具"));
}

TEST(OruSong, EverySlotStartsAtTheOruDefaults) {
  TOruSong list;
  for (int i : {0, 57, 99}) {
    const auto& s = *static_cast<const TOruData*>(list.GetSong(i));
    EXPECT_EQ(s.SongNo + s.SongName + s.Singer + s.Pinyin + s.VideoFile, "");
    EXPECT_EQ(s.WordCount, "0");
    EXPECT_EQ(s.AccompTrack, "2");
    EXPECT_EQ(s.ReservedText, "80");
    EXPECT_EQ(s.Language, "1");
    EXPECT_EQ(s.Category, "1");
    EXPECT_EQ(s.ReservedFlag, 0);
    EXPECT_EQ(s.NewSong, 1);
    EXPECT_EQ(s.Ranking, 1);
  }
}

TEST(OruSong, BuildsTrimmedLinesWithUpperCasePinyinAndFlags) {
  TOruSong list;
  TOruData a = Haifeng();
  a.SongName = Gbk(u8" 海风 ");
  list.PutSong(&a);
  TOruData b = Haifeng();
  b.Pinyin = Gbk(u8"ｈf中a");  // full-width and Chinese bytes stay as they are
  b.WordCount = "";            // not mandatory: an empty field 3
  b.NewSong = 0;
  b.Ranking = 7;  // any non-zero flag is written as 1
  list.PutSong(&b);
  EXPECT_EQ(list.BuildLines(), 0);
  EXPECT_EQ(list.FLines, (TStringList{Gbk(u8"海风;林一;2;HF;660001;2;1;1;1;0"),
                                      Gbk(u8"海风;林一;;ｈF中A;660001;2;1;1;0;1")}));
}

TEST(OruSong, UpperCasingLeavesTrailBytesOfChineseCharactersAlone) {
  // 0x8161 is one double-byte character whose trail byte is 'a'.
  TOruSong list;
  TOruData a = Haifeng();
  a.Pinyin = "x\x81\x61y";
  list.PutSong(&a);
  list.BuildLines();
  EXPECT_NE(list.FLines[0].find("X\x81\x61Y"), std::string::npos);
}

TEST(OruSong, EachMandatoryFieldRefusesTheSong) {
  std::string TOruData::*fields[] = {
      &TOruData::SongName,    &TOruData::Singer,   &TOruData::Pinyin,  &TOruData::SongNo,
      &TOruData::AccompTrack, &TOruData::Language, &TOruData::Category};
  for (auto field : fields) {
    TOruSong list;
    TOruData a = Haifeng();
    list.PutSong(&a);
    a.*field = "  ";
    list.PutSong(&a);
    EXPECT_THROW(list.BuildLines(), TUserError);
    EXPECT_EQ(list.FLines.size(), 1u);
  }
  TOruSong empty;
  EXPECT_EQ(empty.BuildLines(), 0);
  EXPECT_TRUE(empty.FLines.empty());
}

TEST(ParseOruLine, AcceptsAndRefusesAsTheLineLayoutDemands) {
  struct Case {
    const char8_t* line;
    int want;
  };
  const Case cases[] = {
      {u8"海风;林一;2;HF;660001;2;1;1;1;0", 0},
      {u8"海风;林一;2;HF;660001;2;1;1;1;0;", 6},  // 11 fields
      {u8"海风;林一;2;HF;660001;2;1;1;1", 6},     // 9 fields
      {u8"海风;林一;2;HF;660001;2;1;1;1;0 ", 6},  // flags are not trimmed
      {u8"海风;林一;2;HF;660001;2;1;1; 1;0", 6},
      {u8"海风;林一;2;HF;660001;2;1;1;2;0", 6},
      {u8"海风;林一;2;HF;123456;2;1;1;1;0", 6},  // song number
      {u8"海风;林一;2;HF;;2;1;1;1;0", 6},
      {u8"海风;林一;2;HF;6;2;1;1;1;0", 6},
      {u8"海风;林一;2;HF;66;2;1;1;1;0", 0},
      {u8"海风;林一;2a;HF;660001;2;1;1;1;0", 6},  // integers
      {u8"海风;林一;2;HF;660001;2a;1;1;1;0", 6},
      {u8"海风;林一;2;HF;660001;2;2a;1;1;0", 6},
      {u8"海风;林一;2;HF;660001;2;1;2a;1;0", 6},
      {u8"海风;林一; 2 ;HF;660001; 2 ; 1 ; 1 ;1;0", 0},  // trimmed before the check
      {u8"海风;林一;$10;HF;660001;0x2;-1;+1;1;0", 0},
      {u8"海风;林一;;HF;660001;2;1;1;1;0", 6},          // empty word count is no integer
      {u8"小河;歌手甲;2;XH;660038;660001;2;1;1;1", 0},  // a Mirel line with strokes 66...
      {u8"", 6},
  };
  for (const auto& c : cases) {
    TOruData rec;
    EXPECT_EQ(ParseOruLine(Gbk(c.line), rec), c.want) << gbk::ToUtf8(Gbk(c.line));
  }
}

TEST(ParseOruLine, StoresTrimmedFieldsAndKeepsPinyinCase) {
  TOruData rec;
  rec.VideoFile = "keep";
  rec.NewSong = 1;
  ASSERT_EQ(ParseOruLine(Gbk(u8" 海风 ;林一;2;hf;660001;3;4;5;0;1"), rec), 0);
  EXPECT_EQ(rec.SongName, Gbk(u8"海风"));
  EXPECT_EQ(rec.Pinyin, "hf");
  EXPECT_EQ(rec.AccompTrack, "3");
  EXPECT_EQ(rec.Language, "4");
  EXPECT_EQ(rec.Category, "5");
  EXPECT_EQ(rec.NewSong, 0);
  EXPECT_EQ(rec.Ranking, 1);
  EXPECT_EQ(rec.VideoFile, "keep");
}

TEST(ParseOruLine, EarlyRefusalLeavesTheRecordLateRefusalKeepsTheValues) {
  TOruData rec;
  rec.SongName = "before";
  EXPECT_EQ(ParseOruLine("a;b;2;HF;660001;2;1;1;x;0", rec), 6);
  EXPECT_EQ(rec.SongName, "before");
  EXPECT_EQ(ParseOruLine("a;b;2;HF;123;2;1;1;0;0", rec), 6);
  EXPECT_EQ(rec.SongName, "a");
  EXPECT_EQ(rec.NewSong, 0);
}

TEST(CheckOruLine, SaysWhyALineIsRefused) {
  const std::pair<std::string, std::string> cases[] = {
      {"a;b;2;HF;660001;2;1;1;1;0", "accepted"},
      {"a;b", "2 fields, 10 expected"},
      {"a;b;2;HF;660001;2;1;1;1;x", "field 10 (Ranking) is not exactly 0 or 1"},
      {"a;b;2;HF;123;2;1;1;1;0", "field 5 (SongNo) does not begin with 66"},
      {"a;b;2;HF;660001;2;z;1;1;0", "field 7 (Language) is not an integer"},
  };
  for (const auto& [line, want] : cases) {
    TOruData rec;
    EXPECT_EQ(CheckOruLine(line, rec).Describe(), want);
  }
}

TEST(OruSong, FillFromFileNameTakesTitleSingerPathAndNextNumber) {
  TOruSong list;
  list.SetStartNumber("0041");
  const std::string path = Gbk(u8"/media/歌/月亮-歌手.mpg");
  EXPECT_EQ(list.FillFromFileName(3, path), 0);
  const auto& s = *static_cast<const TOruData*>(list.GetSong(3));
  EXPECT_EQ(s.SongName, Gbk(u8"月亮"));
  EXPECT_EQ(s.Singer, Gbk(u8"歌手"));
  EXPECT_EQ(s.VideoFile, path);
  EXPECT_EQ(s.SongNo, "660041");
  EXPECT_EQ(list.FCount, 0);
  EXPECT_EQ(list.NextSongNo(), "660042");
}

TEST(OruSong, DeleteSongShiftsLaterSongsDownAndLeavesTheCount) {
  TOruSong list;
  for (const char* n : {"a", "b", "c"}) {
    TOruData d;
    d.SongName = n;
    list.PutSong(&d);
  }
  list.DeleteSong(0);
  EXPECT_EQ(list.FCount, 3);
  EXPECT_EQ(list.SongAt(0)->SongName, "b");
  EXPECT_EQ(list.SongAt(1)->SongName, "c");
  EXPECT_EQ(list.SongAt(2)->SongName, "c");
  list.DeleteSong(2);  // the last one: nothing moves
  list.DeleteSong(-1);
  EXPECT_EQ(list.SongAt(0)->SongName, "b");
}

TEST(OruRun, WritesTheGoldenVodTxtAndCopiesEachSong) {
  TempDir dir;
  FakeWindow window;
  TOruSong list;
  list.FHandle = &window;
  TOruData a = Haifeng();
  a.VideoFile = dir.Write("src/a.mpg", std::string(12800, 'a')).string();
  list.PutSong(&a);
  TOruData b = Haifeng();
  b.SongName = Gbk(u8"小河");
  b.Singer = Gbk(u8"歌手甲");
  b.Pinyin = "XH";
  b.SongNo = "660002";
  b.Language = "3";
  b.Category = "14";
  b.AccompTrack = "3";
  b.Ranking = 1;
  b.VideoFile = dir.Write("src/b.mpg", "bb").string();
  list.PutSong(&b);
  list.FSourceDir = dir.Gbk() + "src/";
  list.FNeedSize = 12802;

  // The folder is made by the copy, once every check passed.
  ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/"; }).result, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));
  ASSERT_EQ(list.CopyToTarget().end, TRunOutcome::TEnd::kDone);
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod.txt"),
            TempDir::Read(std::filesystem::path(ADDSONGS_FIXTURES_DIR) / "oru_vod.txt"));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660001.dat"), std::string(12800, 'a'));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660002.dat"), "bb");
  // The copy's chunks, then the read-back of both .dat files.
  EXPECT_EQ(window.ParamsOf(WM_COPYPROGRESS),
            (std::vector<std::int64_t>{40, 80, 100, 100, 100, 100}));
}

TEST(OruRun, LinesReadBackAreTheLinesWritten) {
  TempDir dir;
  TOruSong list;
  const auto file = std::filesystem::path(ADDSONGS_FIXTURES_DIR) / "oru_vod.txt";
  list.LoadVodFile([&] { return file.string(); });
  ASSERT_EQ(list.FCount, 2);
  list.FLines.clear();
  list.BuildLines();
  list.SaveLines(list.FLines, (dir.path() / "again.txt").string());
  EXPECT_EQ(TempDir::Read(dir.path() / "again.txt"), TempDir::Read(file));
}

}  // namespace
