// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/uclsDovan.h"

#include <array>

#include "formats/ini_file.h"
#include "formats/tables.h"
#include "model/errors.h"
#include "model/messages.h"
#include "platform/env.h"
#include "text/gbk.h"

namespace {
using D = TDovanData;
using F = TLineField<D>;
using K = TFieldKind;
const std::array<F, 13> kLine{{
    {"SongName", K::kText, &D::SongName},
    {"Singer", K::kText, &D::Singer},
    {"WordCount", K::kInteger, &D::WordCount},
    {"Pinyin", K::kPinyin, &D::Pinyin},
    {"Strokes", K::kText, &D::Strokes},
    {"SongNo", K::kSongNo, &D::SongNo},
    {"IsDvd", K::kLooseFlag, nullptr, &D::IsDvd},
    {"AccompTrack", K::kInteger, &D::AccompTrack},
    {"VocalTrack", K::kInteger, &D::VocalTrack},
    {"Language", K::kInteger, &D::Language},
    {"Category", K::kInteger, &D::Category},
    {"Style", K::kInteger, &D::Style},
    {"NewSong", K::kFlag, nullptr, &D::NewSong},
}};

// The integer fields by position, in the order they are tested: VocalTrack
// comes after Category, as in the mandatory list.
constexpr std::array<std::size_t, 6> kIntegerOrder{2, 7, 9, 10, 8, 11};

const std::array<std::string D::*, 11> kMandatory{
    &D::SongName,    &D::Singer,   &D::WordCount, &D::Pinyin,     &D::Strokes, &D::SongNo,
    &D::AccompTrack, &D::Language, &D::Category,  &D::VocalTrack, &D::Style};

struct TSubject {
  const char* textKey;
  const char8_t* text;
  const char* codeKey;
  std::int32_t code;
};
const TSubject kSubjects[] = {
    {"lovesong_dis", u8"情歌对唱", "lovesong_id", 1},
    {"revolution_dis", u8"军歌", "revolution_id", 2},
    {"birthday_dis", u8"喜庆歌曲", "birthday_id", 3},
    {"dance_dis", u8"舞曲", "dance_id", 4},
    {"school_dis", u8"校园歌曲", "school_id", 5},
    {"traditional_dis", u8"戏曲", "traditional_id", 6},
    {"haisong_dis", u8"儿歌", "haisong_id", 7},
    {"disco_dis", u8"迪曲", "disco_id", 8},
    {"nation_dis", u8"民族歌曲", "nation_id", 9},
    {"film_dis", u8"电影", "film_id", 10},
    {"opusulum_dis", u8"小品", "opusulum_id", 11},
    {"twomandance_dis", u8"二人转", "twomandance_id", 12},
    {"dialog_dis", u8"相声", "dialog_id", 13},
    {"music_dis", u8"轻音乐", "music_id", 14},
};
constexpr int kStyleCount = 14;

const TLineLayout<TDovanData> kLayout{kLine, kMandatory, kIntegerOrder};
}  // namespace

TLineVerdict CheckDovanLine(const std::string& line, TDovanData& record) {
  return kLayout.Read(line, record);
}

std::uint8_t ParseDovanLine(const std::string& line, TDovanData& record) {
  return CheckDovanLine(line, record).Code();
}

TDovan::TDovan(std::uint8_t productLine, platform::Env* env, const std::string& configDir)
    : TLineSong(productLine, env, kLayout) {
  std::string folder = configDir.empty() ? Env()->ExecutableDir() : configDir;
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') {
    folder += Env()->PathSeparator();
  }
  ReadSubjectIni(folder);
  AddStandardLanguages(*this);
  AddVcdAudioTracks(*this);
  for (int track = 0; track <= 7; ++track) {
    Table(TTableId::kDvdTracks).Add(track, Gbk(u8"DVD ") + std::to_string(track) + Gbk(u8" 轨"));
  }
  Table(TTableId::kTrackTypes).Add(1, "VCD");
  Table(TTableId::kTrackTypes).Add(2, "DVD");
  ReadStyleIni(folder);
}

// An empty folder (the executable's folder could not be told) reads no file,
// so that no file of the current folder is taken for the configuration.
void TDovan::ReadSubjectIni(const std::string& folder) {
  const TIniFile ini(*Env(), folder.empty() ? "" : folder + "subject.ini");
  Table(TTableId::kCategories).Add(0, Gbk(u8"未知"));
  for (const auto& s : kSubjects) {
    const std::string text = ini.ReadString("SUBJECT", s.textKey, Gbk(s.text));
    Table(TTableId::kCategories).Add(ini.ReadInteger("SUBJECT", s.codeKey, s.code), text);
  }
}

void TDovan::ReadStyleIni(const std::string& folder) {
  const TIniFile ini(*Env(), folder.empty() ? "" : folder + "style.ini");
  Table(TTableId::kStyles).Add(0, Gbk(u8"未知"));
  for (int n = 1; n <= kStyleCount; ++n) {
    const std::string key = "style" + std::to_string(n) + "_dis";
    Table(TTableId::kStyles)
        .Add(n, ini.ReadString("STYLE", key, Gbk(u8"风景") + std::to_string(n)));
  }
}

void TDovan::CheckLine(const std::string& line, int index) const {
  const auto utf8 = gbk::TryToUtf8(Trim(line));
  if (!utf8 || utf8->size() <= kMaxLineBytes) return;
  const TDovanData& song = Slot(index);
  throw TSongRefused(
      msg::LineTooLong(song.SongNo + " " + song.SongName, utf8->size(), kMaxLineBytes), index, "");
}

std::string TDovan::EncodeVod(const TStringList& lines) const {
  std::string bytes = "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    PumpMessages();
    // Bytes up to 0x20 are the same characters in GBK, UTF-16 and UTF-8, so
    // trimming the GBK line trims the code units the same way.
    const std::string text = Trim(lines[i]);
    std::size_t bad = 0;
    const auto utf8 = gbk::TryToUtf8(text, &bad);
    if (!utf8) {
      bad += lines[i].find(text);  // count from the start of the untrimmed line
      throw gbk::ConversionError("vod.txt line " + std::to_string(i + 1) +
                                     " is not GBK text (byte " + std::to_string(bad + 1) + ")",
                                 bad);
    }
    if (utf8->empty()) continue;
    bytes += *utf8;
    bytes += "\r\n";
  }
  return bytes;
}
