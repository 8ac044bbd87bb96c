// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/uclsOru.h"

#include <array>

#include "formats/tables.h"
#include "text/gbk.h"

namespace {
using F = TLineField<TOruData>;
using K = TFieldKind;
const std::array<F, 10> kLine{{
    {"SongName", K::kText, &TOruData::SongName},
    {"Singer", K::kText, &TOruData::Singer},
    {"WordCount", K::kInteger, &TOruData::WordCount},
    {"Pinyin", K::kPinyin, &TOruData::Pinyin},
    {"SongNo", K::kSongNo, &TOruData::SongNo},
    {"AccompTrack", K::kInteger, &TOruData::AccompTrack},
    {"Language", K::kInteger, &TOruData::Language},
    {"Category", K::kInteger, &TOruData::Category},
    {"NewSong", K::kFlag, nullptr, &TOruData::NewSong},
    {"Ranking", K::kFlag, nullptr, &TOruData::Ranking},
}};

const std::array<std::string TOruData::*, 7> kMandatory{
    &TOruData::SongName,    &TOruData::Singer,   &TOruData::Pinyin,  &TOruData::SongNo,
    &TOruData::AccompTrack, &TOruData::Language, &TOruData::Category};
const TLineLayout<TOruData> kLayout{kLine, kMandatory};
}  // namespace

TLineVerdict CheckOruLine(const std::string& line, TOruData& record) {
  return kLayout.Read(line, record);
}

std::uint8_t ParseOruLine(const std::string& line, TOruData& record) {
  return CheckOruLine(line, record).Code();
}

TOruSong::TOruSong(std::uint8_t productLine, platform::Env* env)
    : TLineSong(productLine, env, kLayout) {
  AddStandardLanguages(*this);
  const char8_t* categories[] = {u8"情歌对唱", u8"军歌", u8"儿歌",     u8"生日歌曲", u8"影视插曲",
                                 u8"舞曲",     u8"迪曲", u8"抒情歌曲", u8"电影",     u8"小品",
                                 u8"相声",     u8"戏曲", u8"二人转",   u8"祝福歌曲"};
  for (int i = 0; i < 14; ++i) Table(TTableId::kCategories).Add(i + 1, Gbk(categories[i]));
  AddVcdAudioTracks(*this);
}

int TOruSong::FillFromFileName(int index, const std::string& fileName) {
  TOruData& song = Slot(index);
  ParseSongFileName(fileName, song);
  song.VideoFile = fileName;
  song.SongNo = NextSongNo();
  return 0;
}

int TOruSong::DeleteSong(int index) {
  for (int i = index; i >= 0 && i < FCount - 1; ++i) Slot(i) = Slot(i + 1);
  return 0;
}
