// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/uclsMirel.h"

#include <array>

#include "formats/tables.h"

namespace {
using D = TMirelData;
using F = TLineField<D>;
using K = TFieldKind;
const std::array<F, 10> kLine{{
    {"SongName", K::kText, &D::SongName},
    {"Singer", K::kText, &D::Singer},
    {"WordCount", K::kInteger, &D::WordCount},
    {"Pinyin", K::kPinyin, &D::Pinyin},
    {"Strokes", K::kText, &D::Strokes},
    {"SongNo", K::kSongNo, &D::SongNo},
    {"AccompTrack", K::kInteger, &D::AccompTrack},
    {"Language", K::kInteger, &D::Language},
    {"Category", K::kInteger, &D::Category},
    {"NewSong", K::kFlag, nullptr, &D::NewSong},
}};

const std::array<std::string D::*, 9> kMandatory{&D::SongName,    &D::Singer,   &D::WordCount,
                                                 &D::Pinyin,      &D::Strokes,  &D::SongNo,
                                                 &D::AccompTrack, &D::Language, &D::Category};
const TLineLayout<TMirelData> kLayout{kLine, kMandatory};
}  // namespace

TLineVerdict CheckMirelLine(const std::string& line, TMirelData& record) {
  return kLayout.Read(line, record);
}

std::uint8_t ParseMirelLine(const std::string& line, TMirelData& record) {
  return CheckMirelLine(line, record).Code();
}

TMirelSong::TMirelSong(std::uint8_t productLine, platform::Env* env)
    : TLineSong(productLine, env, kLayout) {
  AddRows(Table(TTableId::kCategories), 0,
          {u8"未知", u8"情歌对唱", u8"军歌", u8"喜庆", u8"舞曲", u8"校园", u8"戏曲", u8"网络歌曲",
           u8"电影小品", u8"民歌", u8"流行歌曲"});
  AddStandardLanguages(*this);
  AddVcdAudioTracks(*this);
  AddDvdAudioTracks(*this);
}
