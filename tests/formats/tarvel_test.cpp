// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/product_lines.h"
#include "formats/uclsTarvel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/uclsOru.h"
#include "model/errors.h"
#include "support/fake_window.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace {

// "code name,code name,..." of a table, GBK.
TTarvelData Haifeng() {
  TTarvelData d;
  d.SongName = Gbk(u8"海风");
  d.Singer = Gbk(u8"林一");
  d.WordCount = "2";
  d.Pinyin = "hf";
  d.Strokes = "104";
  d.SongNo = "660001";
  d.NewSongKind = "1";
  d.RankingKind = "1";
  return d;
}

TEST(TarvelSong, TablesHoldTheTarvelRowsInOrder) {
  TTarvelSong list;
  EXPECT_EQ(list.FProductLine, kProductTarvel);
  EXPECT_EQ(list.ToolTitle(), Gbk(u8"Tarvel版本加歌工具"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kCategories)),
            Gbk(u8"0 未知,1 情歌对唱,2 军歌,3 喜庆,4 嗨曲,5 校园,6 戏曲,7 迪曲,8 电影,9 民歌"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kLanguages)),
            Gbk(u8"1 国语,2 英语,3 粤语,4 闽南语,5 日语,6 韩语,7 其他"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kAudioTracks)),
            Gbk(u8"2 VCD伴唱,3 VCD原唱,12 DVD(12),21 DVD(21),23 DVD(23),32 DVD(32)"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kNewSongKinds)),
            Gbk(u8"0 未知,1 国语新歌,2 粤语新歌,3 闽语新歌,4 校园新歌,5 网络新歌"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kRankingKinds)),
            Gbk(u8"0 未知,1 新歌排行,2 国语排行,3 粤语排行,"
                u8"4 闽语排行,5 对唱排行,6 校园排行,7 其他"));
  EXPECT_EQ(list.Table(TTableId::kDvdTracks).Count() + list.Table(TTableId::kTrackTypes).Count() +
                list.Table(TTableId::kStyles).Count(),
            0);
}

TEST(TarvelSong, OnlyTarvelHasTheKindTablesAndANameTheyLackGivesUnknown) {
  TTarvelSong tarvel;
  const std::string unknown = Gbk(u8"没有");
  for (TTableId id : {TTableId::kNewSongKinds, TTableId::kRankingKinds}) {
    EXPECT_EQ(tarvel.Table(id).CodeOf(unknown), "0");
    EXPECT_EQ(tarvel.Table(id).Item(0).Name, Gbk(u8"未知"));
    for (const TProductLineInfo& product : ProductLines()) {
      if (product.code == kProductTarvel) continue;
      EXPECT_THROW(product.create(nullptr)->Table(id), std::invalid_argument) << product.name;
    }
  }
}

TEST(TarvelSong, EverySlotStartsAtTheTarvelDefaults) {
  TTarvelSong list;
  for (int i : {0, 99}) {
    const auto& s = *static_cast<const TTarvelData*>(list.GetSong(i));
    EXPECT_EQ(s.SongNo + s.SongName + s.Singer + s.Pinyin + s.Strokes + s.VideoFile, "");
    EXPECT_EQ(s.WordCount + "|" + s.AccompTrack + "|" + s.ReservedText, "0|2|80");
    EXPECT_EQ(s.Language + s.Category + s.NewSongKind + s.RankingKind, "1100");
    EXPECT_EQ(s.ReservedFlag, 0);
  }
}

TEST(TarvelSong, EveryFieldIsMandatory) {
  std::string TTarvelData::*fields[] = {
      &TTarvelData::SongName,    &TTarvelData::Singer,     &TTarvelData::Pinyin,
      &TTarvelData::WordCount,   &TTarvelData::Strokes,    &TTarvelData::SongNo,
      &TTarvelData::AccompTrack, &TTarvelData::Language,   &TTarvelData::Category,
      &TTarvelData::NewSongKind, &TTarvelData::RankingKind};
  for (auto field : fields) {
    TTarvelSong list;
    TTarvelData a = Haifeng();
    list.PutSong(&a);
    a.*field = " \t";
    list.PutSong(&a);
    EXPECT_THROW(list.BuildLines(), TUserError);
    EXPECT_EQ(list.FLines.size(), 1u);
  }
}

TEST(TarvelSong, BuildsTrimmedLinesWithUpperCasePinyin) {
  TTarvelSong list;
  TTarvelData a = Haifeng();
  a.Strokes = " 104 ";
  a.RankingKind = "7 ";
  list.PutSong(&a);
  EXPECT_EQ(list.BuildLines(), 0);
  EXPECT_EQ(list.FLines, TStringList{Gbk(u8"海风;林一;2;HF;104;660001;2;1;1;1;7")});
}

TEST(ParseTarvelLine, AcceptsAndRefusesAsTheLineLayoutDemands) {
  struct Case {
    const char8_t* line;
    int want;
  };
  const Case cases[] = {
      {u8"海风;林一;2;HF;104;660001;2;1;1;1;1", 0},
      {u8"海风;林一;2;HF;104;660001;2;1;1;1", 6},      // 10 fields
      {u8"海风;林一;2;HF;104;660001;2;1;1;1;1;1", 6},  // 12 fields
      {u8"海风;林一;2;HF;104;660001;2;1;1;1;1;", 6},   // ';' at the end
      {u8"海风;林一;2;HF;7a;660001;2;1;1;1;1", 0},     // strokes are not checked
      {u8"海风;林一;2;HF;;660001;2;1;1;1;1", 0},
      {u8"海风;林一;2;HF;104;660001;2;1;0;0;0", 0},    // category 0 (未知)
      {u8"海风;林一;2;HF;104;660001;2;1;1;1 ;1 ", 0},  // no exact flag fields
      {u8"海风;林一;2;HF;104;123456;2;1;1;1;1", 6},    // song number
      {u8"海风;林一;2;HF;104;;2;1;1;1;1", 6},
      {u8"海风;林一;2;HF;104; 66 ;2;1;1;1;1", 0},
      {u8"海风;林一;2a;HF;104;660001;2;1;1;1;1", 6},  // integers
      {u8"海风;林一;2;HF;104;660001;2a;1;1;1;1", 6},
      {u8"海风;林一;2;HF;104;660001;2;2a;1;1;1", 6},
      {u8"海风;林一;2;HF;104;660001;2;1;2a;1;1", 6},
      {u8"海风;林一;2;HF;104;660001;2;1;1;1a;1", 6},
      {u8"海风;林一;2;HF;104;660001;2;1;1;1;1a", 6},
      {u8"海风;林一;0x2;HF;104;660001;-2;+1;$1;x1;X1", 0},
      {u8"海风;林一;2;HF;660001;2;1;1;1;0", 6},  // an ORU line
      {u8"", 6},
  };
  for (const auto& c : cases) {
    TTarvelData rec;
    EXPECT_EQ(ParseTarvelLine(Gbk(c.line), rec), c.want) << gbk::ToUtf8(Gbk(c.line));
  }
  TOruData oru;
  EXPECT_EQ(ParseOruLine(Gbk(u8"海风;林一;2;HF;104;660001;2;1;1;1;1"), oru), 6);
}

TEST(ParseTarvelLine, WrongCountLeavesTheRecordLaterRefusalsKeepTheValues) {
  TTarvelData rec;
  rec.SongName = "before";
  rec.VideoFile = "keep";
  EXPECT_EQ(ParseTarvelLine("a;b;2;hf;7;660001;2;1;1;1", rec), 6);
  EXPECT_EQ(rec.SongName, "before");
  EXPECT_EQ(ParseTarvelLine(" a ;b;2;hf; 7 ;660001;3;4;5;6;x", rec), 6);
  EXPECT_EQ(rec.SongName + rec.Pinyin + rec.Strokes + rec.NewSongKind + rec.RankingKind, "ahf76x");
  EXPECT_EQ(rec.VideoFile + rec.ReservedText, "keep80");
  TLineVerdict v = CheckTarvelLine("a;b;2;hf;7;660001;2;1;1;z;y", rec);
  EXPECT_EQ(v.Describe(), "field 10 (NewSongKind) is not an integer");
}

TEST(TarvelSong, FillFromFileNameAndDeleteSongChangeNothing) {
  TTarvelSong list;
  TTarvelData a = Haifeng();
  list.PutSong(&a);
  a.SongName = "b";
  list.PutSong(&a);
  EXPECT_EQ(list.FillFromFileName(0, "x-y.mpg"), 0);
  EXPECT_EQ(list.DeleteSong(0), 0);
  EXPECT_EQ(list.SongSlot5(), 0);
  EXPECT_EQ(list.FCount, 2);
  EXPECT_EQ(list.SongAt(0)->SongName, Gbk(u8"海风"));
  EXPECT_EQ(list.SongAt(1)->SongName, "b");
  EXPECT_EQ(list.NextSongNo(), "660000");
}

TEST(TarvelRun, WritesTheGoldenVodTxtAndReadsItBack) {
  TempDir dir;
  FakeWindow window;
  TTarvelSong list;
  list.FHandle = &window;
  TTarvelData a = Haifeng();
  a.VideoFile = dir.Write("src/a.mpg", "video").string();
  list.PutSong(&a);
  list.FSourceDir = dir.Gbk() + "src/";
  std::filesystem::create_directory(dir.path() / "out");
  ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/"; }).result, 0);
  ASSERT_EQ(list.CopyToTarget().end, TRunOutcome::TEnd::kDone);
  const auto golden = std::filesystem::path(ADDSONGS_FIXTURES_DIR) / "tarvel_vod.txt";
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod.txt"), TempDir::Read(golden));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660001.dat"), "video");

  TTarvelSong loaded;
  loaded.LoadVodFile([&] { return (dir.path() / "out" / "vod.txt").string(); });
  ASSERT_EQ(loaded.FCount, 1);
  const auto& s = *static_cast<const TTarvelData*>(loaded.SongAt(0));
  EXPECT_EQ(s.SongName + ";" + s.Singer + ";" + s.WordCount + ";" + s.Pinyin + ";" + s.Strokes +
                ";" + s.SongNo + ";" + s.AccompTrack + ";" + s.Language + ";" + s.Category + ";" +
                s.NewSongKind + ";" + s.RankingKind,
            Gbk(u8"海风;林一;2;HF;104;660001;2;1;1;1;1"));
}

}  // namespace
