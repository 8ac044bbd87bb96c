// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/uclsDovan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "model/errors.h"
#include "support/fake_window.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "text/gbk.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";

TDovanData Xiaohe() {
  TDovanData d;
  d.SongName = Gbk(u8"小河");
  d.Singer = Gbk(u8"歌手甲");
  d.WordCount = "2";
  d.Pinyin = "xh";
  d.Strokes = "38";
  d.SongNo = "660001";
  d.IsDvd = 1;
  d.AccompTrack = "1";
  d.VocalTrack = "0";
  d.Language = "1";
  d.Category = "5";
  d.Style = "3";
  return d;
}

// A Dovan list whose configuration folder is an empty temporary one.
struct DovanFixture : ::testing::Test {
  TempDir dir;
  TDovan list{kProductDovan, nullptr, dir.Gbk()};

  // The bytes SaveLines writes for the lines (GBK, given as UTF-8 here).
  std::string Saved(std::initializer_list<std::string> lines) {
    const auto file = dir.path() / "vod.txt";
    list.SaveLines(TStringList(lines), file.string());
    return TempDir::Read(file);
  }
};

TEST_F(DovanFixture, TablesWithoutConfigurationHoldTheDefaultsInOrder) {
  EXPECT_EQ(list.FProductLine, kProductDovan);
  EXPECT_EQ(list.ToolTitle(), Gbk(u8"Dovan加歌工具"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kCategories)),
            Gbk(u8"0 未知,1 情歌对唱,2 军歌,3 喜庆歌曲,4 舞曲,5 校园歌曲,6 戏曲,7 儿歌,8 迪曲,"
                u8"9 民族歌曲,10 电影,11 小品,12 二人转,13 相声,14 轻音乐"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kLanguages)),
            Gbk(u8"1 国语,2 英语,3 粤语,4 闽南语,5 日语,6 韩语,7 其他"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kAudioTracks)), Gbk(u8"2 VCD伴唱,3 VCD原唱"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kDvdTracks)),
            Gbk(u8"0 DVD 0 轨,1 DVD 1 轨,2 DVD 2 轨,3 DVD 3 轨,"
                u8"4 DVD 4 轨,5 DVD 5 轨,6 DVD 6 轨,7 DVD 7 轨"));
  EXPECT_EQ(RowsOf(list.Table(TTableId::kTrackTypes)), "1 VCD,2 DVD");
  EXPECT_EQ(RowsOf(list.Table(TTableId::kStyles)),
            Gbk(u8"0 未知,1 风景1,2 风景2,3 风景3,4 风景4,5 风景5,6 风景6,"
                u8"7 风景7,8 风景8,9 风景9,10 风景10,11 风景11,12 风景12,"
                u8"13 风景13,14 风景14"));
  const std::string unknown = Gbk(u8"没有");
  EXPECT_EQ(list.Table(TTableId::kCategories).CodeOf(unknown) +
                list.Table(TTableId::kLanguages).CodeOf(unknown) +
                list.Table(TTableId::kAudioTracks).CodeOf(unknown) +
                list.Table(TTableId::kDvdTracks).CodeOf(unknown) +
                list.Table(TTableId::kTrackTypes).CodeOf(unknown) + "|" +
                list.Table(TTableId::kStyles).CodeOf(unknown),
            "01201|");
  EXPECT_EQ(list.Table(TTableId::kDvdTracks).IndexOf("8"), -1);
  EXPECT_EQ(list.Table(TTableId::kAudioTracks).IndexOf("3"), 1);
}

TEST_F(DovanFixture, EverySlotStartsAtTheDovanDefaults) {
  for (int i : {0, 99}) {
    const auto& s = *static_cast<const TDovanData*>(list.GetSong(i));
    EXPECT_EQ(s.SongNo + s.SongName + s.Singer + s.Pinyin + s.Strokes + s.VideoFile, "");
    EXPECT_EQ(s.WordCount + "|" + s.AccompTrack + "|" + s.ReservedText + "|" + s.ReservedText2,
              "0|2|80|80");
    EXPECT_EQ(s.Language + s.Category + s.VocalTrack + s.Style, "0031");
    EXPECT_EQ(s.ReservedFlag + s.IsDvd, 0);
    EXPECT_EQ(s.NewSong, 1);
  }
}

TEST_F(DovanFixture, ElevenFieldsAreMandatoryVocalTrackAndStyleIncluded) {
  std::string TDovanData::*fields[] = {
      &TDovanData::SongName,    &TDovanData::Singer,   &TDovanData::WordCount,
      &TDovanData::Pinyin,      &TDovanData::Strokes,  &TDovanData::SongNo,
      &TDovanData::AccompTrack, &TDovanData::Language, &TDovanData::Category,
      &TDovanData::VocalTrack,  &TDovanData::Style};
  for (auto field : fields) {
    TDovan one(kProductDovan, nullptr, dir.Gbk());
    TDovanData a = Xiaohe();
    one.PutSong(&a);
    a.*field = " ";
    one.PutSong(&a);
    EXPECT_THROW(one.BuildLines(), TUserError);
    EXPECT_EQ(one.FLines.size(), 1u);
  }
}

TEST_F(DovanFixture, BuildsThirteenFieldLinesWithBothFlags) {
  TDovanData a = Xiaohe();
  list.PutSong(&a);
  a.IsDvd = 0;
  a.NewSong = 0;
  a.AccompTrack = " 2 ";
  a.VocalTrack = "3";
  list.PutSong(&a);
  EXPECT_EQ(list.BuildLines(), 0);
  EXPECT_EQ(list.FLines, (TStringList{Gbk(u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1"),
                                      Gbk(u8"小河;歌手甲;2;XH;38;660001;0;2;3;1;5;3;0")}));
}

TEST(ParseDovanLine, AcceptsAndRefusesAsTheLineLayoutDemands) {
  struct Case {
    const char8_t* line;
    int want;
  };
  const Case cases[] = {
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1", 0},
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3", 6},      // 12 fields
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1;1", 6},  // 14 fields
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1 ", 6},   // the last flag is exact
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;2", 6},
      {u8"小河;歌手甲;2;XH;38;660001;2;1;0;1;5;3;1", 0},  // field 7 is not checked
      {u8"小河;歌手甲;2;XH;38;660001;x;1;0;1;5;3;0", 0},
      {u8"小河;歌手甲;2;XH;38;123;1;1;0;1;5;3;1", 6},      // song number
      {u8"小河;歌手甲;2a;XH;38;660001;1;1;0;1;5;3;1", 6},  // integers
      {u8"小河;歌手甲;2;XH;38;660001;1;1a;0;1;5;3;1", 6},
      {u8"小河;歌手甲;2;XH;38;660001;1;1;3a;1;5;3;1", 6},
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1a;5;3;1", 6},
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5a;3;1", 6},
      {u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3a;1", 6},
      {u8"小河;歌手甲;2;XH;3a;660001;1;1;0;1;5;3;1", 0},  // strokes are not checked
      {u8"", 6},
  };
  for (const auto& c : cases) {
    TDovanData rec;
    EXPECT_EQ(ParseDovanLine(Gbk(c.line), rec), c.want) << gbk::ToUtf8(Gbk(c.line));
  }
}

TEST(ParseDovanLine, StoresTrimmedFieldsAndBothFlags) {
  TDovanData rec;
  rec.VideoFile = "keep";
  ASSERT_EQ(ParseDovanLine(" a ;b;2;xh;38;660001; 1 ;4;5;6;7;8;0", rec), 0);
  EXPECT_EQ(rec.SongName + rec.Pinyin + rec.AccompTrack + rec.VocalTrack + rec.Language +
                rec.Category + rec.Style,
            "axh45678");
  EXPECT_EQ(rec.IsDvd, 1);  // trimmed "1"
  EXPECT_EQ(rec.NewSong, 0);
  ASSERT_EQ(ParseDovanLine("a;b;2;xh;38;660001;2;4;5;6;7;8;1", rec), 0);
  EXPECT_EQ(rec.IsDvd, 0);
  EXPECT_EQ(rec.NewSong, 1);
  EXPECT_EQ(rec.VideoFile + rec.ReservedText + rec.ReservedText2, "keep8080");
  EXPECT_EQ(ParseDovanLine("c;b;2;xh;38;660001;1;4;5;6;7;8;x", rec), 6);  // untouched
  EXPECT_EQ(rec.SongName, "a");
  EXPECT_EQ(ParseDovanLine("c;b;2;xh;38;660001;1;4;v;6;7;s;1", rec), 6);  // values kept
  EXPECT_EQ(rec.SongName + rec.VocalTrack + rec.Style, "cvs");
}

TEST(CheckDovanLine, TestsVocalTrackAfterCategory) {
  TDovanData rec;
  EXPECT_EQ(CheckDovanLine("a;b;2;xh;38;660001;1;4;v;6;c;8;1", rec).Describe(),
            "field 11 (Category) is not an integer");
  EXPECT_EQ(CheckDovanLine("a;b;2;xh;38;660001;1;4;v;6;7;s;1", rec).Describe(),
            "field 9 (VocalTrack) is not an integer");
  EXPECT_EQ(CheckDovanLine("a;b;2;xh;38;660001;1;4;5;6;7;s;1", rec).Describe(),
            "field 12 (Style) is not an integer");
  EXPECT_EQ(CheckDovanLine("a;b;2;xh;38;660001;1;4;5;6;7;8;1", rec).Describe(), "accepted");
}

TEST_F(DovanFixture, SavesUtf8WithBomAndCrLfSkippingBlankLines) {
  EXPECT_EQ(Saved({}), kBom);
  EXPECT_EQ(Saved({"", " \t", "\x01"}), kBom);
  EXPECT_EQ(Saved({"abcdefghijkl"}).size(), 3u + 14u);  // 12 ASCII characters
  EXPECT_EQ(Saved({"a", "  ", " b\t"}), kBom + "a\r\nb\r\n");
  EXPECT_EQ(Saved({Gbk(u8"小河")}), kBom + "\xE5\xB0\x8F\xE6\xB2\xB3\r\n");
  // é (two bytes in UTF-8), the euro sign of byte 0x80 and a GBK-only ideograph.
  EXPECT_EQ(Saved({Gbk(u8"é") + "\x80" + Gbk(u8"丂")}),
            kBom + "\xC3\xA9\xE2\x82\xAC\xE4\xB8\x82\r\n");
}

TEST_F(DovanFixture, ALineLongerThanTheJukeboxReadsIsRefusedNamingTheSongNeverCut) {
  std::string title;
  for (int i = 0; i < 700; ++i) title += Gbk(u8"河");
  // The line's other fields take 29 bytes: ;A;0;X;1;660001;0;2;3;0;0;1;1
  struct Case {
    std::size_t characters;  // of the title, three UTF-8 bytes each
    bool refused;
  };
  const Case cases[] = {{672, false}, {673, true}, {700, true}};
  for (const auto& c : cases) {
    TDovanData song;
    song.SongName = title.substr(0, 2 * c.characters);
    song.Singer = "A";
    song.Pinyin = "X";
    song.Strokes = "1";
    song.SongNo = "660001";
    list.FCount = 0;
    list.PutSong(&song);
    list.FLines.clear();
    const std::size_t bytes = 3 * c.characters + 29;  // 672: 2045, 673: 2048
    if (!c.refused) {
      EXPECT_EQ(list.BuildLines(), 0) << bytes;
      EXPECT_EQ(list.EncodeVod(list.FLines).size(), 3 + bytes + 2) << "written whole";
      continue;
    }
    try {
      list.BuildLines();
      ADD_FAILURE() << bytes;
    } catch (const TSongRefused& e) {
      EXPECT_EQ(e.index, 0);
      EXPECT_NE(gbk::ToUtf8(e.what()).find("660001"), std::string::npos);
      EXPECT_NE(gbk::ToUtf8(e.what()).find("最多读取 2047 字节"), std::string::npos);
    }
  }
}

TEST_F(DovanFixture, RefusesALineThatIsNotGbkAndKeepsTheOldFile) {
  const auto file = dir.Write("vod.txt", "old");
  FakeWindow window;
  list.FHandle = &window;
  // A lead byte at the end, then the byte 0xFF.
  for (const std::string& bad : {std::string("ok\x81"), std::string("a\xFF")}) {
    EXPECT_THROW(list.SaveLines({"fine", bad}, file.string()), gbk::ConversionError);
    EXPECT_EQ(TempDir::Read(file), "old");
  }
  EXPECT_EQ(window.pumps, 4);  // once per line examined
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(DovanSave, AFailingWriteKeepsTheOldFile) {
  TempDir dir;
  TestEnv env;
  env.failWriteAfter = 5;
  TDovan list(kProductDovan, &env, dir.Gbk());
  const auto file = dir.Write("vod.txt", "old");
  EXPECT_THROW(list.SaveLines({"abcdefgh"}, file.string()), std::system_error);
  EXPECT_EQ(TempDir::Read(file), "old");
}

TEST_F(DovanFixture, RunWritesTheGoldenVodTxtAndItReadsBack) {
  FakeWindow window;
  list.FHandle = &window;
  TDovanData a = Xiaohe();
  a.VideoFile = dir.Write("src/a.mpg", "dvd").string();
  list.PutSong(&a);
  list.FSourceDir = dir.Gbk() + "src/";
  std::filesystem::create_directory(dir.path() / "out");
  ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/"; }).result, 0);
  ASSERT_EQ(list.CopyToTarget().end, TRunOutcome::TEnd::kDone);
  const std::string written = TempDir::Read(dir.path() / "out" / "vod.txt");
  EXPECT_EQ(written, TempDir::Read(std::filesystem::path(ADDSONGS_FIXTURES_DIR) / "dovan_vod.txt"));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660001.dat"), "dvd");

  // Back from UTF-8 to GBK, the line reads into the record it came from.
  ASSERT_EQ(written.substr(0, 3), kBom);
  ASSERT_EQ(written.substr(written.size() - 2), "\r\n");
  const std::string line = gbk::FromUtf8(written.substr(3, written.size() - 5));
  TDovan loaded(kProductDovan, nullptr, dir.Gbk());
  ASSERT_EQ(loaded.ParseLine(line, 0), 0);
  const auto& s = *static_cast<const TDovanData*>(loaded.GetSong(0));
  EXPECT_EQ(s.SongName + ";" + s.Singer + ";" + s.WordCount + ";" + s.Pinyin + ";" + s.Strokes +
                ";" + s.SongNo + ";" + s.AccompTrack + ";" + s.VocalTrack + ";" + s.Language + ";" +
                s.Category + ";" + s.Style,
            Gbk(u8"小河;歌手甲;2;XH;38;660001;1;0;1;5;3"));
  EXPECT_EQ(s.IsDvd + s.NewSong, 2);
}

TEST_F(DovanFixture, FillFromFileNameAndDeleteSongChangeNothing) {
  TDovanData a = Xiaohe();
  list.PutSong(&a);
  list.PutSong(&a);
  list.FillFromFileName(1, "x-y.mpg");
  list.DeleteSong(0);
  EXPECT_EQ(list.FCount, 2);
  EXPECT_EQ(list.SongAt(1)->SongName, Gbk(u8"小河"));
  EXPECT_EQ(list.ParseLine("", 0), 6);
}

}  // namespace
