// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/uclsMirel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/product_lines.h"
#include "formats/uclsOru.h"
#include "formats/uclsTarvel.h"
#include "model/errors.h"
#include "support/fake_window.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace {

TMirelData Xiaohe() {
  TMirelData d;
  d.SongName = Gbk(u8"小河");
  d.Singer = Gbk(u8"歌手甲");
  d.WordCount = "2";
  d.Pinyin = "xh";
  d.Strokes = "38";
  d.SongNo = "660001";
  d.Language = "1";
  d.Category = "1";
  return d;
}

TEST(MirelSong, TablesHoldTheMirelRowsInOrder) {
  TMirelSong list;
  EXPECT_EQ(list.FProductLine, kProductMirel);
  EXPECT_EQ(list.ToolTitle(), Gbk(u8"Mirel系列版本加歌工具"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kCategories)),
            Gbk(u8"0 未知,1 情歌对唱,2 军歌,3 喜庆,4 舞曲,5 校园,"
                u8"6 戏曲,7 网络歌曲,8 电影小品,9 民歌,10 流行歌曲"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kLanguages)),
            Gbk(u8"1 国语,2 英语,3 粤语,4 闽南语,5 日语,6 韩语,7 其他"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kAudioTracks)),
            Gbk(u8"2 VCD伴唱,3 VCD原唱,12 DVD(12),21 DVD(21),23 DVD(23),32 DVD(32)"));
  EXPECT_EQ(list.Table(TTableId::kDvdTracks).Count() + list.Table(TTableId::kTrackTypes).Count() +
                list.Table(TTableId::kStyles).Count(),
            0);
  const std::string unknown = Gbk(u8"没有");
  EXPECT_EQ(list.Table(TTableId::kCategories).CodeOf(unknown) +
                list.Table(TTableId::kLanguages).CodeOf(unknown) +
                list.Table(TTableId::kAudioTracks).CodeOf(unknown) + "|" +
                list.Table(TTableId::kStyles).CodeOf(unknown),
            "012|");
}

TEST(MirelSong, EverySlotStartsAtTheMirelDefaults) {
  TMirelSong list;
  for (int i : {0, 99}) {
    const auto& s = *static_cast<const TMirelData*>(list.GetSong(i));
    EXPECT_EQ(s.SongNo + s.SongName + s.Singer + s.Pinyin + s.Strokes + s.VideoFile, "");
    EXPECT_EQ(s.WordCount + "|" + s.AccompTrack + "|" + s.ReservedText, "0|2|80");
    EXPECT_EQ(s.Language + s.Category, "00");
    EXPECT_EQ(s.ReservedFlag, 0);
    EXPECT_EQ(s.NewSong, 1);
  }
}

TEST(MirelSong, NineFieldsAreMandatoryWordCountAndStrokesIncluded) {
  std::string TMirelData::*fields[] = {
      &TMirelData::SongName,    &TMirelData::Singer,   &TMirelData::WordCount,
      &TMirelData::Pinyin,      &TMirelData::Strokes,  &TMirelData::SongNo,
      &TMirelData::AccompTrack, &TMirelData::Language, &TMirelData::Category};
  for (auto field : fields) {
    TMirelSong list;
    TMirelData a = Xiaohe();
    list.PutSong(&a);
    a.*field = "";
    list.PutSong(&a);
    EXPECT_THROW(list.BuildLines(), TUserError);
    EXPECT_EQ(list.FLines.size(), 1u);
  }
  TMirelSong empty;
  EXPECT_EQ(empty.BuildLines(), 0);
  EXPECT_TRUE(empty.FLines.empty());
}

TEST(MirelSong, BuildsTrimmedLinesEndingInTheNewSongFlag) {
  TMirelSong list;
  TMirelData a = Xiaohe();
  list.PutSong(&a);
  a.Pinyin = Gbk(u8" x河h ");
  a.NewSong = 0;
  list.PutSong(&a);
  EXPECT_EQ(list.BuildLines(), 0);
  EXPECT_EQ(list.FLines, (TStringList{Gbk(u8"小河;歌手甲;2;XH;38;660001;2;1;1;1"),
                                      Gbk(u8"小河;歌手甲;2;X河H;38;660001;2;1;1;0")}));
}

TEST(ParseMirelLine, AcceptsAndRefusesAsTheLineLayoutDemands) {
  struct Case {
    const char8_t* line;
    int want;
  };
  const Case cases[] = {
      {u8"小河;歌手甲;2;XH;38;660001;2;1;1;1", 0},
      {u8"小河;歌手甲;2;XH;38;660001;2;1;1;1;", 6},  // 11 fields
      {u8"小河;歌手甲;2;XH;38;660001;2;1;1", 6},     // 9 fields
      {u8"小河;歌手甲;2;XH;38;660001;2;1;1;1 ", 6},  // the flag is not trimmed
      {u8"小河;歌手甲;2;XH;38;660001;2;1;1; 0", 6},
      {u8"小河;歌手甲;2;XH;38;660001;2;1;1;2", 6},
      {u8"小河;歌手甲;2;XH;38;660001;2;1;1;0", 0},
      {u8"小河;歌手甲;2;XH;38;650001;2;1;1;1", 6},  // song number
      {u8"小河;歌手甲;2;XH;38;;2;1;1;1", 6},
      {u8"小河;歌手甲;2;XH;38;66;2;1;1;1", 0},
      {u8"小河;歌手甲;2a;XH;38;660001;2;1;1;1", 6},  // integers
      {u8"小河;歌手甲;2;XH;38;660001;2a;1;1;1", 6},
      {u8"小河;歌手甲;2;XH;38;660001;2;2a;1;1", 6},
      {u8"小河;歌手甲;2;XH;38;660001;2;1;2a;1", 6},
      {u8"小河;歌手甲;2;XH;2a;660001;2;1;1;1", 0},  // strokes are not checked
      {u8"小河;歌手甲; 2 ;XH;38; 660001 ; 2 ;1;1;1", 0},
      {u8"海风;林一;2;HF;660001;2;1;1;1;0", 6},  // an ORU line
      {u8"", 6},
  };
  for (const auto& c : cases) {
    TMirelData rec;
    EXPECT_EQ(ParseMirelLine(Gbk(c.line), rec), c.want) << gbk::ToUtf8(Gbk(c.line));
  }
}

TEST(ParseMirelLine, WrongFlagLeavesTheRecordLaterRefusalsKeepTheValues) {
  TMirelData rec;  // a reset record: NewSong 1
  rec.VideoFile = "keep";
  EXPECT_EQ(ParseMirelLine("a;b;2;xh;38;660001;2;1;1;x", rec), 6);
  EXPECT_EQ(rec.SongName, "");
  EXPECT_EQ(ParseMirelLine(" a ;b;2;xh;38;660001;2;1;1;0", rec), 0);
  EXPECT_EQ(rec.SongName + rec.Pinyin + rec.Strokes, "axh38");
  EXPECT_EQ(rec.NewSong, 0);
  EXPECT_EQ(ParseMirelLine("c;d;2;xh;38;123;2;1;1;1", rec), 6);
  EXPECT_EQ(rec.SongName + rec.SongNo, "c123");
  EXPECT_EQ(rec.NewSong, 1);
  EXPECT_EQ(rec.VideoFile + rec.ReservedText, "keep80");
}

// The name of the first product line whose parser takes the line.
std::string Recognise(const std::u8string& line) {
  for (const auto& entry : ProductLines()) {
    if (entry.check(Gbk(line)).Code() == 0) return entry.name;
  }
  return "none";
}

TEST(ProductLines, TriesOruTarvelMirelDovanInThatOrder) {
  const auto& lines = ProductLines();
  ASSERT_EQ(lines.size(), 4u);
  for (std::uint8_t code = 1; code <= 4; ++code) {
    EXPECT_EQ(lines[code - 1].code, code);
    auto list = lines[code - 1].create(nullptr);
    EXPECT_EQ(list->FProductLine, code);
    EXPECT_EQ(FindProductLine(code), &lines[code - 1]);
  }
  EXPECT_EQ(FindProductLine(5), nullptr);
}

TEST(ProductLines, RecognisesEachLineAndTakesOruFirst) {
  EXPECT_EQ(Recognise(u8"海风;林一;2;HF;660001;2;1;1;1;0"), "ORU 2.0");
  EXPECT_EQ(Recognise(u8"海风;林一;2;HF;104;660001;2;1;1;1;1"), "Tarvel");
  EXPECT_EQ(Recognise(u8"小河;歌手甲;2;XH;38;660001;2;1;1;1"), "Mirel");
  EXPECT_EQ(Recognise(u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1"), "Dovan");
  // Strokes beginning with 66 and a category of 0 or 1: the ORU parser takes it.
  EXPECT_EQ(Recognise(u8"小河;歌手甲;2;XH;6638;660001;2;1;1;1"), "ORU 2.0");
  EXPECT_EQ(Recognise(u8"小河;歌手甲;2;XH;6638;660001;2;1;0;1"), "ORU 2.0");
  EXPECT_EQ(Recognise(u8"小河;歌手甲;2;XH;6638;660001;2;1;5;1"), "Mirel");
  EXPECT_EQ(Recognise(u8"a;b"), "none");
  TOruData oru;
  TMirelData mirel;
  EXPECT_EQ(ParseOruLine(Gbk(u8"小河;歌手甲;2;XH;6638;660001;2;1;1;1"), oru), 0);
  EXPECT_EQ(oru.SongNo, "6638");  // the ORU reading of a Mirel line
  EXPECT_EQ(ParseMirelLine(Gbk(u8"海风;林一;2;HF;660001;2;1;1;1;0"), mirel), 6);
}

TEST(MirelSong, FillFromFileNameAndDeleteSongChangeNothing) {
  TMirelSong list;
  TMirelData a = Xiaohe();
  list.PutSong(&a);
  list.PutSong(&a);
  list.FillFromFileName(0, "x-y.mpg");
  list.DeleteSong(0);
  EXPECT_EQ(list.FCount, 2);
  EXPECT_EQ(list.SongAt(0)->SongName, Gbk(u8"小河"));
  EXPECT_EQ(list.SongAt(0)->VideoFile, "");
}

TEST(MirelRun, WritesTheGoldenVodTxtAndReadsItBack) {
  TempDir dir;
  FakeWindow window;
  TMirelSong list;
  list.FHandle = &window;
  TMirelData a = Xiaohe();
  a.VideoFile = dir.Write("src/a.mpg", std::string(12800, 'm')).string();
  list.PutSong(&a);
  list.FSourceDir = dir.Gbk() + "src/";
  std::filesystem::create_directory(dir.path() / "out");
  ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/"; }).result, 0);
  ASSERT_EQ(list.CopyToTarget().end, TRunOutcome::TEnd::kDone);
  const auto golden = std::filesystem::path(ADDSONGS_FIXTURES_DIR) / "mirel_vod.txt";
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod.txt"), TempDir::Read(golden));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660001.dat"), std::string(12800, 'm'));
  // The copy's chunks, then the read-back of the .dat.
  EXPECT_EQ(window.ParamsOf(WM_COPYPROGRESS), (std::vector<std::int64_t>{40, 80, 100, 100}));

  TMirelSong loaded;
  loaded.LoadVodFile([&] { return golden.string(); });
  ASSERT_EQ(loaded.FCount, 1);
  const auto& s = *static_cast<const TMirelData*>(loaded.SongAt(0));
  EXPECT_EQ(s.SongName + ";" + s.Singer + ";" + s.WordCount + ";" + s.Pinyin + ";" + s.Strokes +
                ";" + s.SongNo + ";" + s.AccompTrack + ";" + s.Language + ";" + s.Category,
            Gbk(u8"小河;歌手甲;2;XH;38;660001;2;1;1"));
  EXPECT_EQ(s.NewSong, 1);
}

}  // namespace
