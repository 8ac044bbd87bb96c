// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/uclsTarvel.h"

#include <array>

#include "formats/tables.h"

namespace {
using D = TTarvelData;
using F = TLineField<D>;
using K = TFieldKind;
const std::array<F, 11> kLine{{
    {"SongName", K::kText, &D::SongName},
    {"Singer", K::kText, &D::Singer},
    {"WordCount", K::kInteger, &D::WordCount},
    {"Pinyin", K::kPinyin, &D::Pinyin},
    {"Strokes", K::kText, &D::Strokes},
    {"SongNo", K::kSongNo, &D::SongNo},
    {"AccompTrack", K::kInteger, &D::AccompTrack},
    {"Language", K::kInteger, &D::Language},
    {"Category", K::kInteger, &D::Category},
    {"NewSongKind", K::kInteger, &D::NewSongKind},
    {"RankingKind", K::kInteger, &D::RankingKind},
}};

// Every field of the line, in the order a song is tested.
const std::array<std::string D::*, 11> kMandatory{
    &D::SongName,    &D::Singer,   &D::Pinyin,   &D::WordCount,   &D::Strokes,    &D::SongNo,
    &D::AccompTrack, &D::Language, &D::Category, &D::NewSongKind, &D::RankingKind};
const TLineLayout<TTarvelData> kLayout{kLine, kMandatory};
}  // namespace

TLineVerdict CheckTarvelLine(const std::string& line, TTarvelData& record) {
  return kLayout.Read(line, record);
}

std::uint8_t ParseTarvelLine(const std::string& line, TTarvelData& record) {
  return CheckTarvelLine(line, record).Code();
}

TTarvelSong::TTarvelSong(std::uint8_t productLine, platform::Env* env)
    : TLineSong(productLine, env, kLayout) {
  AddRows(Table(TTableId::kCategories), 0,
          {u8"未知", u8"情歌对唱", u8"军歌", u8"喜庆", u8"嗨曲", u8"校园", u8"戏曲", u8"迪曲",
           u8"电影", u8"民歌"});
  AddStandardLanguages(*this);
  AddVcdAudioTracks(*this);
  AddDvdAudioTracks(*this);
  AddRows(Table(TTableId::kNewSongKinds), 0,
          {u8"未知", u8"国语新歌", u8"粤语新歌", u8"闽语新歌", u8"校园新歌", u8"网络新歌"});
  AddRows(Table(TTableId::kRankingKinds), 0,
          {u8"未知", u8"新歌排行", u8"国语排行", u8"粤语排行", u8"闽语排行", u8"对唱排行",
           u8"校园排行", u8"其他"});
}

TBmTable& TTarvelSong::Table(TTableId id) {
  if (id == TTableId::kNewSongKinds) return newSongKinds_;
  if (id == TTableId::kRankingKinds) return rankingKinds_;
  return TBaseSong::Table(id);
}
