// SPDX-License-Identifier: GPL-3.0-or-later
// The ORU 2.0 product line: its record, tables and vod.txt line.
//
// Line: SongName;Singer;WordCount;Pinyin;SongNo;AccompTrack;Language;Category;NewSong;Ranking
// e.g. 海风;林一;2;HF;660001;2;1;1;1;0 (GBK).
#pragma once

#include <cstdint>
#include <string>

#include "formats/line_song.h"

struct TOruData : TBaseSongData {
  TOruData() : TBaseSongData("1", "1") {}
  std::uint8_t NewSong = 1;  // grid check box "新歌"
  std::uint8_t Ranking = 1;  // grid check box "排行"
};

// Reads an ORU line into the record: 0 accepted, 6 refused (see
// formats/line_layout.h for which refusals leave the record untouched).
std::uint8_t ParseOruLine(const std::string& line, TOruData& record);
// The same, telling why a line is refused.
TLineVerdict CheckOruLine(const std::string& line, TOruData& record);

class TOruSong : public TLineSong<TOruData> {
 public:
  static constexpr std::uint8_t kProductLine = kProductOru;

  // Fills the languages, categories and audio tracks of the ORU line.
  explicit TOruSong(std::uint8_t productLine = kProductOru, platform::Env* env = nullptr);

  // Slot index from a video file name: SongName and Singer from the name,
  // VideoFile the path, SongNo the next song number. Returns 0.
  int FillFromFileName(int index, const std::string& fileName) override;
  // Moves the songs after index one slot down; FCount is the caller's.
  int DeleteSong(int index) override;
};
